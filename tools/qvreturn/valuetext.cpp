#include "valuetext.h"

#include "app/money.h"
#include "platform/text.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace qvreturn {
namespace {

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool isLeap(int y) {
    return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
}

int monthLength(int y, int m) {
    return m == 2 && isLeap(y) ? 29 : kMonthDays[m - 1];
}

std::string digitsOf(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            digits += c;
    }
    return digits;
}

// A money or integer text: optional sign, digits with commas, at most one point.
bool isAmount(const std::string& text, bool allowPoint) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool digit = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c)))
            digit = true;
        else if (c == '.' && allowPoint && !point)
            point = true;
        else if (c != ',' || point)
            return false;
    }
    return digit;
}

std::string textOf(CField* field) {
    char buffer[256] = {};
    field->GetText(buffer, sizeof buffer);
    return buffer;
}

bool storeTyped(CField* field, const std::string& text, std::string& error) {
    const std::string t = text;
    switch (field->GetType()) {
    case FT_MONEY: {
        if (t.empty()) {
            field->SetMoney(0);
            return true;
        }
        if (!isAmount(t, true)) {
            error = "'" + t + "' is not an amount";
            return false;
        }
        std::int64_t cents = ParseMoney(t);
        if (field->TestFlag(FF_WHOLEDOLLARS))
            cents = cents / 100 * 100;
        if (cents < field->GetMoneyMin() || cents > field->GetMoneyMax()) {
            error = "'" + t + "' is out of the field's range";
            return false;
        }
        field->SetMoney(cents);
        return true;
    }
    case FT_INTEGER: {
        if (!isAmount(t, false)) {
            error = "'" + t + "' is not a whole number";
            return false;
        }
        std::string plain;
        for (char c : t)
            if (c != ',')
                plain += c;
        const long long value = std::strtoll(plain.c_str(), nullptr, 10);
        if (value < field->GetLongMin() || value > field->GetLongMax()) {
            error = "'" + t + "' is out of the field's range";
            return false;
        }
        field->SetLong(std::int32_t(value));
        return true;
    }
    case FT_DECIMAL: {
        char* end = nullptr;
        const double value = std::strtod(t.c_str(), &end);
        if (t.empty() || *end != '\0' || value < field->GetDoubleMin() ||
            value > field->GetDoubleMax()) {
            error = "'" + t + "' is not a number the field takes";
            return false;
        }
        field->SetDouble(value);
        return true;
    }
    case FT_DATE: {
        const std::string word = pf::upper(t);
        std::int32_t day = 0;
        if (word.rfind("VAR", 0) == 0)
            day = DATE_VARIOUS;
        else if (word.rfind("INH", 0) == 0)
            day = DATE_INHERITED;
        else if (word.rfind("BANK", 0) == 0)
            day = DATE_BANKRUPT;
        else if (!t.empty() && (day = ParseDate(t)) == 0) {
            error = "'" + t + "' is not a date (MM/DD/YYYY)";
            return false;
        }
        field->SetDate(day);
        return true;
    }
    case FT_CHECK:
    case FT_OPTION: {
        if (t != "0" && t != "1") {
            error = "a check box takes 1 or 0";
            return false;
        }
        CFormCopy* copy = field->GetCopy();
        if (t == "1" && field->GetType() == FT_OPTION && copy &&
            copy->GetOptionGroup(field->GetFieldNumber()))
            copy->SelectOption(field->GetFieldNumber());
        else
            field->SetChecked(t == "1");
        return true;
    }
    case FT_CHOICE: {
        const int count = field->GetChoiceCount();
        char* end = nullptr;
        const long index = std::strtol(t.c_str(), &end, 10);
        if (t.empty() || *end != '\0' || index < -1 || index >= count) {
            error = "a choice takes an index from 0 to " + std::to_string(count - 1);
            return false;
        }
        field->SetChoice(int(index));
        return true;
    }
    case FT_SSN:
    case FT_EIN:
    case FT_PHONE: {
        const std::string digits = digitsOf(t);
        const int type = field->GetType();
        if (type == FT_SSN && pf::upper(t) == "DIED") {
            field->SetText("DIED");
            return true;
        }
        const std::size_t want = type == FT_PHONE ? 10 : 9;
        if (!t.empty() && digits.size() != want) {
            error = "'" + t + "' needs " + std::to_string(want) + " digits";
            return false;
        }
        std::string formatted;
        if (!digits.empty()) {
            if (type == FT_SSN)
                formatted =
                    digits.substr(0, 3) + "-" + digits.substr(3, 2) + "-" + digits.substr(5);
            else if (type == FT_EIN)
                formatted = digits.substr(0, 2) + "-" + digits.substr(2);
            else
                formatted =
                    "(" + digits.substr(0, 3) + ")" + digits.substr(3, 3) + "-" + digits.substr(6);
        }
        field->SetText(formatted.c_str());
        return true;
    }
    default:
        if (t.size() > 255) {
            error = "the text is longer than 255 characters";
            return false;
        }
        field->SetText(t.c_str());
        return true;
    }
}

} // namespace

std::int32_t DayNumber(int y, int m, int d) {
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > monthLength(y, m))
        return 0;
    std::int32_t days = 365 * (y - 1) + (y - 1) / 4 + (y - 1) / 400 - (y - 1) / 100;
    for (int i = 1; i < m; ++i)
        days += monthLength(y, i);
    return days + d - 1;
}

std::int32_t ParseDate(const std::string& text) {
    std::vector<int> runs;
    std::string run;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : '\0';
        if (std::isdigit(static_cast<unsigned char>(c))) {
            if (run.size() < 6)
                run += c;
            continue;
        }
        if (!run.empty())
            runs.push_back(std::atoi(run.c_str()));
        run.clear();
    }
    if (runs.size() < 2 || runs.size() > 3)
        return 0;
    int year = runs.size() == 3 ? runs[2] : 2002;
    if (year <= 3)
        year += 2000;
    else if (year < 100)
        year += 1900;
    return DayNumber(year, runs[0], runs[1]);
}

std::string FormatDate(std::int32_t day) {
    switch (day) {
    case DATE_VARIOUS:
        return "Various";
    case DATE_INHERITED:
        return "Inherit";
    case DATE_BANKRUPT:
        return "Bankrupt";
    default:
        break;
    }
    if (day <= 0)
        return {};
    // Walk years then months from the day number.
    int y = 1 + int(day / 366);
    while (DayNumber(y + 1, 1, 1) <= day && y < 9999)
        ++y;
    while (y > 1 && DayNumber(y, 1, 1) > day)
        --y;
    int m = 1;
    while (m < 12 && DayNumber(y, m + 1, 1) <= day)
        ++m;
    const int d = day - DayNumber(y, m, 1) + 1;
    char out[40];
    std::snprintf(out, sizeof out, "%02i/%02i/%04i", m, d, y);
    return out;
}

bool StoreFieldText(CField* field, const std::string& text, std::string& error) {
    if (field->TestFlag(FF_PROTECTED)) {
        error = "the field is protected";
        return false;
    }
    if (field->TestFlag(FF_CALCULATED) && !field->TestFlag(FF_ENTERABLE)) {
        error = "the field is calculated";
        return false;
    }
    if (!storeTyped(field, text, error))
        return false;
    field->SetFlag(FF_HASVALUE | FF_ENTERED, text.empty() ? 0 : 1);
    if (CFormCopy* copy = field->GetCopy())
        copy->SetCopyFlag(CF_CHANGED, 1);
    field->Refresh();
    return true;
}

std::string FieldDisplayText(CField* field) {
    switch (field->GetType()) {
    case FT_MONEY:
        return FormatMoney(field->TestFlag(FF_WHOLEDOLLARS) ? unsigned(MF_WHOLE_DOLLARS) : 0u,
                           field->GetMoney());
    case FT_INTEGER:
        return std::to_string(field->GetLong());
    case FT_DATE:
        return FormatDate(field->GetDate());
    case FT_CHECK:
    case FT_OPTION:
        return field->IsSet() ? "X" : "";
    case FT_CHOICE: {
        const int index = field->GetChoice();
        if (index < 0)
            return {};
        char label[129] = {};
        field->GetChoiceLabel(index, label, 128);
        return label;
    }
    default:
        return textOf(field);
    }
}

} // namespace qvreturn
