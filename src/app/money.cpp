#include "app/money.h"

#include <cinttypes>
#include <cstdio>
#include <limits>

namespace {

constexpr std::uint64_t kMaxWholeDollars = std::numeric_limits<std::int64_t>::max() / 100;

std::string groupThousands(const std::string& digits) {
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

} // namespace

std::int64_t ParseMoney(const std::string& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint64_t whole = 0;
    int cents = 0;
    int decimals = -1; // -1 until the point is seen
    bool saturated = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ',')
            continue;
        if (c == '.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        const int digit = c - '0';
        if (decimals < 0) {
            if (whole > (kMaxWholeDollars - std::uint64_t(digit)) / 10)
                saturated = true;
            else
                whole = whole * 10 + std::uint64_t(digit);
        } else if (decimals < 2) {
            cents = cents * 10 + digit;
            ++decimals;
        }
    }
    if (decimals == 1)
        cents *= 10;
    if (saturated)
        return negative ? -std::int64_t(kMaxWholeDollars * 100)
                        : std::int64_t(kMaxWholeDollars * 100);
    const std::int64_t value = std::int64_t(whole) * 100 + (decimals > 0 ? cents : 0);
    return negative ? -value : value;
}

std::string FormatMoney(unsigned flags, std::int64_t cents) {
    const bool negative = cents < 0;
    // Through unsigned so that the most negative value has an absolute value too.
    const std::uint64_t magnitude =
        negative ? std::uint64_t(0) - std::uint64_t(cents) : std::uint64_t(cents);
    char digits[32];
    std::snprintf(digits, sizeof digits, "%" PRIu64, magnitude / 100);
    std::string out = negative ? "-" : "";
    out += groupThousands(digits);
    if (flags & MF_WHOLE_DOLLARS) {
        if (flags & MF_APPEND_ZERO_CENTS)
            out += ".00";
        return out;
    }
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, ".%02" PRIu64, magnitude % 100);
    return out + fraction;
}

std::string FormatDecimal(double value, int decimals) {
    if (decimals <= 0 || decimals > 6)
        decimals = 6;
    value += value < 0 ? -0.00000001 : 0.00000001;
    char format[16];
    std::snprintf(format, sizeof format, "%%#.%if", decimals);
    char out[512];
    std::snprintf(out, sizeof out, format, value);
    return out;
}
