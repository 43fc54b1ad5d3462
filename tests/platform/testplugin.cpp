// A run-time library for the loader's tests, built twice: with a version export and without.
#include <cstdint>

#define EXPORT extern "C" __attribute__((visibility("default")))

#ifdef PFTEST_VERSION
EXPORT std::uint64_t QuorvaFileVersion() {
    return PFTEST_VERSION;
}
#endif

static int g_calls = 0;

EXPORT int pftestCount() {
    return ++g_calls;
}
