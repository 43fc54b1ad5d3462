#pragma once

#include <cstdint>
#include <string>

struct CField;

// What a typed text means for a field of each type, and how a field's value reads. Kept in
// one place so that the program's own entry rules can take its place.
namespace qvreturn {

// Stores `text` as a user typing it into the field would, marks the field entered and its
// copy changed, and refreshes it. False with the reason in `error` when the field refuses
// the text or cannot be typed into.
bool StoreFieldText(CField* field, const std::string& text, std::string& error);
// The value as the form shows it ("50,000.00", "03/15/2000", "X", the choice's label).
std::string FieldDisplayText(CField* field);

// MM/DD/YYYY (two-digit years as the forms read them) to a day number; 0 when invalid.
std::int32_t ParseDate(const std::string& text);
std::string FormatDate(std::int32_t day);
std::int32_t DayNumber(int year, int month, int day);

} // namespace qvreturn
