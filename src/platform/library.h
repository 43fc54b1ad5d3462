#pragma once

#include "platform/pfexport.h"

#include <cstdint>
#include <string>

namespace pf {

// A run-time library loaded by path. Loading a path that is already loaded reuses it and
// counts one more reference; release() drops one. Exports are extern "C" symbols.
class PF_EXPORT Library final {
public:
    // Null when the file is missing or cannot be loaded; `error` receives the reason.
    static Library* load(const std::string& path, std::string* error = nullptr);
    void* resolve(const char* symbol) const;
    // The library's QuorvaFileVersion() export: major, minor, build, revision in 16-bit
    // words from the high end; 0 when the export is missing.
    std::uint64_t fileVersion() const;
    const std::string& path() const { return m_path; }
    void release();

private:
    Library() = default;
    ~Library() = default;
    std::string m_path;
    void* m_handle = nullptr;
    int m_refs = 0;
};

// The file version of a library on disk (loaded and released again); 0 when the file is
// missing, cannot be loaded or has no version export.
PF_EXPORT std::uint64_t libraryFileVersion(const std::string& path);

// Major and minor of a version word ("product version" = the high 32 bits).
inline unsigned versionMajor(std::uint64_t v) {
    return unsigned(v >> 48) & 0xFFFF;
}
inline unsigned versionMinor(std::uint64_t v) {
    return unsigned(v >> 32) & 0xFFFF;
}
inline unsigned versionBuild(std::uint64_t v) {
    return unsigned(v >> 16) & 0xFFFF;
}
inline unsigned versionRevision(std::uint64_t v) {
    return unsigned(v) & 0xFFFF;
}
inline constexpr std::uint64_t makeVersion(unsigned major, unsigned minor, unsigned build,
                                           unsigned revision) {
    return (std::uint64_t(major & 0xFFFF) << 48) | (std::uint64_t(minor & 0xFFFF) << 32) |
           (std::uint64_t(build & 0xFFFF) << 16) | std::uint64_t(revision & 0xFFFF);
}

} // namespace pf
