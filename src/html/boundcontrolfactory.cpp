#include "html/boundcontrolfactory.h"

#include "html/boundformcontrol.h"
#include "html/formcontrol.h"
#include "html/htmldocument.h"
#include "html/htmltokens.h"
#include "html/taxbuttonformcontrol.h"
#include "html/taxcheckboxformcontrol.h"
#include "html/taxcomboboxformcontrol.h"
#include "html/taxcopylistformcontrol.h"
#include "html/taxeditformcontrol.h"
#include "html/taxradiobuttonformcontrol.h"
#include "platform/text.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <cstdlib>

namespace {

// FORM=NAME[,n] of a button: the n-th copy (0 or missing: the first) of the page's module.
CFormCopy* buttonCopy(HtmlDocument& doc, const qv::AttributeList& attrs) {
    const qv::HtmlAttribute* a = qv::findAttribute(attrs, qv::att::FORM);
    CFormManager* fm = doc.formManager();
    if (!a || !fm)
        return nullptr;
    const std::string ref = pf::upper(a->text);
    const std::size_t comma = ref.find(',');
    const int form = fm->FindForm(ref.substr(0, comma).c_str());
    if (!form)
        return nullptr;
    const int n = comma == std::string::npos ? 0 : std::atoi(ref.c_str() + comma + 1);
    return fm->GetFormCopy(form, n == 0 ? 1 : n);
}

} // namespace

std::unique_ptr<CFormControl> qv::CreateBoundControl(HtmlDocument* doc, PageForm* form,
                                                     const AttributeList& attrs, bool* handled) {
    *handled = true;
    const int token = tok::INPUT;
    const HtmlAttribute* t = findAttribute(attrs, att::TYPE);
    const std::string type = t ? pf::lower(t->text) : std::string();
    CField* field = nullptr;
    CFormCopy* copy = nullptr;
    if (doc && doc->formManager()) {
        if (const HtmlAttribute* f = findAttribute(attrs, att::FIELD))
            field = ResolvePageField(*doc, f->text, &copy);
    }
    if (type == "button") {
        if (!field && doc)
            copy = buttonCopy(*doc, attrs);
        return std::make_unique<CTaxButtonFormControl>(token, doc, form, attrs, field, copy);
    }
    if (field) {
        const int kind = field->GetType();
        const bool grouped =
            kind == FT_OPTION && copy->GetOptionGroup(field->GetFieldNumber()) != 0;
        if (type == "radio" || kind == FT_CHECK || grouped)
            return std::make_unique<CTaxRadioButtonFormControl>(token, doc, form, attrs, field,
                                                                copy);
        if (type == "check" || type == "checkbox" || kind == FT_OPTION)
            return std::make_unique<CTaxCheckBoxFormControl>(token, doc, form, attrs, field, copy);
        if (kind == 11)
            return nullptr; // edited nowhere on a page
        if (kind == FT_CHOICE)
            return std::make_unique<CTaxComboBoxFormControl>(token, doc, form, attrs, field, copy);
        return std::make_unique<CTaxEditFormControl>(token, doc, form, attrs, field, copy);
    }
    if (type == "copylist")
        return std::make_unique<CTaxCopyListFormControl>(token, doc, form, attrs);
    // TYPE=check is the page's own check box; the plain kinds are made by the caller.
    if (type == "check")
        return std::make_unique<CTaxCheckBoxFormControl>(token, doc, form, attrs, nullptr, nullptr);
    *handled = false;
    return nullptr;
}
