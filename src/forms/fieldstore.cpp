#include "forms/fieldstore.h"

#include "app/money.h"
#include "forms/daynumber.h"
#include "forms/fieldformat.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>

#include <cctype>
#include <cstdlib>
#include <limits>

namespace qv {
namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The leading integer, saturated to 64 bits so that a long run of digits can never wrap
// into the field's range.
std::int64_t leadingInteger(const std::string& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max() / 10 - 9;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        if (value < kMax)
            value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

bool equalsNoCase(const std::string& a, const std::string& b, std::size_t length) {
    if (a.size() < length || b.size() < length)
        return false;
    for (std::size_t i = 0; i < length; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

void markUserChange(CField& field, const StoreContext& context) {
    field.SetFlag(FF_HASVALUE | FF_ENTERED, 1);
    CFormCopy* copy = field.GetCopy();
    const bool quiet = (copy && copy->TestFlag(CF_NOTMODIFYING)) || field.TestFlag(FF_NOTMODIFYING);
    if (!quiet && context.markModified)
        context.markModified();
    if (copy)
        copy->SetCopyFlag(CF_CHANGED, 1);
    field.Refresh();
}

void markModified(const StoreContext& context) {
    if (context.markModified)
        context.markModified();
}

StoreResult refused(int kind) {
    return {StoreOutcome::Refused, kind};
}

} // namespace

std::int64_t RoundToWholeDollars(std::int64_t cents) {
    const bool negative = cents < 0;
    // Through unsigned: the magnitude of the most negative value exists there.
    const std::uint64_t magnitude =
        negative ? std::uint64_t(0) - std::uint64_t(cents) : std::uint64_t(cents);
    std::uint64_t dollars = magnitude / 100;
    if (magnitude % 100 >= 50 && dollars < std::uint64_t(INT64_MAX) / 100)
        ++dollars;
    const std::int64_t rounded = std::int64_t(dollars * 100);
    return negative ? -rounded : rounded;
}

StoreResult StoreFieldText(CField& field, const std::string& typed, const StoreContext& context) {
    const int type = field.GetType();
    std::string text = typed;
    switch (type) {
    case FT_MONEY: {
        text = trimmed(typed);
        std::int64_t v = ParseMoney(text);
        if (!text.empty() && (v < field.GetMoneyMin() || v > field.GetMoneyMax()))
            return refused(EE_GENERAL);
        if (context.layoutFlags & MF_WHOLE_DOLLARS)
            v = RoundToWholeDollars(v);
        field.SetMoney(v);
        break;
    }
    case FT_INTEGER: {
        text = trimmed(typed);
        const std::int64_t v = leadingInteger(text);
        if (!text.empty() && (v < field.GetLongMin() || v > field.GetLongMax()))
            return refused(EE_GENERAL);
        field.SetLong(std::int32_t(v));
        break;
    }
    case FT_DATE: {
        text = trimmed(typed);
        if (text.empty()) {
            field.SetDate(0);
            break;
        }
        const std::optional<std::int32_t> day = ParseDate(text);
        if (!day)
            return refused(EE_BAD_DATE);
        field.SetDate(*day);
        break;
    }
    case FT_DECIMAL: {
        text = trimmed(typed);
        double v = 0.0;
        if (!text.empty()) {
            v = std::strtod(text.c_str(), nullptr);
            // Stored as shown: rounded to the field's decimals.
            v = std::strtod(FormatDecimal(v, context.decimals).c_str(), nullptr);
            // Written so that NaN fails as well.
            if (!(v >= field.GetDoubleMin() && v <= field.GetDoubleMax()))
                return refused(EE_GENERAL);
        }
        field.SetDouble(v);
        break;
    }
    case FT_TEXT:
        text = typed.substr(0, 255);
        field.SetText(text.c_str());
        break;
    case FT_SSN:
        for (char& c : text)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        if (!text.empty() && text.size() != 11 && text != "DIED")
            return refused(EE_GENERAL);
        field.SetText(text.c_str());
        break;
    case FT_EIN:
        if (!text.empty() && text.size() <= 9)
            return refused(EE_GENERAL);
        field.SetText(text.c_str());
        break;
    case FT_PHONE:
        if (!text.empty() && text.size() <= 12)
            return refused(EE_GENERAL);
        field.SetText(text.c_str());
        break;
    default:
        return {};
    }
    markUserChange(field, context);
    if (text.empty()) {
        field.SetFlag(FF_HASVALUE | FF_ENTERED, 0);
        field.Refresh();
    }
    return {StoreOutcome::Stored, 0};
}

bool StoreChoiceText(CField& field, const std::string& text, const StoreContext& context) {
    if (field.GetType() != FT_CHOICE)
        return false;
    const int count = field.GetChoiceCount();
    int index = -1;
    for (int pass = 0; pass < 2 && index < 0; ++pass) {
        for (int i = 0; i < count; ++i) {
            char buffer[100] = {};
            field.GetChoiceText(i, buffer, sizeof buffer);
            buffer[sizeof buffer - 1] = '\0';
            const std::string entry = buffer;
            const bool match =
                pass == 0 ? entry.size() == text.size() && equalsNoCase(entry, text, text.size())
                          : !text.empty() && equalsNoCase(entry, text, text.size());
            if (match) {
                index = i;
                break;
            }
        }
    }
    if (index == field.GetChoice())
        return false;
    field.SetChoice(index);
    markUserChange(field, context);
    if (index < 0) {
        field.SetFlag(FF_HASVALUE | FF_ENTERED, 0);
        field.Refresh();
    }
    return true;
}

bool OverrideField(CField& field, const StoreContext& context) {
    if (field.TestFlag(FF_PROTECTED) || !field.TestFlag(FF_CALCULATED))
        return false;
    field.SetFlag(FF_OVERRIDDEN, 1);
    field.Refresh();
    markModified(context);
    return true;
}

bool ClearOverride(CField& field, const StoreContext& context) {
    if (!field.TestFlag(FF_OVERRIDDEN))
        return false;
    field.SetFlag(FF_OVERRIDDEN, 0);
    field.SetFlag(FF_HASVALUE | FF_ENTERED, 0);
    field.Refresh();
    markModified(context);
    return true;
}

bool ToggleEstimate(CField& field, const StoreContext& context) {
    if (field.TestFlag(FF_PROTECTED))
        return false;
    field.SetFlag(FF_ESTIMATED, field.TestFlag(FF_ESTIMATED) ? 0 : 1);
    field.Refresh();
    markModified(context);
    return true;
}

bool ClearEstimate(CField& field, const StoreContext& context) {
    if (!field.TestFlag(FF_ESTIMATED))
        return false;
    field.SetFlag(FF_ESTIMATED, 0);
    field.Refresh();
    markModified(context);
    return true;
}

} // namespace qv
