#include "valuetext.h"

#include "app/money.h"
#include "forms/daynumber.h"
#include "forms/fieldformat.h"
#include "forms/fieldstore.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>

#include <cstdlib>

namespace qvreturn {
namespace {

std::string textOf(CField* field) {
    char buffer[256] = {};
    field->GetText(buffer, sizeof buffer);
    return buffer;
}

// Check boxes, option buttons and choices have no typed text: they take 1/0 and an index.
bool storeMark(CField* field, const std::string& t, std::string& error) {
    switch (field->GetType()) {
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
        break;
    }
    default: {
        const int count = field->GetChoiceCount();
        char* end = nullptr;
        const long index = std::strtol(t.c_str(), &end, 10);
        if (t.empty() || *end != '\0' || index < -1 || index >= count) {
            error = "a choice takes an index from 0 to " + std::to_string(count - 1);
            return false;
        }
        field->SetChoice(int(index));
        break;
    }
    }
    field->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
    if (CFormCopy* copy = field->GetCopy())
        copy->SetCopyFlag(CF_CHANGED, 1);
    field->Refresh();
    return true;
}

} // namespace

bool StoreFieldText(CField* field, const std::string& text, std::string& error) {
    if (field->TestFlag(FF_PROTECTED)) {
        error = "the field is protected";
        return false;
    }
    if (qv::NeedsOverride(*field)) {
        error = "the field is calculated";
        return false;
    }
    switch (field->GetType()) {
    case FT_CHECK:
    case FT_OPTION:
    case FT_CHOICE:
        return storeMark(field, text, error);
    default:
        break;
    }
    // Typed text goes through the program's own store rules, refusals with their messages.
    qv::StoreContext context;
    if (field->TestFlag(FF_WHOLEDOLLARS))
        context.layoutFlags = MF_WHOLE_DOLLARS;
    const qv::StoreResult result = qv::StoreFieldText(*field, text, context);
    switch (result.outcome) {
    case qv::StoreOutcome::Stored:
        return true;
    case qv::StoreOutcome::Refused:
        error = qv::EntryErrorText(*field, result.error);
        return false;
    default:
        error = "the field takes no typed value";
        return false;
    }
}

std::string FieldDisplayText(CField* field) {
    switch (field->GetType()) {
    case FT_MONEY:
        return FormatMoney(field->TestFlag(FF_WHOLEDOLLARS) ? unsigned(MF_WHOLE_DOLLARS) : 0u,
                           field->GetMoney());
    case FT_INTEGER:
        return std::to_string(field->GetLong());
    case FT_DATE:
        return qv::FormatDate(field->GetDate());
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
