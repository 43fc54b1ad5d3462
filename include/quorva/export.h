#pragma once

#include <cstdint>

// Exports of the run-time libraries are plain C symbols with default visibility, so that a
// loader finds them by name whatever the library's own visibility preset hides.
#define QUORVA_EXPORT extern "C" __attribute__((visibility("default")))

// Every run-time library exports its version: major, minor, build and revision in 16-bit
// words from the high end. The high 32 bits are the product version, the whole word the file
// version.
QUORVA_EXPORT std::uint64_t QuorvaFileVersion();
using QuorvaFileVersionProc = std::uint64_t (*)();

inline constexpr std::uint64_t QuorvaMakeVersion(unsigned major, unsigned minor, unsigned build,
                                                 unsigned revision) {
    return (std::uint64_t(major & 0xFFFF) << 48) | (std::uint64_t(minor & 0xFFFF) << 32) |
           (std::uint64_t(build & 0xFFFF) << 16) | std::uint64_t(revision & 0xFFFF);
}
