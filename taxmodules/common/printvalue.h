#pragma once

#include "printimagefile.h"

#include <cstdint>
#include <string>

struct CField;

namespace qv {

// The text a field prints in its place on an official page: amounts with thousands
// separators and negative amounts in parentheses, whole dollars where the layout asks for
// them, an "X" for a set check or option, nothing for a zero or empty value.
std::string printValueText(CField* field, const GridPlace& place);

// "1,234.56", "(1,234.56)"; whole dollars "1,234" (".00" appended when asked).
std::string formAmountText(std::int64_t cents, bool wholeDollars, bool zeroCents);

} // namespace qv
