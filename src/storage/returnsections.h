#pragma once

#include <functional>
#include <string>

class CDataFile;
class CMemDataFile;
class CModuleList;

// Names and fixed texts of the sections a return file holds, shared by the return document,
// the module list and the prior-year import.
namespace qv::sections {

inline constexpr const char* kAppData = "APPDATA";
inline constexpr const char* kProductCode = "PRODUCTCODE";
inline constexpr const char* kPassword = "AppPassword";
inline constexpr const char* kWelcome = "AppWelcome";
inline constexpr const char* kHistory = "AppFinal02History";
inline constexpr const char* kPageStack = "AppF02PtrArray";
// The edition word of APPDATA: written, never interpreted.
inline constexpr const char* kEdition = "DELUXE";
// Readers copy APPDATA and MODDATA_ values into buffers of this size.
inline constexpr std::size_t kShortValueSize = 128;

// "2002 <edition> FINAL a.b c.d e.f g.h i.j": the product versions of the program, the
// federal calculation and print libraries, the form printing library and the transmitter.
std::string BuildAppData();

// The n-th (from 1) "_"-separated part of a section name; "" when there are fewer.
std::string NamePart(const std::string& name, int n);
// MODDATA_, MODMAP_, FORMMAP_ and FORMDATA_ sections: the module data of a save.
bool IsModuleSection(const std::string& name);

// The entry as text up to its first zero byte, at most kShortValueSize - 1 characters;
// `found` tells whether it exists.
std::string ReadShortText(CDataFile& file, const std::string& name, bool* found = nullptr);
// The whole entry's bytes; `found` tells whether it exists.
std::string ReadBlob(CDataFile& file, const std::string& name, bool* found = nullptr);
// Puts text with its terminating zero.
int PutText(CMemDataFile& file, const std::string& name, const std::string& text);

// Removes every entry whose name the predicate accepts; answers how many went.
int RemoveEntriesIf(CMemDataFile& file, const std::function<bool(const std::string&)>& doomed);

// The header comment of a saved return: the taxpayer's last, first and middle name, SSN and
// e-mail address from the federal module, joined with ",".
std::string HeaderComment(const CModuleList& modules);

} // namespace qv::sections
