#pragma once

#include <cstdint>

struct CFormCopy;

// Field types (GetType).
inline constexpr int FT_MONEY = 1;   // signed 64-bit cents
inline constexpr int FT_INTEGER = 2; // signed 32-bit
inline constexpr int FT_DATE = 3;    // day number
inline constexpr int FT_DECIMAL = 4; // double
inline constexpr int FT_CHECK = 5;   // set / not set
inline constexpr int FT_OPTION = 6;  // set / not set; a radio button when in an option group
inline constexpr int FT_TEXT = 7;    // up to 255 characters
inline constexpr int FT_SSN = 8;     // "###-##-####" or "DIED"
inline constexpr int FT_EIN = 9;     // "##-#######"
inline constexpr int FT_PHONE = 10;  // "(###)###-####"
// Type 11 has no name: edited as text, never stored by the form view.
inline constexpr int FT_CHOICE = 12; // index into a list of choices

// Field flags (TestFlag, SetFlag).
inline constexpr unsigned FF_PROTECTED = 0x1;      // the user may not change it
inline constexpr unsigned FF_CALCULATED = 0x2;     // computed by the module
inline constexpr unsigned FF_ENTERABLE = 0x4;      // calculated, typed over without an override
inline constexpr unsigned FF_NOFOCUS = 0x8;        // never takes the entry focus
inline constexpr unsigned FF_SUPPORTED = 0x10;     // has a supporting form
inline constexpr unsigned FF_WHOLEDOLLARS = 0x40;  // money kept in whole dollars
inline constexpr unsigned FF_NOTMODIFYING = 0x100; // a change does not mark the return modified
inline constexpr unsigned FF_OVERRIDDEN = 0x10000; // calculated value replaced by the user
inline constexpr unsigned FF_HASVALUE = 0x20000;   // holds a value
inline constexpr unsigned FF_ESTIMATED = 0x40000;  // marked as an estimate
inline constexpr unsigned FF_IMPORTED = 0x80000;   // filled from last year's return
inline constexpr unsigned FF_ENTERED = 0x100000;   // entered by the user

// Colours of a field's state, 0x00BBGGRR; first match wins: no field bound or input field
// green, protected grey, overridden red, calculated and not enterable blue, estimated red.
inline constexpr std::uint32_t FIELD_COLOR_INPUT = 0x00008000;      // RGB(0,128,0)
inline constexpr std::uint32_t FIELD_COLOR_PROTECTED = 0x00808080;  // RGB(128,128,128)
inline constexpr std::uint32_t FIELD_COLOR_OVERRIDDEN = 0x000000FF; // RGB(255,0,0)
inline constexpr std::uint32_t FIELD_COLOR_CALCULATED = 0x00FF0000; // RGB(0,0,255)
inline constexpr std::uint32_t FIELD_COLOR_ESTIMATED = 0x000000FF;  // RGB(255,0,0)

// Special day numbers (GetDate, SetDate).
inline constexpr std::int32_t DATE_NONE = 0;
inline constexpr std::int32_t DATE_TODAY = -1; // only given to a date object; never stored
inline constexpr std::int32_t DATE_VARIOUS = -2;
inline constexpr std::int32_t DATE_INHERITED = -3;
inline constexpr std::int32_t DATE_BANKRUPT = -5;

// One field of a form copy, owned by the copy's form manager. Fixed slot order, placeholders
// for the unnamed slots 25 and 30, no virtual destructor. Every value or flag change the caller
// makes is followed by Refresh, where the module recalculates.
struct CField {
    virtual int GetFieldNumber() = 0;        // the number FindField answers (16 bits)
    virtual int GetElementIndex() = 0;       // the element index FindField was given (16 bits)
    virtual int GetType() = 0;               // FT_ code
    virtual CFormCopy* GetCopy() = 0;        // the copy that holds the field
    virtual int TestFlag(unsigned mask) = 0; // FF_ flags, non-zero when any bit is set
    virtual void SetFlag(unsigned mask, int on) = 0;
    virtual void Refresh() = 0; // recalculates everything that depends on the field
    virtual std::int32_t GetLong() = 0;
    virtual std::int64_t GetMoney() = 0; // cents
    virtual double GetDouble() = 0;
    // Non-zero when a check or option field is set; other types count as set when they hold a
    // non-empty, non-zero value.
    virtual int IsSet() = 0;
    virtual std::int32_t GetDate() = 0; // day number, DATE_ words, 0 for none
    // The value as text (text types, and a plain rendering of the others); characters written.
    virtual int GetText(char* buffer, int size) = 0;
    virtual void SetLong(std::int32_t value) = 0;
    virtual void SetMoney(std::int64_t cents) = 0;
    virtual void SetDouble(double value) = 0;
    virtual void SetChecked(int on) = 0;
    virtual void SetDate(std::int32_t day) = 0; // 0 clears
    virtual void SetText(const char* text) = 0; // a date field maps "Various" and its kin
    virtual std::int32_t GetLongMin() = 0;      // inclusive bounds of the value
    virtual std::int32_t GetLongMax() = 0;
    virtual std::int64_t GetMoneyMin() = 0; // fit the 11-character money entry
    virtual std::int64_t GetMoneyMax() = 0;
    virtual double GetDoubleMin() = 0;
    virtual double GetDoubleMax() = 0;
    virtual void Unused25() = 0;
    virtual int GetChoice() = 0;      // index of a choice field, -1 for none
    virtual int GetChoiceCount() = 0; // number of choices
    virtual int GetChoiceLabel(int index, char* buffer, int size) = 0; // drawn in the box (128)
    virtual int GetChoiceText(int index, char* buffer, int size) = 0;  // list entry (100)
    virtual void Unused30() = 0;
    virtual void SetChoice(int index) = 0; // -1 for none

protected:
    ~CField() = default;
};

inline constexpr int FIELD_SLOTS = 32;
