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
    const std::string digits = std::to_string(whole);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
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
    if (!negative)
        return text;
    std::string wrapped(1, '(');
    wrapped.append(text);
    wrapped.push_back(')');
    return wrapped;
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
