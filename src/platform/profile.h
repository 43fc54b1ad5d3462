#pragma once

#include "platform/pfexport.h"

#include <memory>
#include <string>
#include <vector>

class QSettings;

namespace pf {

// Per-user settings: sections and entries of the application's key, kept in an INI file
// (settingsPath()). Lookups of sections and entries ignore letter case; a write keeps the
// spelling already stored, or the caller's for a new entry. Sections may be nested with '/'.
class PF_EXPORT Profile final {
public:
    explicit Profile(const std::string& iniPath);
    ~Profile();
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    // The application's settings (settingsPath() at the time of the first call, or after
    // reset()).
    static Profile& app();
    // Tests point the application's settings at a new file.
    static void reset();

    int getInt(const std::string& section, const std::string& entry, int def) const;
    std::string getString(const std::string& section, const std::string& entry,
                          const std::string& def = {}) const;
    bool has(const std::string& section, const std::string& entry) const;
    bool writeInt(const std::string& section, const std::string& entry, int value);
    bool writeString(const std::string& section, const std::string& entry,
                     const std::string& value);
    // Entry names of a section in stored (alphabetical) order; empty when it is missing.
    std::vector<std::string> entries(const std::string& section) const;
    // Names of the sub-sections directly below `section` ("" for the top level).
    std::vector<std::string> sections(const std::string& section) const;
    bool hasSection(const std::string& section) const;
    bool deleteEntry(const std::string& section, const std::string& entry);
    bool deleteSection(const std::string& section);
    void sync();

private:
    std::string storedKey(const std::string& section, const std::string& entry) const;
    std::string storedGroup(const std::string& section) const;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace pf
