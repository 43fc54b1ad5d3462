#pragma once

#include "platform/pfexport.h"

#include <string>

namespace pf {

// The program directory, with a trailing '/': QUORVA_PROGDIR when set, else the folder of
// the executable. Modules, data files, scripts and help archives are read from here.
PF_EXPORT std::string progDir();
// Where the program writes what belongs beside it (Untitled, Auto-Backup/, EFiles/, SEND/):
// the program directory when writable, else ~/.local/share/Quorva 2002/. Trailing '/'.
PF_EXPORT std::string writableProgDir();
// The Windows-directory stand-in, with a trailing '/': QUORVA_WINDIR, else
// ~/.config/Copper Grove Software/Windows/. Created on first use.
PF_EXPORT std::string winDir();
// The per-user settings file: QUORVA_SETTINGS, else
// ~/.config/Copper Grove Software/Quorva 2002.ini.
PF_EXPORT std::string settingsPath();

// Looks a path up exactly, then with the last component matched ignoring case.
// Returns the path as found on disk, or the path unchanged when nothing matches.
PF_EXPORT std::string findFile(const std::string& path);
PF_EXPORT bool fileExists(const std::string& path);
PF_EXPORT bool dirExists(const std::string& path);
// Creates one folder; true when it exists afterwards. `alreadyExisted` tells which.
PF_EXPORT bool makeDir(const std::string& path, bool* alreadyExisted = nullptr);
PF_EXPORT bool makePath(const std::string& path);
PF_EXPORT bool isReadOnly(const std::string& path);
PF_EXPORT bool setReadOnly(const std::string& path, bool readOnly);
PF_EXPORT bool removeFile(const std::string& path);
PF_EXPORT bool copyFile(const std::string& from, const std::string& to);
// The part after the last '/', and the part up to and including it.
PF_EXPORT std::string fileName(const std::string& path);
PF_EXPORT std::string folderOf(const std::string& path);

} // namespace pf
