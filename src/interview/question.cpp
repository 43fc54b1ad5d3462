#include "interview/question.h"

std::string Question::FullName() const {
    return script + "_" + name;
}
