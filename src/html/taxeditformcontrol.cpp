#include "html/taxeditformcontrol.h"

#include "app/money.h"
#include "forms/fieldformat.h"
#include "forms/fieldstore.h"
#include "forms/messageballoon.h"
#include "html/htmldocument.h"
#include "html/htmltokens.h"
#include "html/htmlwindow.h"
#include "html/taxedit.h"
#include "platform/dc.h"
#include "platform/messagebox.h"
#include "platform/text.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <QPalette>

namespace {

// Decimal places a page shows for a decimal field; the field itself does not say.
constexpr int kPageDecimals = 2;

std::string nameOf(CFormManager* fm, int form, int field) {
    char buf[QV_NAME_SIZE] = {};
    if (field)
        fm->GetFieldName(buf, sizeof buf, form, field);
    else
        fm->GetFormName(buf, sizeof buf, form);
    return pf::upper(buf);
}

const char* kSsnAltered =
    "The Social Security Number has been altered in the currently-open return.\r\n\r\n"
    "If the Social Security Number was entered incorrectly and this is a correction, you are "
    "following the appropriate course of action.\r\n\r\n"
    "However, if you are attempting to create and file a DIFFERENT tax return by altering the "
    "basic information in this return, this process "
    "is NOT recommended. To create and file a DIFFERENT tax return, you MUST select the 'File' "
    "menu at the top of the screen, then "
    "select the 'New Return' menu.";

// Shown at most once while the program runs.
bool g_ssnNoticeShown = false;

} // namespace

CTaxEditFormControl::CTaxEditFormControl(int token, HtmlDocument* doc, PageForm* form,
                                         const qv::AttributeList& attrs, CField* field,
                                         CFormCopy* copy)
    : BoundFormControl(token, doc, form, attrs, field, copy) {}

CTaxEditFormControl::~CTaxEditFormControl() {
    if (CTaxEdit* e = edit())
        e->detach();
}

CTaxEdit* CTaxEditFormControl::edit() const {
    return static_cast<CTaxEdit*>(m_window);
}

void CTaxEditFormControl::MaskFor(CField& field, const std::string& formName,
                                  const std::string& fieldName, std::string& mask, int& limit) {
    switch (field.GetType()) {
    case FT_MONEY:
        mask = "###########";
        break;
    case FT_DATE:
        mask = "##/##/####";
        break;
    case FT_DECIMAL:
        mask = "#######";
        break;
    case FT_SSN:
        mask = "###-##-####";
        break;
    case FT_EIN:
        mask = "##-#######";
        break;
    case FT_PHONE:
        mask = "(###)###-####";
        break;
    case FT_INTEGER:
        // The e-file PINs are five digits.
        mask = formName == "USWEFWKSHT" &&
                       (fieldName == "TPSSPIN" || fieldName == "SPSSPIN" || fieldName == "EROPIN")
                   ? "#####"
                   : "#############";
        break;
    default:
        mask.clear();
        return; // text: the caller decides the limit
    }
    limit = int(mask.size());
}

std::string CTaxEditFormControl::displayText() const {
    if (!m_field)
        return std::string();
    switch (m_field->GetType()) {
    case FT_MONEY: {
        const std::int64_t cents = m_field->GetMoney();
        if (cents == 0)
            return std::string();
        return FormatMoney(m_field->TestFlag(FF_WHOLEDOLLARS) ? unsigned(MF_WHOLE_DOLLARS) : 0u,
                           cents);
    }
    case FT_INTEGER: {
        const std::int32_t v = m_field->GetLong();
        return v == 0 ? std::string() : std::to_string(v);
    }
    case FT_DECIMAL: {
        const double v = m_field->GetDouble();
        return v == 0 ? std::string() : FormatDecimal(v, kPageDecimals);
    }
    default: {
        char buf[QV_LONGTEXT_SIZE] = {};
        m_field->GetText(buf, sizeof buf);
        return buf;
    }
    }
}

QWidget* CTaxEditFormControl::makeWindow(QWidget* parent) {
    auto* e = new CTaxEdit(this, parent);
    e->setTextMargins(1, 1, 1, 1);
    e->SetOwner(page());
    e->SetHost(page());
    e->SetField(m_field, 0);
    e->SetFieldType(short(m_field->GetType()));
    e->SetMode(CFieldEdit::MirrorMode);
    if (m_field->GetType() == FT_DECIMAL)
        e->SetDecimals(kPageDecimals);
    if (m_field->GetType() == FT_MONEY && m_field->TestFlag(FF_WHOLEDOLLARS))
        e->SetLayoutFlags(MF_WHOLE_DOLLARS);
    CFormManager* fm = m_copy->GetFormManager();
    std::string mask;
    int limit = 0;
    MaskFor(*m_field, nameOf(fm, m_copy->GetFormIndex(), 0),
            nameOf(fm, m_copy->GetFormIndex(), m_field->GetFieldNumber()), mask, limit);
    if (mask.empty()) {
        if (const qv::HtmlAttribute* max = attribute(qv::att::MAXLENGTH); max && max->num > 0)
            limit = max->num;
        else if (HtmlWindow* p = page())
            limit = int(pf::sendMessage(p->host(), pf::UM_GET_FIELD_WIDTH,
                                        pf::WPARAM(m_field->GetFieldNumber()),
                                        reinterpret_cast<pf::LPARAM>(m_field)));
        if (limit <= 0)
            limit = 25;
    } else if (const qv::HtmlAttribute* max = attribute(qv::att::MAXLENGTH);
               max && max->num > 0 && max->num < limit) {
        limit = max->num;
    }
    e->SetMask(mask);
    e->SetTextLimit(limit);
    return e;
}

void CTaxEditFormControl::created() {
    readValue();
}

void CTaxEditFormControl::applyColours() {
    CTaxEdit* e = edit();
    if (!e || !m_field)
        return;
    QPalette pal = e->palette();
    QColor colour = QPalette().color(QPalette::Text);
    if (m_field->TestFlag(FF_PROTECTED))
        colour = QColor(128, 128, 128);
    else if (m_field->TestFlag(FF_OVERRIDDEN))
        colour = QColor(255, 0, 0);
    else if (m_field->TestFlag(FF_CALCULATED) && !m_field->TestFlag(FF_ENTERABLE))
        colour = QColor(0, 0, 255);
    pal.setColor(QPalette::Text, colour);
    e->setPalette(pal);
}

void CTaxEditFormControl::readValue() {
    m_text = displayText();
    if (CTaxEdit* e = edit()) {
        e->SetFieldText(m_text);
        e->setModified(false);
        applyColours();
    }
}

std::string CTaxEditFormControl::text() const {
    return edit() ? edit()->Text() : m_text;
}

bool CTaxEditFormControl::modified() const {
    return edit() && edit()->isModified();
}

bool CTaxEditFormControl::store(std::string& message) {
    message.clear();
    if (!m_field || !modified())
        return true;
    const std::string typed = text();
    const bool wasEntered = m_field->TestFlag(FF_ENTERED) != 0;
    qv::StoreContext context;
    if (m_field->GetType() == FT_MONEY && m_field->TestFlag(FF_WHOLEDOLLARS))
        context.layoutFlags = MF_WHOLE_DOLLARS;
    context.decimals = kPageDecimals;
    HtmlWindow* p = page();
    context.markModified = [p] {
        if (p)
            p->MarkReturnModified();
    };
    // Short numbers are kept on a page, with a word on their form.
    const std::size_t n = typed.size();
    if (!typed.empty()) {
        if (m_field->GetType() == FT_SSN && pf::upper(typed) != "DIED" && n < 11)
            message = "Please enter a SSN as ###-##-####";
        else if (m_field->GetType() == FT_EIN && n < 10)
            message = "Please enter an EIN as ##-#######";
        else if (m_field->GetType() == FT_PHONE && n < 13)
            message = "Please enter a Phone as (###)###-####";
    }
    if (!message.empty()) {
        m_field->SetText(typed.c_str());
        markChanged();
        m_field->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
        m_field->Refresh();
    } else {
        const qv::StoreResult result = qv::StoreFieldText(*m_field, typed, context);
        if (result.outcome == qv::StoreOutcome::Refused) {
            message = CMessageBalloon::EntryErrorMessage(*m_field, result.error, true);
            if (message.empty())
                message = qv::EntryErrorText(*m_field, result.error);
            return false;
        }
    }
    if (wasEntered && !g_ssnNoticeShown && m_copy) {
        CFormManager* fm = m_copy->GetFormManager();
        if (fm->IsFederal() && nameOf(fm, m_copy->GetFormIndex(), 0) == "USF1040" &&
            nameOf(fm, m_copy->GetFormIndex(), m_field->GetFieldNumber()) == "SSN") {
            g_ssnNoticeShown = true;
            pf::messageBox(kSsnAltered, pf::MB_OK | pf::MB_ICONINFORMATION);
        }
    }
    readValue();
    return true;
}

void CTaxEditFormControl::gotFocus() {
    readValue();
    if (CTaxEdit* e = edit()) {
        if (m_lastRefused)
            e->deselect();
        else
            e->selectAll();
    }
    focused();
}

void CTaxEditFormControl::lostFocus() {
    HtmlWindow* p = page();
    if (!p || p->clearing())
        return;
    m_lastRefused =
        pf::sendMessage(p, pf::UM_COMMIT_FIELD, 0, reinterpret_cast<pf::LPARAM>(m_window)) == 0;
    readValue();
}

void CTaxEditFormControl::Print(pf::Dc& dc, int x, int y) {
    const std::string t = text();
    printFrame(dc, {x, y, x + m_width, y + m_height},
               t.empty() ? std::vector<std::string>{} : std::vector<std::string>{t}, false);
}
