#pragma once

#include <string>

// The program's per-user settings as a module reads them: the same INI file the program
// writes (QUORVA_SETTINGS, else the user's configuration folder), sections and entries
// compared ignoring case. The file is read at each call, so a value the program has just
// written counts.
namespace qv {

int profileInt(const std::string& section, const std::string& entry, int fallback);

} // namespace qv
