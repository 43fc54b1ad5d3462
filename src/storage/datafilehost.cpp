#include "storage/datafilehost.h"

namespace qv {
namespace {
DataFileHost* g_host = nullptr;
}

void setDataFileHost(DataFileHost* host) {
    g_host = host;
}
DataFileHost* dataFileHost() {
    return g_host;
}

} // namespace qv
