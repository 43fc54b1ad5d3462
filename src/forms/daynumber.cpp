#include "forms/daynumber.h"

#include <quorva/field.h>

#include <cctype>
#include <cstdio>
#include <ctime>

namespace qv {
namespace {

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr const char* kMonthNames[12] = {"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};
constexpr int kDefaultYear = 2002;

int monthLength(int month, int year) {
    return month == 2 && IsLeapYear(year) ? 29 : kMonthDays[month - 1];
}

std::int32_t yearStart(int year) {
    const int y = year - 1;
    return 365 * y + y / 4 + y / 400 - y / 100;
}

bool startsWithNoCase(const std::string& text, const char* prefix) {
    std::size_t i = 0;
    for (; prefix[i]; ++i) {
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) !=
                                    std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

bool equalsNoCase(const std::string& text, const char* word) {
    return startsWithNoCase(text, word) && text.size() == std::char_traits<char>::length(word);
}

} // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool IsValidDate(int month, int day, int year) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= monthLength(month, year);
}

std::int32_t DayNumber(int month, int day, int year) {
    if (!IsValidDate(month, day, year))
        return 0;
    std::int32_t n = yearStart(year);
    for (int m = 1; m < month; ++m)
        n += monthLength(m, year);
    return n + day - 1;
}

bool SplitDayNumber(std::int32_t number, int& month, int& day, int& year) {
    if (number <= 0 || number > DayNumber(12, 31, 9999))
        return false;
    // 146097 days in 400 years: a guess within a year, then corrected.
    int y = int(std::int64_t(number) * 400 / 146097) + 1;
    while (y > 1 && yearStart(y) > number)
        --y;
    while (y < 9999 && yearStart(y + 1) <= number)
        ++y;
    std::int32_t rest = number - yearStart(y);
    int m = 1;
    while (rest >= monthLength(m, y)) {
        rest -= monthLength(m, y);
        ++m;
    }
    month = m;
    day = int(rest) + 1;
    year = y;
    return true;
}

std::int32_t TodayDayNumber() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DayNumber(local.tm_mon + 1, local.tm_mday, local.tm_year + 1900);
}

std::optional<std::int32_t> ParseDate(const std::string& raw) {
    std::size_t first = raw.find_first_not_of(" \t");
    const std::string text = first == std::string::npos ? std::string() : raw.substr(first);
    if (startsWithNoCase(text, "Cur") || equalsNoCase(text, "Today"))
        return TodayDayNumber();
    if (startsWithNoCase(text, "Var"))
        return DATE_VARIOUS;
    if (startsWithNoCase(text, "Inh"))
        return DATE_INHERITED;
    if (startsWithNoCase(text, "Bank"))
        return DATE_BANKRUPT;

    int parts[3] = {0, 0, -1};
    int found = 0;
    std::size_t i = 0;
    while (found < 3) {
        while (i < text.size() && !std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        if (i >= text.size())
            break;
        int value = 0;
        for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
            value =
                value > 99999 ? value : value * 10 + (text[i] - '0'); // stays invalid, no overflow
        parts[found++] = value;
    }
    if (found < 2)
        return std::nullopt;
    int year = parts[2];
    if (year < 0)
        year = kDefaultYear;
    else if (year <= 3)
        year += 2000;
    else if (year <= 99)
        year += 1900;
    if (!IsValidDate(parts[0], parts[1], year))
        return std::nullopt;
    return DayNumber(parts[0], parts[1], year);
}

std::string FormatDate(std::int32_t number, bool longForm) {
    switch (number) {
    case DATE_VARIOUS:
        return "Various";
    case DATE_BANKRUPT:
        return "Bankrupt";
    case DATE_INHERITED:
        return longForm ? "Inherited" : "Inherit";
    default:
        break;
    }
    int month = 0, day = 0, year = 0;
    if (!SplitDayNumber(number, month, day, year))
        return {};
    char out[48];
    if (longForm)
        std::snprintf(out, sizeof out, "%s %i, %04i", kMonthNames[month - 1], day, year);
    else
        std::snprintf(out, sizeof out, "%02i/%02i/%04i", month, day, year);
    return out;
}

} // namespace qv
