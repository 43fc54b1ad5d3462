#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text helpers shared by the module libraries (which see nothing of the program's own code).
namespace qv {

// Copies text into a caller's buffer, cut to fit and zero-terminated; answers the characters
// written. A null buffer or a size below 1 writes nothing.
int putText(char* buffer, int size, std::string_view text);

// Names compare upper-cased, ASCII only.
std::string upperName(std::string_view name);
bool sameName(std::string_view a, std::string_view b);

// Day numbers: days counted from 1/1/1, the special words as negative values.
std::int32_t dayNumber(int year, int month, int day); // 0 for an invalid date
bool dateOf(std::int32_t number, int& year, int& month, int& day);
// "mm/dd/yyyy", or "Various", "Inherited", "Bankrupt"; "" for none.
std::string dateText(std::int32_t number);
// The reverse of dateText (the words by their first letters); 0 when unreadable.
std::int32_t parseDate(std::string_view text);

// Plain money text "-1234.56" and its reverse (digits, an optional sign and point).
std::string moneyText(std::int64_t cents);
std::int64_t parseMoney(std::string_view text);
// Money text with thousands separators, "-1,234.56", as forms print it.
std::string groupedMoneyText(std::int64_t cents);

} // namespace qv
