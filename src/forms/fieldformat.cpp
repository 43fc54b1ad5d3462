#include "forms/fieldformat.h"

#include "app/money.h"
#include "forms/daynumber.h"

#include <quorva/field.h>

#include <cstdio>

namespace qv {
namespace {

std::string fieldText(CField& field) {
    char buffer[256] = {};
    field.GetText(buffer, sizeof buffer);
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}

} // namespace

FieldTypeInfo TypeInfo(int type, int layoutWidth) {
    switch (type) {
    case FT_MONEY:
        return {"###########", 11, true, true};
    case FT_INTEGER:
        return {"#############", 13, true, true};
    case FT_DATE:
        return {"##/##/####", 10, false, true};
    case FT_DECIMAL:
        return {"#######", 8, true, true};
    case FT_CHECK:
    case FT_OPTION:
    case FT_CHOICE:
        return {"", 0, false, false};
    case FT_SSN:
        return {"###-##-####", 11, false, true};
    case FT_EIN:
        return {"##-#######", 10, false, true};
    case FT_PHONE:
        return {"(###)###-####", 13, false, true};
    default:
        return {"", layoutWidth > 0 ? layoutWidth : kDefaultTextWidth, false, true};
    }
}

bool NeedsOverride(CField& field) {
    return field.TestFlag(FF_CALCULATED) &&
           !field.TestFlag(FF_ENTERABLE | FF_OVERRIDDEN | FF_PROTECTED);
}

std::uint32_t StateColor(CField* field) {
    if (!field)
        return FIELD_COLOR_INPUT;
    if (field->TestFlag(FF_PROTECTED))
        return FIELD_COLOR_PROTECTED;
    if (field->TestFlag(FF_OVERRIDDEN))
        return FIELD_COLOR_OVERRIDDEN;
    if (field->TestFlag(FF_CALCULATED) && !field->TestFlag(FF_ENTERABLE))
        return FIELD_COLOR_CALCULATED;
    if (field->TestFlag(FF_ESTIMATED))
        return FIELD_COLOR_ESTIMATED;
    return FIELD_COLOR_INPUT;
}

std::string FieldValueText(CField& field, unsigned layoutFlags, int decimals) {
    switch (field.GetType()) {
    case FT_MONEY:
        return FormatMoney(layoutFlags & (MF_WHOLE_DOLLARS | MF_APPEND_ZERO_CENTS),
                           field.GetMoney());
    case FT_INTEGER:
        return std::to_string(field.GetLong());
    case FT_DATE: {
        const std::int32_t day = field.GetDate();
        if (day == 0 && !field.TestFlag(FF_HASVALUE))
            return {};
        return FormatDate(day);
    }
    case FT_DECIMAL:
        return FormatDecimal(field.GetDouble(), decimals);
    case FT_CHECK:
    case FT_OPTION:
        return {};
    case FT_CHOICE: {
        const int index = field.GetChoice();
        if (index < 0)
            return {};
        char buffer[128] = {};
        field.GetChoiceLabel(index, buffer, sizeof buffer);
        buffer[sizeof buffer - 1] = '\0';
        return buffer;
    }
    default:
        return fieldText(field);
    }
}

std::string EntryErrorText(CField& field, int kind) {
    char out[256];
    switch (field.GetType()) {
    case FT_MONEY:
        // The bounds go through the money text so that a negative bound keeps its sign on
        // the whole dollars and its cents stay two plain digits.
        return "Please enter a dollar amount between $" + FormatMoney(0, field.GetMoneyMin()) +
               " and $" + FormatMoney(0, field.GetMoneyMax());
    case FT_INTEGER:
        std::snprintf(out, sizeof out, "Please enter a number between %ld and %ld",
                      long(field.GetLongMin()), long(field.GetLongMax()));
        return out;
    case FT_DATE:
        switch (kind) {
        case EE_BAD_MONTH:
            return "A month must be between 1 and 12.";
        case EE_BAD_DAY:
            return "A day must be between 1 and 31.";
        case EE_BAD_DATE:
            return "Enter a date as mm/dd/yy";
        default:
            return "Please enter a Date as mm/dd/yyyy";
        }
    case FT_DECIMAL:
        std::snprintf(out, sizeof out, "Please enter a number between %f and %f",
                      field.GetDoubleMin(), field.GetDoubleMax());
        return out;
    case FT_SSN:
        return "Please enter a SSN as ###-##-####";
    case FT_EIN:
        return "Please enter an EIN as ##-#######";
    case FT_PHONE:
        return "Please enter a Phone as (###)###-####";
    default:
        return {};
    }
}

} // namespace qv
