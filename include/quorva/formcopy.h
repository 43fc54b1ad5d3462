#pragma once

struct CField;
struct CFormManager;

// Copy flags (TestFlag, SetCopyFlag).
inline constexpr unsigned CF_NOTMODIFYING = 0x1;      // changes do not mark the return modified
inline constexpr unsigned CF_REQUIRED = 0x2;          // may not be deleted
inline constexpr unsigned CF_INTERVIEW = 0x4;         // has an interview entry
inline constexpr unsigned CF_INTERVIEW_ALT = 0x8;     // same, second kind of entry
inline constexpr unsigned CF_NOTDATA = 0x40;          // does not count as "the return holds data"
inline constexpr unsigned CF_OPEN = 0x20000;          // shown in a form page or summary
inline constexpr unsigned CF_HASENTRIES = 0x40000;    // holds entries
inline constexpr unsigned CF_IMPORTED = 0x80000;      // filled from last year's return
inline constexpr unsigned CF_USERMODIFIED = 0x100000; // changed by the user
inline constexpr unsigned CF_CHANGED = CF_USERMODIFIED | CF_HASENTRIES; // set on every user change

// One copy of a form kind, owned by its form manager. The copy number is the copy's identity
// (>= 1, unique per kind, below 1000, kept across save and reload); the ordinal is its current
// position among the copies of its kind and changes when earlier copies are deleted.
// Fixed slot order, placeholders for unnamed slots, no virtual destructor (the manager frees
// its copies).
struct CFormCopy {
    virtual int GetFormIndex() = 0;
    virtual int GetCopyNumber() = 0;
    virtual int GetOrdinal() = 0;           // 1-based position among its kind's copies
    virtual CFormCopy* GetParentCopy() = 0; // null for a root copy
    virtual void SetParentCopy(CFormCopy* parent, int link) = 0; // callers pass link = 1
    virtual int GetDataSize() = 0;
    // Opaque blob holding values, flags, copy number, parent link and title; 0 when short.
    virtual int GetData(void* buffer, int size) = 0;
    // Restores the copy from a blob of GetData, its copy number, parent and title included.
    // 0 when the blob is damaged; the copy is then left as it was.
    virtual int SetData(const void* blob, int size) = 0;
    virtual int TestFlag(unsigned mask) = 0; // CF_ flags, non-zero when any bit is set
    virtual void SetCopyFlag(unsigned mask, int on) = 0;
    virtual void Unused10() = 0;
    virtual CField* GetField(int number) = 0; // 1..GetFieldCount; null for 0 or out of range
    virtual int GetCopyTitle(char* buffer, int size) = 0; // user-visible description, may be ""
    virtual void Prepare() = 0; // brings the copy up to date before it is shown or printed
    virtual void Unused14() = 0;
    // Makes that option field the choice of its group, clearing the group's other options.
    virtual void SelectOption(int fieldNumber) = 0;
    virtual int GetOptionGroup(int fieldNumber) = 0; // group id, 0 when none
    virtual CFormManager* GetFormManager() = 0;      // the owner

protected:
    ~CFormCopy() = default;
};

inline constexpr int FORM_COPY_SLOTS = 18;
