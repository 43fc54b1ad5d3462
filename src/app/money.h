#pragma once

#include <cstdint>
#include <string>

// Money is a signed 64-bit count of cents everywhere in the program.

// Reads an optional "+" or "-", then digits with commas ignored, then after a "." at most
// two decimals (further ones are cut, not rounded; missing ones count as 0). Any other
// character ends the number. Amounts beyond the 64-bit range saturate.
std::int64_t ParseMoney(const std::string& text);

enum MoneyFlags : unsigned {
    MF_WHOLE_DOLLARS = 1,     // drop the cents
    MF_APPEND_ZERO_CENTS = 4, // with MF_WHOLE_DOLLARS: append ".00" to the whole dollars
};

// "1,234.56", "-1,234.56"; thousands separated by commas.
std::string FormatMoney(unsigned flags, std::int64_t cents);

// Prints `value` with `decimals` digits after the point (0 or more than 6 mean 6), moved by
// 0.00000001 away from zero first so that halves round outwards despite binary fractions.
std::string FormatDecimal(double value, int decimals);
