#pragma once

#include <quorva/export.h>

#include <cstdint>

struct CDetailsStore;
struct CField;
struct CFormCopy;

// Form flags (TestFormFlag).
inline constexpr unsigned FMF_ALWAYS = 0x2;          // kind always has a copy after a mapped load
inline constexpr unsigned FMF_INTERVIEW = 0x4;       // a new copy has an interview entry
inline constexpr unsigned FMF_INTERVIEW_ALT = 0x8;   // same, second kind of entry
inline constexpr unsigned FMF_NOTRANSFERLIST = 0x40; // left out of "Forms Transferring Information"

// Category masks (GetCategoryOrder).
inline constexpr unsigned CAT_FORMS = 4;       // "Forms and Schedules"
inline constexpr unsigned CAT_DOCUMENTS = 8;   // "Documents Received"
inline constexpr unsigned CAT_WORKSHEETS = 16; // "Worksheets"
inline constexpr unsigned CAT_HIDDEN = 64;     // "Hidden Forms", never shown

// Caller buffer sizes for texts read from a form manager.
inline constexpr int QV_NAME_SIZE = 64;
inline constexpr int QV_TITLE_SIZE = 128;
inline constexpr int QV_LONGTEXT_SIZE = 256;

// The form manager of one tax module: its form kinds, their copies and fields, saved data and
// calculations. Reached only through this table of virtual operations; the slot numbers are
// fixed, so every operation stays at its position and unnamed slots are held by placeholders
// that nobody calls. There is no virtual destructor: Release frees the manager and everything
// it owns. Form kinds are numbered 1..GetFormCount(); 0 or null means "not found".
//
// Texts go into the caller's buffer, zero-terminated and cut to fit: (buffer, size, indices...).
// Every text getter answers the number of characters written, 0 for an empty or unknown text.
// Names are compared ignoring letter case. Blobs travel with their size; a Get...(buffer, size)
// answers the bytes written, 0 when the buffer is too small. No exception crosses the table.
struct CFormManager {
    virtual int Initialize() = 0;               // 0: the module is unusable
    virtual void Release() = 0;                 // frees the manager with all copies and fields
    virtual int CreateDefaultForms() = 0;       // makes the always-present copies once; 0 failure
    virtual void ClearAll() = 0;                // removes every copy
    virtual int FindForm(const char* name) = 0; // form index, 0 unknown
    // Field number >= 1 for name and element index (the INDEX of FORM.FIELD(INDEX)), 0 unknown.
    virtual int FindField(int form, const char* name, int element) = 0;
    virtual void Unused6() = 0;
    // Appends a copy as the last ordinal with a fresh copy number. initialise 1: a new copy
    // with its defaults; 0: an empty shell about to receive SetData. reserved is 0. Null when
    // the kind has no room for another copy.
    virtual CFormCopy* AddFormCopy(int form, int initialise, int reserved) = 0;
    virtual void ReleaseCopy(CFormCopy* copy) = 0; // the caller is done with it; not a delete
    virtual CFormCopy* FindFormCopy(int form, int copyNumber) = 0; // by identity; 0 -> null
    virtual CFormCopy* GetFormCopy(int form, int ordinal) = 0;     // 1..GetCopyCount; 0 -> null
    virtual int GetCopyCount(int form) = 0;
    virtual int GetMaxCopies(int form) = 0;  // copy limit of a root kind
    virtual int GetFieldCount(int form) = 0; // highest field number; GetField(1..n) valid
    virtual int TestFormFlag(int form, unsigned mask) = 0; // FMF_ flags, non-zero when any set
    virtual int GetFormCount() = 0;
    virtual int IsFederal() = 0;         // non-zero only for the federal module
    virtual int IsDependentModule() = 0; // non-zero for state modules
    // "FEDERAL", or the state's upper-case code as registered under the Modules settings.
    virtual int GetModuleName(char* buffer, int size) = 0;
    // Two blank-separated tokens; a different pair on reload means a version-mapped load.
    virtual int GetModuleVersion(char* buffer, int size) = 0;
    virtual int GetModuleTitle(char* buffer, int size) = 0;        // "Federal" or the state's name
    virtual int GetFormName(char* buffer, int size, int form) = 0; // = its layout entry name
    virtual int GetFieldName(char* buffer, int size, int form, int field) = 0; // FindField-able
    virtual int GetFormTitle(char* buffer, int size, int form) = 0;            // short title
    virtual int GetFormLongTitle(char* buffer, int size, int form) = 0;        // long title
    // 1-based position of the form within a CAT_ category, without gaps; 0 when not in it.
    virtual int GetCategoryOrder(int form, unsigned category) = 0;
    virtual void RecalculateAll() = 0;
    virtual int GetTreeCount() = 0;                 // no caller; 0
    virtual const void* GetTreeNode(int index) = 0; // no caller; null
    virtual int GetFieldFlag(const char* name) = 0; // module-global check field: non-zero set
    virtual std::int64_t GetFieldValue(const char* name) = 0; // module-global; money in cents
    virtual void Unused31() = 0;
    virtual int GetFieldText(char* buffer, int size, const char* name) = 0; // "" unknown/empty
    virtual CField* GetFieldByName(const char* name) = 0;    // module-global field, null unknown
    virtual void AttachFederal(CFormManager* federal) = 0;   // on a state: keep the federal FM
    virtual void LinkStateModule(CFormManager* state) = 0;   // on the federal: use the state
    virtual void UnlinkStateModule(CFormManager* state) = 0; // on the federal: stop using it
    virtual void Unused37() = 0;
    virtual void Unused38() = 0;
    virtual int CountRelatedCopies(CFormCopy* copy) = 0; // copies deleted together with it
    virtual CFormCopy* GetRelatedCopy(CFormCopy* copy, int n) = 0; // n from 1
    virtual void Unused41() = 0;
    // Deletes the copy with its related copies; later ordinals move down. The kind may be
    // recreated at once when other forms feed it. 0 when the copy is not this manager's.
    virtual int DeleteFormCopy(CFormCopy* copy) = 0;
    virtual int GetFormRelation(int parentForm, int childForm) = 0; // parent may own child
    virtual void Unused44() = 0;
    virtual int GetMaxChildCopies(int parentForm, int childForm) = 0; // per parent copy
    // The same limit for child kinds whose parents are federal forms (IsMadeFromFederalParent).
    virtual int GetMaxFederalChildCopies(int parentForm, int childForm) = 0;
    // Children of that kind under the parent; a null parent counts parentless copies.
    virtual int GetChildCopyCount(CFormCopy* parent, int childForm) = 0;
    virtual CFormCopy* GetChildCopy(CFormCopy* parent, int childForm, int n) = 0; // n from 1
    virtual int IsMadeFromParent(int form) = 0;        // child kind with parents in this module
    virtual int IsMadeFromFederalParent(int form) = 0; // state kind with federal parents
    virtual int GetParentFormCount(int form) = 0;      // parent kinds in this module
    virtual int GetParentForm(int form, int n) = 0;    // n from 1 -> form index
    virtual int GetFederalParentFormCount(int form) = 0;
    virtual int GetFederalParentForm(int form, int n) = 0; // n from 1 -> federal form index
    virtual int GetTransferFormCount(int form) = 0;        // kinds feeding this kind
    virtual int GetTransferForm(int form, int n) = 0;      // n from 1 -> form index
    virtual void Unused57() = 0;
    virtual void Unused58() = 0;
    virtual int GetModuleMapSize() = 0;
    virtual int GetModuleMap(void* buffer, int size) = 0; // opaque, stored unchanged
    virtual int GetFormMapSize(int form) = 0;
    virtual int GetFormMap(int form, void* buffer, int size) = 0; // opaque, stored unchanged
    // Converts one saved copy of an older module version into current copies. federalMap is
    // null for the federal module. Non-zero on success.
    virtual int ImportFormData(const char* formName, const char* savedVersion,
                               const void* moduleMap, int moduleMapSize, const void* federalMap,
                               int federalMapSize, const void* formMap, int formMapSize,
                               const void* data, int dataSize) = 0;
    virtual void Unused64() = 0;
    virtual void Unused65() = 0;
    virtual void SetDetailsStore(CDetailsStore* store) = 0; // kept; line items are read there
    // Maps one copy of a prior-year return (any of its modules) into this year's forms,
    // marking what it fills as imported. 0 on failure.
    virtual int ImportPriorYearForm(const char* formName, const char* priorVersion,
                                    const void* moduleMap, int moduleMapSize, const void* formMap,
                                    int formMapSize, const void* data, int dataSize) = 0;
    virtual void Unused68() = 0;
    virtual void Unused69() = 0;
    virtual void Unused70() = 0;
    // "SCRIPT_QUESTION" of the interview entry for a new copy of the form; "" for none.
    virtual int GetNewCopyInterviewTarget(char* buffer, int size, int form) = 0;
    // The same for an existing copy.
    virtual int GetCopyInterviewTarget(char* buffer, int size, CFormCopy* copy) = 0;

protected:
    ~CFormManager() = default;
};

inline constexpr int FORM_MANAGER_SLOTS = 73;

QUORVA_EXPORT CFormManager* CreateFormManager();
using CreateFormManagerProc = CFormManager* (*)();
