#include "moduletext.h"

#include <quorva/field.h>

#include <cstdio>
#include <cstring>

namespace qv {
namespace {

bool isLeap(int y) {
    return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
}

int monthLength(int y, int m) {
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : lengths[m - 1];
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool startsWithWord(std::string_view text, std::string_view word) {
    if (text.size() < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (upper(text[i]) != upper(word[i]))
            return false;
    }
    return true;
}

} // namespace

int putText(char* buffer, int size, std::string_view text) {
    if (!buffer || size < 1)
        return 0;
    const std::size_t n = std::min(text.size(), std::size_t(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return int(n);
}

std::string upperName(std::string_view name) {
    std::string s(name);
    for (char& c : s)
        c = upper(c);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}

std::int32_t dayNumber(int y, int m, int d) {
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > monthLength(y, m))
        return 0;
    const int p = y - 1;
    std::int32_t n = 365 * p + p / 4 + p / 400 - p / 100;
    for (int i = 1; i < m; ++i)
        n += monthLength(y, i);
    return n + d - 1;
}

bool dateOf(std::int32_t number, int& year, int& month, int& day) {
    if (number <= 0)
        return false;
    // Estimate the year, then correct it against the exact start of the year.
    int y = int(number / 365.2425) + 1;
    while (y > 1 && dayNumber(y, 1, 1) > number)
        --y;
    while (y < 9999 && dayNumber(y + 1, 1, 1) <= number)
        ++y;
    std::int32_t rest = number - dayNumber(y, 1, 1);
    int m = 1;
    while (m < 12 && rest >= monthLength(y, m))
        rest -= monthLength(y, m++);
    if (rest >= monthLength(y, m))
        return false;
    year = y;
    month = m;
    day = int(rest) + 1;
    return true;
}

std::string dateText(std::int32_t number) {
    switch (number) {
    case DATE_VARIOUS:
        return "Various";
    case DATE_INHERITED:
        return "Inherited";
    case DATE_BANKRUPT:
        return "Bankrupt";
    default:
        break;
    }
    int y = 0, m = 0, d = 0;
    if (!dateOf(number, y, m, d))
        return {};
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", m, d, y);
    return buf;
}

std::int32_t parseDate(std::string_view text) {
    if (startsWithWord(text, "Var"))
        return DATE_VARIOUS;
    if (startsWithWord(text, "Inh"))
        return DATE_INHERITED;
    if (startsWithWord(text, "Bank"))
        return DATE_BANKRUPT;
    int parts[3] = {0, 0, 0};
    int count = 0;
    std::size_t i = 0;
    while (i < text.size() && count < 3) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        int v = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && v < 100000)
            v = v * 10 + (text[i++] - '0');
        parts[count++] = v;
    }
    return count == 3 ? dayNumber(parts[2], parts[0], parts[1]) : 0;
}

std::string moneyText(std::int64_t cents) {
    const bool negative = cents < 0;
    const std::uint64_t v = negative ? 0 - std::uint64_t(cents) : std::uint64_t(cents);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%llu.%02llu", negative ? "-" : "",
                  static_cast<unsigned long long>(v / 100),
                  static_cast<unsigned long long>(v % 100));
    return buf;
}

std::int64_t parseMoney(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    std::int64_t whole = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (whole < 100000000000000LL)
            whole = whole * 10 + (text[i] - '0');
    }
    int fraction = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (int digits = 0; digits < 2; ++digits) {
            fraction *= 10;
            if (i < text.size() && text[i] >= '0' && text[i] <= '9')
                fraction += text[i++] - '0';
        }
    }
    const std::int64_t cents = whole * 100 + fraction;
    return negative ? -cents : cents;
}

std::string groupedMoneyText(std::int64_t cents) {
    std::string plain = moneyText(cents);
    const std::size_t start = plain[0] == '-' ? 1 : 0;
    const std::size_t point = plain.find('.');
    for (std::size_t i = point; i > start + 3; i -= 3)
        plain.insert(i - 3, 1, ',');
    return plain;
}

} // namespace qv
