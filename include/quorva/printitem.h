#pragma once

struct CFormCopy;
struct CPrintElement;
struct CPrintManager;

// Print item kinds (GetKind); every other kind is an official image drawn from its elements.
inline constexpr int PIK_LAYOUT = 2;   // a copy printed from its screen layout
inline constexpr int PIK_DOCUMENT = 4; // an HTML document from a help archive

// Print item flags (TestFlag).
inline constexpr unsigned PIF_NOTFORFILING = 0x2; // "DO NOT FILE" under the page

// Element flags (CPrintElement::TestFlag).
inline constexpr unsigned PEF_RIGHT = 0x2;
inline constexpr unsigned PEF_CENTRE = 0x4;
inline constexpr unsigned PEF_BOLD = 0x8;
inline constexpr unsigned PEF_ITALIC = 0x10;

// Element types (CPrintElement::GetType, low 16 bits). Grid text sits on columns of 30 and
// rows of 50 units of the 2400 x 3200 page frame.
inline constexpr int PET_GRID_BOLD12 = 1;       // Courier New 12 pt bold
inline constexpr int PET_IMAGE = 2;             // page image named by the text
inline constexpr int PET_GRID_OCR = 3;          // OCR-A BT 12 pt
inline constexpr int PET_GRID12 = 4;            // Courier New 12 pt
inline constexpr int PET_GRID_BOLD12_SHIFT = 5; // as 1, 15 units to the right
inline constexpr int PET_GRID_BOLD8 = 6;        // Courier New 8 pt bold
inline constexpr int PET_TIMESTAMP = 7;         // the job's time stamp at the foot
inline constexpr int PET_GRID_BOLD10 = 8;       // Courier New 10 pt bold
inline constexpr int PET_COURIER10 = 10;        // measured text, 10/12/14/16 pt: 10..13
inline constexpr int PET_ARIAL10 = 20;          // measured text, 10/12/14/16/48 pt: 20..24
inline constexpr int PET_BARCODE_START = 40;
inline constexpr int PET_BARCODE_DRAW = 41;
inline constexpr int PET_BARCODE_LINE = 42; // row = data line number from 1

// One thing to print, made and owned by a print manager. Fixed slot order, no virtual
// destructor.
struct CPrintItem {
    virtual CPrintManager* GetPrintManager() = 0; // the manager that made it
    virtual int GetKind() = 0;                    // PIK_ kind (16 bits)
    virtual int TestFlag(unsigned mask) = 0;      // PIF_ flags
    virtual int GetPageCount() = 0; // image kinds: set by the manager; others: SetPageCount
    virtual int GetElementCount() = 0;
    virtual CPrintElement* GetElement(int index) = 0; // from 0; elements ordered by page
    virtual CFormCopy* GetItemCopy() = 0;             // the copy of a PIK_LAYOUT item; may be null
    virtual void* GetWindow() = 0;                    // what SetWindow stored
    virtual void SetWindow(void* window) = 0;
    virtual void SetPageCount(int pages) = 0;
    virtual int GetDocumentPath(char* buffer, int size) = 0; // "Tax Guide/prepsigconsent.htm"

protected:
    ~CPrintItem() = default;
};

// One element of an image item: a page image, a grid text, a stamp or a barcode step.
struct CPrintElement {
    virtual int GetType() = 0;               // PET_ type in the low 16 bits
    virtual int TestFlag(unsigned mask) = 0; // PEF_ flags
    virtual int GetPage() = 0;               // from 1
    virtual int GetRow() = 0;                // grid row; PET_BARCODE_LINE: data line from 1
    virtual int GetColumn() = 0;             // grid column
    virtual int GetWidth() = 0;              // field width in columns
    // Zero-terminated text (the image name for PET_IMAGE), owned by the element and valid
    // while its item lives; never null.
    virtual const char* GetText() = 0;

protected:
    ~CPrintElement() = default;
};

inline constexpr int PRINT_ITEM_SLOTS = 11;
inline constexpr int PRINT_ELEMENT_SLOTS = 7;
