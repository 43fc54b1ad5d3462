#pragma once

#include "platform/pfexport.h"

#include <string>
#include <vector>

namespace pf {

// A Windows initialization file with private-profile semantics: section and key names
// ignore case, values are raw text to the end of the line (no escaping), the order of
// lines and their spelling are kept, and every write rewrites the file at once.
class PF_EXPORT IniFile final {
public:
    explicit IniFile(std::string path);
    // A file of the Windows directory, found whatever the case of its name.
    static IniFile inWinDir(const std::string& name);

    const std::string& path() const { return m_path; }
    std::string getString(const std::string& section, const std::string& key,
                          const std::string& def = {}) const;
    int getInt(const std::string& section, const std::string& key, int def) const;
    bool writeString(const std::string& section, const std::string& key, const std::string& value);
    // Key names of a section and the section names, in file order and stored spelling.
    std::vector<std::string> keys(const std::string& section) const;
    std::vector<std::string> sections() const;
    // Removes one key, or a whole section with its keys; true when the file is as asked.
    bool deleteKey(const std::string& section, const std::string& key);
    bool deleteSection(const std::string& section);

private:
    std::string m_path;
};

} // namespace pf
