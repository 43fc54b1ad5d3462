#pragma once

struct CField;
struct CPrintItem;

// Line-item details of one field: byte 0 the item count (0..250; a reader recomputes it as
// (length - 1) / 140), then the items of 140 bytes each.
inline constexpr int DETAILS_MAX_ITEMS = 250;
inline constexpr int DETAILS_ITEM_SIZE = 140;
inline constexpr int DETAILS_DATE_OFFSET = 0;        // int32 day number, 0 none
inline constexpr int DETAILS_DESCRIPTION_OFFSET = 4; // char[128], zero-terminated
inline constexpr int DETAILS_DESCRIPTION_SIZE = 128;
inline constexpr int DETAILS_AMOUNT_OFFSET = 132; // int64 cents
inline constexpr int DETAILS_NOTE_MAX = 2048;     // comment bytes, no terminator

// The program's host object, handed to every form manager, print manager and the e-file
// transmitter. Outside code reads details through it and never writes them; print managers
// add their items to its print list. Only these slots exist for outside code.
struct CDetailsStore {
    virtual int GetDetailsListSize(CField* field) = 0; // bytes, 0 when none
    // Copies the details list; answers the bytes copied, 0 when none or the buffer is short.
    virtual int ReadDetailsList(CField* field, void* buffer, int size) = 0;
    virtual int GetDetailsNoteSize(CField* field) = 0;                      // bytes, 0 when none
    virtual int ReadDetailsNote(CField* field, void* buffer, int size) = 0; // same rule
    virtual void AddPrintItem(CPrintItem* item) = 0; // appended; null is ignored
    virtual void ResetPrintItems() = 0; // program only: every active manager's ClearItems
    virtual CPrintItem* GetPrintItem(int index) = 0; // from 0; null past the end
    virtual int GetPrintItemCount() = 0;

protected:
    ~CDetailsStore() = default;
};

inline constexpr int DETAILS_STORE_SLOTS = 8;
