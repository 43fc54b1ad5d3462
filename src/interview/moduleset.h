#pragma once

#include <string>

class CDataFile;
struct CFormManager;

namespace qv {

// The return's modules as the interview sees them: numbered from 1 (1 = federal), each with
// its code ("FEDERAL" or a state's postal code), active flag, form manager and data file.
// The program's set is the module list (ModuleListSet); tests and fuzzing use small fakes.
class ModuleSet {
public:
    virtual ~ModuleSet() = default;
    virtual int Count() const = 0;
    // 1-based position of the module with that code (upper case), 0 when not present.
    virtual int Find(const std::string& code) const = 0;
    virtual std::string Code(int position) const = 0;
    virtual bool IsActive(int position) const = 0;
    virtual CFormManager* FormManager(int position) const = 0; // null when out of range
    virtual CDataFile* DataFile(int position) const = 0;       // null when there is none
    virtual std::string Title(int position) const = 0;         // "Federal", "Illinois"
};

// The module code named by a script or form name's two letters: "US" (any case) is FEDERAL,
// others are upper-cased.
std::string ModuleCodeOf(const std::string& twoLetters);

} // namespace qv
