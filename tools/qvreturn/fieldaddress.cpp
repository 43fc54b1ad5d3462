#include "fieldaddress.h"

#include "modules/modulelist.h"
#include "modules/taxmodule.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <cctype>

namespace qvreturn {
namespace {

bool isName(const std::string& text) {
    if (text.empty())
        return false;
    for (char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return true;
}

bool readNumber(const std::string& text, int& out) {
    if (text.empty() || text.size() > 6)
        return false;
    out = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
        out = out * 10 + (c - '0');
    }
    return true;
}

} // namespace

bool ParseFieldAddress(const std::string& text, FieldAddress& out, std::string& error) {
    out = FieldAddress{};
    std::string rest = text;
    const std::size_t comma = rest.find(',');
    if (comma != std::string::npos) {
        if (!readNumber(rest.substr(comma + 1), out.ordinal) || out.ordinal < 1) {
            error = "bad copy ordinal in '" + text + "'";
            return false;
        }
        rest.erase(comma);
    }
    const std::size_t open = rest.find('(');
    if (open != std::string::npos) {
        if (rest.back() != ')' ||
            !readNumber(rest.substr(open + 1, rest.size() - open - 2), out.index)) {
            error = "bad element index in '" + text + "'";
            return false;
        }
        rest.erase(open);
    }
    const std::size_t dot = rest.find('.');
    if (dot != std::string::npos) {
        out.form = rest.substr(0, dot);
        out.field = rest.substr(dot + 1);
        if (!isName(out.form)) {
            error = "bad form name in '" + text + "'";
            return false;
        }
    } else {
        out.field = rest;
        if (comma != std::string::npos || open != std::string::npos) {
            error = "a copy or index needs FORM.FIELD in '" + text + "'";
            return false;
        }
    }
    if (!isName(out.field)) {
        error = "bad field name in '" + text + "'";
        return false;
    }
    return true;
}

CField* ResolveField(CModuleList& modules, const FieldAddress& address, std::string& error) {
    if (address.form.empty()) {
        for (int n = 1; n <= modules.GetActiveCount(); ++n) {
            CTaxModule* module = modules.GetActive(n);
            if (CField* field = module->formManager()->GetFieldByName(address.field.c_str()))
                return field;
        }
        error = "no field " + address.field;
        return nullptr;
    }
    CTaxModule* module = modules.FindByFormName(address.form);
    if (!module || !module->formManager()) {
        error = "no module for form " + address.form;
        return nullptr;
    }
    if (!module->IsActive()) {
        error = "the " + module->GetModuleName() + " module is not in this return";
        return nullptr;
    }
    CFormManager* fm = module->formManager();
    const int form = fm->FindForm(address.form.c_str());
    if (form == 0) {
        error = "no form " + address.form;
        return nullptr;
    }
    CFormCopy* copy = fm->GetFormCopy(form, address.ordinal);
    if (!copy) {
        error = "no copy " + std::to_string(address.ordinal) + " of " + address.form;
        return nullptr;
    }
    const int number = fm->FindField(form, address.field.c_str(), address.index);
    CField* field = number ? copy->GetField(number) : nullptr;
    if (!field) {
        error = "no field " + address.field +
                (address.index ? "(" + std::to_string(address.index) + ")" : "") + " on " +
                address.form;
        return nullptr;
    }
    return field;
}

} // namespace qvreturn
