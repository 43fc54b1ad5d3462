#include "app/appmain.h"

int main(int argc, char** argv) {
    return qv::runApplication(argc, argv);
}
