#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Dates are signed 32-bit day numbers: positive values count days from 1/1/0001 (which is 0
// and therefore indistinguishable from "no date"), 0 is no date, and the DATE_ words of
// <quorva/field.h> stand for "Various", "Inherited" and "Bankrupt".
namespace qv {

bool IsLeapYear(int year);
// 1 <= year <= 9999, 1 <= month <= 12 and the day within that month.
bool IsValidDate(int month, int day, int year);
// The number of a valid date; 0 for an invalid one.
std::int32_t DayNumber(int month, int day, int year);
// Month, day and year of a positive day number up to 12/31/9999; false for anything else.
bool SplitDayNumber(std::int32_t number, int& month, int& day, int& year);
// Today's number by the local clock.
std::int32_t TodayDayNumber();

// Reads an entered date: the words Current/Today, Various, Inherited, Bankrupt by their
// leading letters, or month, day and year as three runs of digits with anything between them.
// No year means 2002; 0..3 is 2000..2003, 4..99 is 1904..1999. Nothing for an invalid date.
std::optional<std::int32_t> ParseDate(const std::string& text);

// "mm/dd/yyyy" ("Inherit" for the inherited word) or "Month d, yyyy" ("Inherited"); empty for
// 0 and for numbers that are no date.
std::string FormatDate(std::int32_t number, bool longForm = false);

} // namespace qv
