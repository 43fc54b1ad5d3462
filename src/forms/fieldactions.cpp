#include "forms/fieldactions.h"

#include "forms/fieldedit.h"
#include "forms/fieldedithost.h"
#include "forms/fieldformat.h"
#include "forms/fieldstore.h"
#include "forms/overridedlg.h"
#include "forms/overridewarningdlg.h"
#include "online/efilemodules.h"
#include "platform/dialogs.h"
#include "platform/messagebox.h"
#include "platform/text.h"

#include <quorva/field.h>

#include <QAction>
#include <QMenu>
#include <QWidget>

CFieldActions::CFieldActions(QWidget* editor, CField* field, CFieldEditHost& host,
                             pf::MsgTarget* owner)
    : m_editor(editor), m_field(field), m_host(host), m_owner(owner) {}

bool CFieldActions::CanEfile() const {
    return m_field && IsEfileModule(m_host.ModuleName(*m_field));
}

bool CFieldActions::AskOverride(int formIndex) {
    if (!m_field)
        return false;
    if (m_host.InFormPane()) {
        COverrideWarningDlg warning(m_editor);
        if (pf::execDialog(warning) != pf::IDYES ||
            (CanEfile() &&
             pf::messageBox(kEfileQuestion, pf::MB_YESNO | pf::MB_ICONWARNING) != pf::IDYES)) {
            if (m_editor)
                m_editor->setFocus();
            return false;
        }
    } else {
        COverrideDlg dialog(*m_field, formIndex, m_host, m_editor);
        const int answer = pf::execDialog(dialog);
        if (answer == COverrideDlg::IdOpenSupportingForm) {
            if (!m_host.OpenSupportingForm(*m_field) && m_editor)
                m_editor->setFocus();
            return false;
        }
        if (answer != COverrideDlg::IdOverrideValue) {
            if (m_editor)
                m_editor->setFocus();
            return false;
        }
    }
    qv::StoreContext context;
    context.markModified = [this] { m_host.MarkReturnModified(); };
    if (!qv::OverrideField(*m_field, context))
        return false;
    statusChanged();
    return true;
}

void CFieldActions::RefuseProtected() {
    const std::string form = m_field ? pf::upper(m_host.FormName(*m_field)) : std::string();
    if (form == "USF1040EZ" || form == "USF1040A")
        pf::messageBox(kReferenceFormsText, pf::MB_OK | pf::MB_ICONINFORMATION, pf::kAppCaption);
    else
        pf::messageBox(kProtectedText, pf::MB_OK);
}

bool CFieldActions::TextChangeAllowed(int formIndex) {
    if (!m_field)
        return true;
    if (m_field->TestFlag(FF_PROTECTED)) {
        RefuseProtected();
        return false;
    }
    return !qv::NeedsOverride(*m_field) || AskOverride(formIndex);
}

void CFieldActions::OverrideField() {
    if (m_field &&
        (!CanEfile() ||
         pf::messageBox(kEfileQuestion, pf::MB_YESNO | pf::MB_ICONWARNING) == pf::IDYES)) {
        if (qv::OverrideField(*m_field, {}))
            statusChanged();
    }
    pf::sendMessage(m_owner, pf::UM_MOVE_FIELD, CFieldEdit::kMoveStay);
    m_host.MarkReturnModified();
}

void CFieldActions::ClearOverride() {
    if (!m_field)
        return;
    qv::ClearOverride(*m_field, {});
    statusChanged();
    m_host.MarkReturnModified();
}

void CFieldActions::ToggleEstimate(bool clearOnly) {
    if (!m_field)
        return;
    const bool changed =
        clearOnly ? qv::ClearEstimate(*m_field, {}) : qv::ToggleEstimate(*m_field, {});
    if (!changed)
        return;
    m_host.MarkReturnModified();
    statusChanged();
}

bool CFieldActions::onDetailsForm() const {
    return m_field && pf::upper(m_host.ModuleName(*m_field)) == "FEDERAL" &&
           pf::upper(m_host.FormName(*m_field)) == "FDETAILS";
}

void CFieldActions::statusChanged() {
    m_host.FieldStatusChanged(*m_field);
    if (auto* edit = dynamic_cast<CFieldEdit*>(m_editor))
        edit->UpdateStateColor();
}

bool CFieldActions::IsEnabled(int id, bool hasSelection, bool canUndo, bool* checked) const {
    if (checked)
        *checked = false;
    switch (id) {
    case CFieldEdit::IdCut:
    case CFieldEdit::IdCopy:
    case CFieldEdit::IdDelete:
        return hasSelection;
    case CFieldEdit::IdPaste:
        return true;
    case CFieldEdit::IdUndo:
        return canUndo;
    default:
        break;
    }
    if (!m_field)
        return false;
    auto has = [this](unsigned flag) { return m_field->TestFlag(flag) != 0; };
    const bool locked =
        (has(FF_CALCULATED) || has(FF_PROTECTED) || has(FF_OVERRIDDEN)) && !has(FF_ENTERABLE);
    switch (id) {
    case CFieldEdit::IdOpenSupportingForm:
        return has(FF_SUPPORTED);
    case CFieldEdit::IdOverrideField:
        return locked && !has(FF_PROTECTED) && has(FF_CALCULATED) && !has(FF_OVERRIDDEN);
    case CFieldEdit::IdClearOverride:
        return locked && !has(FF_PROTECTED) && has(FF_OVERRIDDEN);
    case CFieldEdit::IdMarkAsEstimate:
        if (locked || onDetailsForm())
            return false;
        if (checked)
            *checked = has(FF_ESTIMATED);
        return true;
    case CFieldEdit::IdClearEstimate:
        return has(FF_ESTIMATED);
    case CFieldEdit::IdAddLineItemDetails:
        return !onDetailsForm();
    default:
        return false;
    }
}

std::unique_ptr<QMenu> CFieldActions::BuildEditMenu(bool hasSelection, bool canUndo) const {
    auto menu = std::make_unique<QMenu>(m_editor);
    auto item = [&](int id, const char* text) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setData(id);
        bool checked = false;
        action->setEnabled(IsEnabled(id, hasSelection, canUndo, &checked));
        if (id == CFieldEdit::IdMarkAsEstimate) {
            action->setCheckable(true);
            action->setChecked(checked);
        }
    };
    item(CFieldEdit::IdCut, "Cu&t");
    item(CFieldEdit::IdCopy, "&Copy");
    item(CFieldEdit::IdPaste, "&Paste");
    menu->addSeparator();
    item(CFieldEdit::IdOpenSupportingForm, "&Open Supporting Form");
    item(CFieldEdit::IdOverrideField, "O&verride field");
    item(CFieldEdit::IdClearOverride, "C&lear Override");
    item(CFieldEdit::IdMarkAsEstimate, "&Mark as Estimate");
    item(CFieldEdit::IdAddLineItemDetails, "&Add Line Item Details");
    return menu;
}
