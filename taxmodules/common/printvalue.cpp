#include "printvalue.h"

#include "moduletext.h"

#include <quorva/field.h>

#include <cmath>
#include <cstdio>

namespace qv {
namespace {

constexpr unsigned kLayoutWholeDollars = 0x1;
constexpr unsigned kLayoutZeroCents = 0x4;

std::string grouped(std::uint64_t whole) {
    std::string digits = std::to_string(whole);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(std::size_t(at), ",");
    return digits;
}

} // namespace

std::string formAmountText(std::int64_t cents, bool wholeDollars, bool zeroCents) {
    const bool negative = cents < 0;
    std::uint64_t magnitude =
        negative ? std::uint64_t(0) - std::uint64_t(cents) : std::uint64_t(cents);
    std::string text;
    if (wholeDollars) {
        // Rounded half up, as whole-dollar lines are figured.
        text = grouped((magnitude + 50) / 100);
        if (zeroCents)
            text += ".00";
    } else {
        char frac[4];
        std::snprintf(frac, sizeof frac, ".%02u", unsigned(magnitude % 100));
        text = grouped(magnitude / 100) + frac;
    }
    return negative ? "(" + text + ")" : text;
}

std::string printValueText(CField* field, const GridPlace& place) {
    if (!field)
        return {};
    if (place.kind == 'C' || place.kind == 'O')
        return field->IsSet() ? "X" : "";
    switch (field->GetType()) {
    case FT_MONEY: {
        const std::int64_t cents = field->GetMoney();
        if (cents == 0)
            return {};
        const bool whole =
            (place.layoutFlags & kLayoutWholeDollars) || field->TestFlag(FF_WHOLEDOLLARS);
        return formAmountText(cents, whole, (place.layoutFlags & kLayoutZeroCents) != 0);
    }
    case FT_INTEGER: {
        const std::int32_t v = field->GetLong();
        return v == 0 ? std::string() : std::to_string(v);
    }
    case FT_DECIMAL: {
        const double v = field->GetDouble();
        if (v == 0 || !std::isfinite(v))
            return {};
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*f", place.decimals, v);
        return buf;
    }
    case FT_DATE:
        return dateText(field->GetDate());
    case FT_CHECK:
    case FT_OPTION:
        return field->IsSet() ? "X" : "";
    case FT_CHOICE: {
        const int choice = field->GetChoice();
        if (choice < 0)
            return {};
        char buf[128] = {};
        field->GetChoiceLabel(choice, buf, sizeof buf);
        if (!buf[0])
            field->GetChoiceText(choice, buf, 100);
        return buf;
    }
    default: {
        char buf[256] = {};
        field->GetText(buf, sizeof buf);
        return buf;
    }
    }
}

} // namespace qv
