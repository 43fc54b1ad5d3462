#pragma once

#include <quorva/field.h>
#include <quorva/formmanager.h>

#include <cstdint>
#include <string>
#include <vector>

// The tables a tax module is made of. The form-manager engine answers every slot from them,
// so a module is its tables plus a calculation function; growing a module means adding rows.
namespace qv {

class ModuleCopy;
class ModuleFormManager;

struct FieldDef {
    std::string name;
    int type = FT_TEXT;
    unsigned flags = 0;  // FF_ flags the field always carries (protected, calculated, ...)
    int elements = 1;    // FORM.FIELD(0..elements-1): consecutive field numbers
    int optionGroup = 0; // FT_OPTION fields of one group exclude each other
    std::vector<std::string> choices; // FT_CHOICE
    // Inclusive value bounds; both 0 means the type's default range.
    std::int64_t min = 0;
    std::int64_t max = 0;
    bool carryForward = false; // taken over from last year's return
};

inline FieldDef makeField(std::string name, int type, unsigned flags = 0) {
    FieldDef f;
    f.name = std::move(name);
    f.type = type;
    f.flags = flags;
    return f;
}

// A field the user types into, and one the module computes.
inline FieldDef input(const char* name, int type = FT_MONEY) {
    return makeField(name, type);
}
inline FieldDef calculated(const char* name, int type = FT_MONEY) {
    return makeField(name, type, FF_CALCULATED);
}
// A figure shown for reference only: computed, and the user may not type over it.
inline FieldDef reference(const char* name, int type = FT_MONEY) {
    return makeField(name, type, FF_CALCULATED | FF_PROTECTED);
}

struct FormDef {
    std::string name;
    std::string title;
    std::string longTitle;
    unsigned category = CAT_FORMS;
    unsigned flags = 0; // FMF_ flags beyond the interview ones, which follow from the targets
    int maxCopies = 1;
    bool createByDefault = false; // made by CreateDefaultForms; form flag FMF_ALWAYS
    bool required = false;        // copies carry CF_REQUIRED
    unsigned copyFlags = 0;       // further CF_ flags every copy carries
    // A deleted copy comes back at once when the kind has no copy left and nothing it is
    // made from is gone (an empty `transfers`, or a transferring kind still has a copy).
    bool recreatedOnDelete = false;
    std::vector<std::string> parents;        // parent kinds in the same module
    std::vector<std::string> federalParents; // parent kinds in the federal module
    int maxChildCopies = 0;                  // per parent copy
    std::vector<std::string> transfers;      // kinds whose entries feed this kind
    std::vector<std::string> titleFields;    // copy title: these texts joined by blanks
    std::string newCopyTarget;               // "SCRIPT_QUESTION" for a new copy
    std::string copyTarget;                  // the same for an existing copy
    std::vector<FieldDef> fields;
    // Run by the copy's Prepare after the module's recalculation: figures only worth working
    // out when the copy is about to be shown, printed or reviewed.
    void (*prepare)(ModuleFormManager&, ModuleCopy&) = nullptr;
};

// A module-global field name (GetFieldFlag, GetFieldValue, GetFieldText, GetFieldByName):
// the field of that name on the first copy of the form.
struct GlobalField {
    std::string name;
    std::string form;
    std::string field;
};

struct ModuleDef {
    std::string name;    // "FEDERAL" or the state code
    std::string title;   // "Federal" or the state's name
    std::string version; // two blank-separated tokens
    bool federal = false;
    std::vector<FormDef> forms;
    std::vector<GlobalField> globals;
    void (*calculate)(ModuleFormManager&) = nullptr;
};

} // namespace qv
