#pragma once

#include <quorva/export.h>

struct CDetailsStore;
struct CField;
struct CFormCopy;
struct CFormManager;
struct CPrintItem;

// The print manager of one tax module: turns print requests into print items. Every item it
// adds appears both in its own list (GetItemCount, GetItem) and, in the same order, in the
// details store's print list (AddPrintItem). Items belong to the manager until ClearItems or
// Release. Fixed slot order, placeholders for unnamed slots, no virtual destructor.
struct CPrintManager {
    virtual int Initialize() = 0; // 0: the module is unusable
    virtual void AttachFormManager(CFormManager* own) = 0;
    virtual void AttachFederalFormManager(CFormManager* federal) = 0; // states only
    virtual void Unused3() = 0;
    virtual CFormManager* GetFormManager() = 0; // the attached own form manager
    virtual void SetDetailsStore(CDetailsStore* store) = 0;
    virtual void Release() = 0; // frees the manager and its items
    virtual void ClearItems() = 0;
    virtual int GetItemCount() = 0;             // own list; 0 means nothing to print
    virtual CPrintItem* GetItem(int index) = 0; // from 0; null past the end
    virtual void Unused10() = 0;
    virtual void AddReturn() = 0;                    // the module's whole return, in print order
    virtual void AddReturnDetails() = 0;             // supporting details of the return
    virtual int CanPrintForm(int form) = 0;          // non-zero when the form has an official image
    virtual void AddCopy(CFormCopy* copy) = 0;       // image items of one copy
    virtual void AddLayoutCopy(CFormCopy* copy) = 0; // one PIK_LAYOUT item for the copy
    virtual void AddCopyDetails(CFormCopy* copy) = 0;
    // Details of one field: block = count byte + n x 140-byte line items, comment zero-ended.
    virtual void AddFieldDetails(CField* field, const void* block, int size,
                                 const char* comment) = 0;
    virtual void Unused18() = 0;
    virtual void AddDocument(const char* path) = 0;  // "Archive/topic": one PIK_DOCUMENT item
    virtual void AddNamedSet(const char* name) = 0;  // e.g. "PrintSigAuth"; unknown adds nothing
    virtual int GetImageSize(const char* image) = 0; // placeable metafile bytes, 0 none
    virtual int ReadImage(const char* image, void* buffer, int size) = 0; // non-zero success
    virtual void AttachFederalPrintManager(CPrintManager* federal) = 0;   // states only

protected:
    ~CPrintManager() = default;
};

inline constexpr int PRINT_MANAGER_SLOTS = 24;

QUORVA_EXPORT CPrintManager* CreatePrintManager();
using CreatePrintManagerProc = CPrintManager* (*)();
