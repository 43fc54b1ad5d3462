#pragma once

#include <cstdint>
#include <string>

struct CField;

// How a field's value is entered and shown, by its FT_ type.
namespace qv {

// Text limit of a text field whose layout gives no width.
inline constexpr int kDefaultTextWidth = 25;

struct FieldTypeInfo {
    const char* mask;  // "#" takes a digit, anything else is a literal; "" for no mask
    int limit;         // characters the editor takes; 0 for no text entry
    bool rightAligned; // drawn and edited flush right
    bool textEntry;    // false for check, option and choice fields
};

// The entry rules of type `type`; `layoutWidth` is the text width byte of the field's box,
// used by text fields (and type 11, edited as text). Unknown types behave as text.
FieldTypeInfo TypeInfo(int type, int layoutWidth = 0);

// Calculated, and neither enterable, overridden nor protected: typing needs an override first.
bool NeedsOverride(CField& field);

// Colour (0x00BBGGRR) of a field's value by its state; a null field is drawn as input.
std::uint32_t StateColor(CField* field);

// The value as drawn in its box and put into the editor: money by the layout flags of its box
// (bits 0 and 2 are MF_WHOLE_DOLLARS and MF_APPEND_ZERO_CENTS of "app/money.h"), integers
// in plain digits, dates in the short form (blank while the field holds no value), decimals
// with `decimals` places, choice fields by their current label, other types as their text.
std::string FieldValueText(CField& field, unsigned layoutFlags = 0, int decimals = 0);

enum EntryErrorKind { EE_GENERAL = 0, EE_BAD_MONTH = 1, EE_BAD_DAY = 2, EE_BAD_DATE = 3 };

// The message shown for a refused entry of kind `kind` into `field`; empty for types that
// have no entry errors.
std::string EntryErrorText(CField& field, int kind);

} // namespace qv
