#include "forms/fieldcombo.h"

#include "forms/fieldactions.h"
#include "forms/fieldedit.h"
#include "forms/fieldedithost.h"
#include "platform/text.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

CFieldCombo::CFieldCombo(QWidget* parent) : QComboBox(parent) {
    // Editable so that a choice can be typed or pasted; what is typed is looked up in the
    // list when the field is left, never added to it.
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            m_modified = true;
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_modified = true; });
}

CFieldCombo::~CFieldCombo() = default;

void CFieldCombo::SetUp(CField* field, int controlNumber) {
    m_filling = true;
    m_field = field;
    m_controlNumber = controlNumber;
    clear();
    if (field) {
        const int count = field->GetChoiceCount();
        for (int i = 0; i < count; ++i) {
            char text[100] = {};
            field->GetChoiceText(i, text, sizeof text);
            text[sizeof text - 1] = '\0';
            addItem(pf::toQt(text));
        }
        const int choice = field->GetChoice();
        setCurrentIndex(choice >= 0 && choice < count ? choice : -1);
    }
    if (currentIndex() < 0)
        lineEdit()->clear();
    lineEdit()->selectAll();
    m_modified = false;
    m_filling = false;
}

std::string CFieldCombo::Text() const {
    return pf::fromQt(currentText());
}

pf::MsgTarget* CFieldCombo::Owner() const {
    return m_owner ? m_owner : dynamic_cast<pf::MsgTarget*>(parentWidget());
}

CFieldEditHost& CFieldCombo::Host() const {
    if (m_host)
        return *m_host;
    if (auto* host = dynamic_cast<CFieldEditHost*>(Owner()))
        return *host;
    return CFieldEditHost::Default();
}

CFieldActions CFieldCombo::Actions() const {
    return CFieldActions(const_cast<CFieldCombo*>(this), m_field, Host(), Owner());
}

int CFieldCombo::formIndex() const {
    if (const pf::LRESULT answer = pf::sendMessage(Owner(), pf::UM_GET_FIELD_REF))
        return CFieldEdit::UnpackFieldRef(answer).form;
    CFormCopy* copy = m_field ? m_field->GetCopy() : nullptr;
    return copy ? copy->GetFormIndex() : 0;
}

bool CFieldCombo::changeAllowed() {
    return Actions().TextChangeAllowed(formIndex());
}

bool CFieldCombo::event(QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QComboBox::event(e);
}

void CFieldCombo::keyPressEvent(QKeyEvent* e) {
    pf::MsgTarget* owner = Owner();
    const int key = e->key();
    if (e->matches(QKeySequence::Paste)) {
        OnCommand(CFieldEdit::IdPaste);
        return;
    }
    if (e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Undo)) {
        OnCommand(e->matches(QKeySequence::Cut) ? CFieldEdit::IdCut : CFieldEdit::IdUndo);
        return;
    }
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        pf::sendMessage(owner, CFieldEdit::kWmVScroll,
                        key == Qt::Key_PageUp ? CFieldEdit::kSbPageUp : CFieldEdit::kSbPageDown);
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        pf::sendMessage(owner, pf::UM_SHOW_FIELD);
        pf::sendMessage(owner, pf::UM_MOVE_FIELD,
                        key == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier)
                            ? CFieldEdit::kMovePrevious
                            : CFieldEdit::kMoveNext);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (view()->isVisible())
            break;
        pf::sendMessage(owner, pf::UM_SHOW_FIELD);
        pf::sendMessage(owner, pf::UM_MOVE_FIELD, CFieldEdit::kMoveNext);
        return;
    case Qt::Key_Escape:
        pf::sendMessage(owner, pf::UM_SHOW_FIELD);
        pf::sendMessage(owner, pf::UM_CANCEL_ENTRY);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Stepping through the list changes the choice.
        if (!(e->modifiers() & Qt::AltModifier) && !changeAllowed())
            return;
        break;
    default: {
        const QString typed = e->text();
        const bool changes = key == Qt::Key_Backspace || key == Qt::Key_Delete ||
                             (!typed.isEmpty() && typed.at(0).unicode() >= 0x20 &&
                              !(e->modifiers() & Qt::ControlModifier));
        if (changes) {
            pf::sendMessage(owner, pf::UM_SHOW_FIELD);
            if (!changeAllowed())
                return;
        }
        break;
    }
    }
    QComboBox::keyPressEvent(e);
}

void CFieldCombo::showPopup() {
    if (changeAllowed())
        QComboBox::showPopup();
}

void CFieldCombo::wheelEvent(QWheelEvent* e) {
    // The wheel scrolls the page, not the choice.
    e->ignore();
}

bool CFieldCombo::OnCommand(int id) {
    QLineEdit* edit = lineEdit();
    switch (id) {
    case CFieldEdit::IdCut:
        if (changeAllowed())
            edit->cut();
        return true;
    case CFieldEdit::IdCopy:
        edit->copy();
        return true;
    case CFieldEdit::IdPaste:
        if (changeAllowed()) {
            edit->paste();
            m_modified = true;
        }
        return true;
    case CFieldEdit::IdUndo:
        if (changeAllowed())
            edit->undo();
        return true;
    case CFieldEdit::IdDelete:
        if (changeAllowed())
            edit->del();
        return true;
    case CFieldEdit::IdOverrideField:
        Actions().OverrideField();
        return true;
    case CFieldEdit::IdClearOverride:
        Actions().ClearOverride();
        m_modified = true;
        pf::sendMessage(Owner(), pf::UM_MOVE_FIELD, CFieldEdit::kMoveStay);
        return true;
    case CFieldEdit::IdMarkAsEstimate:
        Actions().ToggleEstimate(false);
        return true;
    case CFieldEdit::IdClearEstimate:
        Actions().ToggleEstimate(true);
        return true;
    case CFieldEdit::IdAddLineItemDetails:
    case CFieldEdit::IdOpenSupportingForm:
        pf::sendMessage(Owner(), CFieldEdit::kWmCommand, pf::WPARAM(id));
        return true;
    default:
        return false;
    }
}

bool CFieldCombo::IsCommandEnabled(int id, bool* checked) const {
    return Actions().IsEnabled(id, lineEdit()->hasSelectedText(), lineEdit()->isUndoAvailable(),
                               checked);
}

std::unique_ptr<QMenu> CFieldCombo::BuildContextMenu() {
    if (Host().InInterviewView())
        return nullptr;
    return Actions().BuildEditMenu(lineEdit()->hasSelectedText(), lineEdit()->isUndoAvailable());
}

void CFieldCombo::contextMenuEvent(QContextMenuEvent* e) {
    std::unique_ptr<QMenu> menu = BuildContextMenu();
    if (!menu)
        return;
    if (QAction* chosen = menu->exec(e->globalPos()))
        OnCommand(chosen->data().toInt());
}

pf::LRESULT CFieldCombo::onMessage(unsigned msg, pf::WPARAM wparam, pf::LPARAM) {
    if (msg == CFieldEdit::kWmCommand)
        return OnCommand(int(wparam)) ? 1 : 0;
    return 0;
}
