#include "forms/fieldedit.h"

#include "forms/fieldactions.h"
#include "forms/fieldedithost.h"
#include "forms/fieldformat.h"
#include "platform/misc.h"
#include "platform/text.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

#include <cctype>
#include <cstdlib>

namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool isLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// The number in `length` characters of `text` from `start`, read as atoi reads it.
int numberAt(const std::string& text, std::size_t start, std::size_t length) {
    if (start >= text.size())
        return 0;
    return std::atoi(text.substr(start, length).c_str());
}

bool isDateSeparator(char c) {
    return c == '.' || c == '/' || c == '-';
}

} // namespace

CFieldEdit::CFieldEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(true);
    setTextMargins(0, 0, 0, 0);
    connect(this, &QLineEdit::textEdited, this, [this] { onTextEdited(); });
}

CFieldEdit::~CFieldEdit() = default;

void CFieldEdit::SetUp(CField* field, int controlNumber, unsigned layoutFlags, int decimals,
                       int layoutWidth) {
    SetField(field, controlNumber);
    m_layoutFlags = layoutFlags;
    m_decimals = decimals;
    if (!field) {
        m_mask.clear();
        m_type = 0;
        SetTextLimit(0);
        SetFieldText({});
        UpdateStateColor();
        return;
    }
    m_type = short(field->GetType());
    const qv::FieldTypeInfo info = qv::TypeInfo(m_type, layoutWidth);
    m_mask = info.mask;
    SetTextLimit(info.limit);
    setAlignment((info.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    SetFieldText(qv::FieldValueText(*field, layoutFlags, decimals));
    selectAll();
    UpdateStateColor();
}

void CFieldEdit::SetFieldText(const std::string& text) {
    setText(pf::toQt(text));
    setModified(false);
}

void CFieldEdit::SetField(CField* field, int controlNumber) {
    m_field = field;
    m_controlNumber = controlNumber;
}

void CFieldEdit::UpdateStateColor() {
    const std::uint32_t bgr = qv::StateColor(m_field);
    QPalette p = palette();
    p.setColor(QPalette::Text,
               QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF)));
    setPalette(p);
}

std::string CFieldEdit::Text() const {
    return pf::fromQt(text());
}

pf::MsgTarget* CFieldEdit::Owner() const {
    return m_owner ? m_owner : dynamic_cast<pf::MsgTarget*>(parentWidget());
}

CFieldEditHost& CFieldEdit::Host() const {
    if (m_host)
        return *m_host;
    if (auto* host = dynamic_cast<CFieldEditHost*>(Owner()))
        return *host;
    return CFieldEditHost::Default();
}

pf::LRESULT CFieldEdit::Send(unsigned msg, pf::WPARAM wparam, pf::LPARAM lparam) const {
    return pf::sendMessage(Owner(), msg, wparam, lparam);
}

pf::LRESULT CFieldEdit::PackFieldRef(const qv::FieldRef& ref) {
    const std::uint64_t packed = std::uint64_t(ref.module) | std::uint64_t(ref.form) << 16 |
                                 std::uint64_t(ref.copy) << 32 | std::uint64_t(ref.field) << 48;
    return pf::LRESULT(packed);
}

qv::FieldRef CFieldEdit::UnpackFieldRef(pf::LRESULT packed) {
    const auto bits = std::uint64_t(packed);
    return {std::uint16_t(bits), std::uint16_t(bits >> 16), std::uint16_t(bits >> 32),
            std::uint16_t(bits >> 48)};
}

qv::FieldRef CFieldEdit::CurrentFieldRef() const {
    if (const pf::LRESULT answer = Send(pf::UM_GET_FIELD_REF))
        return UnpackFieldRef(answer);
    qv::FieldRef ref;
    if (CFormCopy* copy = m_field ? m_field->GetCopy() : nullptr) {
        ref.form = std::uint16_t(copy->GetFormIndex());
        ref.copy = std::uint16_t(copy->GetCopyNumber());
        ref.field = std::uint16_t(m_field->GetFieldNumber());
    }
    return ref;
}

CFieldActions CFieldEdit::Actions() const {
    return CFieldActions(const_cast<CFieldEdit*>(this), m_field, Host(), Owner());
}

bool CFieldEdit::AskOverride() {
    return Actions().AskOverride(CurrentFieldRef().form);
}

void CFieldEdit::RefuseProtected() {
    Actions().RefuseProtected();
}

bool CFieldEdit::textChangeAllowed() {
    return Actions().TextChangeAllowed(CurrentFieldRef().form);
}

void CFieldEdit::ReportEntryError(int kind) {
    pf::beep();
    Send(pf::UM_ENTRY_ERROR, pf::WPARAM(kind), reinterpret_cast<pf::LPARAM>(m_field));
}

void CFieldEdit::ReportText(const std::string& text) {
    MirrorText mirror{CurrentFieldRef().form, m_field, text};
    Send(pf::UM_MIRROR_TEXT, 0, reinterpret_cast<pf::LPARAM>(&mirror));
}

bool CFieldEdit::ShowsContextMenu() const {
    return !(m_mode == NormalMode && Host().InInterviewView());
}

pf::LRESULT CFieldEdit::onMessage(unsigned msg, pf::WPARAM wparam, pf::LPARAM lparam) {
    switch (msg) {
    case kWmCommand:
        return OnCommand(int(wparam)) ? 1 : 0;
    case pf::UM_SET_EDIT_TEXT:
        SetFieldText(lparam ? reinterpret_cast<const char*>(lparam) : "");
        return 1;
    default:
        return 0;
    }
}

// ---- Keys ----

bool CFieldEdit::event(QEvent* e) {
    // Tab and Shift+Tab move between fields through the owner, never by focus chain.
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(e);
}

void CFieldEdit::keyPressEvent(QKeyEvent* e) {
    if (keyDown(e) || editSequence(e))
        return;
    if (characterKey(e) == KeyUse::ToEdit)
        QLineEdit::keyPressEvent(e);
}

bool CFieldEdit::keyDown(QKeyEvent* e) {
    m_messageShown = false;
    switch (e->key()) {
    case Qt::Key_PageUp:
        Send(kWmVScroll, kSbPageUp);
        return true;
    case Qt::Key_PageDown:
        Send(kWmVScroll, kSbPageDown);
        return true;
    case Qt::Key_Up:
        Send(pf::UM_MOVE_FIELD, kMovePrevious);
        return true;
    case Qt::Key_Down:
        Send(pf::UM_MOVE_FIELD, kMoveNext);
        return true;
    case Qt::Key_Delete:
        if (e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))
            return false;
        if (m_field && m_field->TestFlag(FF_OVERRIDDEN) && !text().isEmpty() &&
            selectedText() == text()) {
            // The update raised while the field is shown again must not be checked.
            m_ignoreNextUpdate = true;
            clearOverride();
            m_ignoreNextUpdate = false;
            return true;
        }
        // Deleting changes the value as much as typing does.
        if (!textChangeAllowed())
            return true;
        return false;
    default:
        return false;
    }
}

// The edit's own clipboard and undo keys, routed through the commands so that a protected
// or calculated field is asked about first.
bool CFieldEdit::editSequence(QKeyEvent* e) {
    if (e->matches(QKeySequence::Paste)) {
        OnCommand(IdPaste);
        return true;
    }
    if (e->matches(QKeySequence::Cut)) {
        OnCommand(IdCut);
        return true;
    }
    if (e->matches(QKeySequence::Undo)) {
        OnCommand(IdUndo);
        return true;
    }
    if (e->matches(QKeySequence::Redo)) {
        if (textChangeAllowed())
            redo();
        return true;
    }
    return false;
}

CFieldEdit::KeyUse CFieldEdit::characterKey(QKeyEvent* e) {
    const int key = e->key();
    const bool escape = key == Qt::Key_Escape;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool backspace = key == Qt::Key_Backspace;
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    const QString typed = e->text();
    const bool printable = !typed.isEmpty() && typed.at(0).unicode() >= 0x20 &&
                           typed.at(0).unicode() != 0x7F &&
                           !(e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (!escape && !enter && !backspace && !tab && !printable)
        return KeyUse::ToEdit;

    m_backspacePressed = false;
    const bool needsOverride = m_field && qv::NeedsOverride(*m_field);
    Send(pf::UM_SHOW_FIELD);
    if (escape) {
        Send(pf::UM_CANCEL_ENTRY);
        return KeyUse::ToEdit;
    }
    if (enter) {
        Send(pf::UM_MOVE_FIELD, kMoveNext);
        return KeyUse::Handled;
    }
    if (tab) {
        const bool back = key == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier);
        Send(pf::UM_MOVE_FIELD, back ? kMovePrevious : kMoveNext);
        return KeyUse::Handled;
    }
    if (!m_field)
        return KeyUse::ToEdit;
    if (needsOverride) {
        // The key only asks; even after an override the user types again.
        AskOverride();
        return KeyUse::Handled;
    }
    if (m_field->TestFlag(FF_PROTECTED)) {
        RefuseProtected();
        return KeyUse::Handled;
    }
    if (backspace)
        m_backspacePressed = true;
    return KeyUse::ToEdit;
}

// ---- Mask check ----

int CFieldEdit::checkNumberChar(char c, int caret, const std::string& text) const {
    if (c == ' ')
        return -1;
    if (c == '.')
        return text.find('.') == text.rfind('.') ? -1 : qv::EE_GENERAL;
    if (c == '-')
        return caret == 1 ? -1 : qv::EE_GENERAL;
    return qv::EE_GENERAL;
}

int CFieldEdit::checkDatePart(int caret, const std::string& text) const {
    if (caret == 3) {
        const int month = numberAt(text, 0, 2);
        return month >= 1 && month <= 12 ? -1 : qv::EE_BAD_MONTH;
    }
    if (caret == 6) {
        const int day = numberAt(text, 3, 2);
        return day >= 1 && day <= 31 ? -1 : qv::EE_BAD_DAY;
    }
    return -1;
}

// Checks the character just typed at caret - 1 against the mask; -1 when accepted (with `out`
// and `caret` rewritten where the mask completes the text), else the entry error kind, with
// `out` and `caret` untouched.
int CFieldEdit::checkCharacter(std::string& out, int& caret, const std::string& text) const {
    const std::size_t at = std::size_t(caret - 1);
    const char m = m_mask[at];
    const char c = text[at];
    const bool isNumber = m_type == FT_MONEY || m_type == FT_INTEGER || m_type == FT_DECIMAL;
    const bool dateDigits = m_type == FT_DATE && !text.empty() && isDigit(text[0]);
    const bool ssnWord = m_type == FT_SSN && !text.empty() && (text[0] == 'd' || text[0] == 'D');
    const int limit = maxLength();

    if (m == '#' || m == 'c') {
        if (m == 'c')
            return isLetter(c) ? -1 : qv::EE_GENERAL;
        if (isDigit(c))
            return -1;
        if (isNumber)
            return checkNumberChar(c, caret, text);
        if (m_type == FT_DATE) {
            if (!dateDigits)
                return -1; // a word: Various, Inherited, Bankrupt, Today
            if (caret == 2 && isDateSeparator(c)) {
                const int month = numberAt(text, 0, 2);
                if (month < 1 || month > 12)
                    return qv::EE_GENERAL;
                out = std::string("0") + text[0] + "/" + text.substr(2);
                ++caret;
                return -1;
            }
            if (caret == 5 && isDateSeparator(c) && text.size() >= 4) {
                const int day = numberAt(text, 3, 2);
                if (day < 1 || day > 31)
                    return qv::EE_GENERAL;
                out = text.substr(0, 3) + "0" + text[3] + "/" + text.substr(5);
                ++caret;
                return -1;
            }
            return qv::EE_GENERAL;
        }
        if (m_type == FT_SSN)
            return ssnWord ? -1 : qv::EE_GENERAL;
        return qv::EE_GENERAL;
    }

    // A literal of the mask.
    if (c == m)
        return dateDigits ? checkDatePart(caret, text) : -1;
    const char next = at + 1 < m_mask.size() ? m_mask[at + 1] : '\0';
    if (next == '#') {
        if (isDigit(c)) {
            if (dateDigits) {
                if (const int error = checkDatePart(caret, text); error >= 0)
                    return error;
            }
            if (int(text.size()) >= limit) {
                out[at] = m;
                pf::beep();
            } else {
                out.insert(at, 1, m);
                ++caret;
            }
            return -1;
        }
        if (isNumber)
            return checkNumberChar(c, caret, text);
        if (m_type == FT_DATE) {
            if (!dateDigits)
                return -1;
            if (!isDateSeparator(c))
                return qv::EE_GENERAL;
            if (const int error = checkDatePart(caret, text); error >= 0)
                return error;
            out[at] = '/';
            return -1;
        }
        if (m_type == FT_SSN)
            return ssnWord ? -1 : qv::EE_GENERAL;
        return qv::EE_GENERAL;
    }
    if (isLetter(c)) {
        out[at] = m;
        if (int(text.size()) >= limit) {
            pf::beep();
        } else {
            out.push_back(c);
            ++caret;
        }
        return -1;
    }
    return qv::EE_GENERAL;
}

void CFieldEdit::onTextEdited() {
    const std::string text = Text();
    int caret = cursorPosition();
    if (m_mask.empty() || m_backspacePressed) {
        if (m_mode == MirrorMode)
            ReportText(text);
        return;
    }
    if (m_ignoreNextUpdate) {
        m_ignoreNextUpdate = false;
        return;
    }
    if (caret == 0 || int(m_mask.size()) < caret || caret > int(text.size()))
        return;

    m_ignoreNextUpdate = true;
    std::string out = text;
    const int error = checkCharacter(out, caret, text);
    if (error >= 0) {
        m_errorInKeystroke = true;
        ReportEntryError(error);
        m_messageShown = true;
    }
    if (m_errorInKeystroke) {
        out.erase(std::size_t(caret - 1), 1);
        --caret;
        m_errorInKeystroke = false;
    }
    if (out != text)
        setText(pf::toQt(out));
    setCursorPosition(caret);
    setModified(true);
    // Qt raises no notification for the rewrite above, so nothing is left to ignore.
    m_ignoreNextUpdate = false;
    if (m_mode == MirrorMode)
        ReportText(out);
}

// ---- Commands ----

void CFieldEdit::clearOverride() {
    Actions().ClearOverride();
    setModified(true);
    Send(pf::UM_MOVE_FIELD, kMoveStay);
    AfterClearOverride();
}

bool CFieldEdit::OnCommand(int id) {
    // A command's change is checked against the mask even right after a backspace.
    m_backspacePressed = false;
    switch (id) {
    case IdCut:
        if (textChangeAllowed())
            cut();
        return true;
    case IdCopy:
        copy();
        return true;
    case IdPaste:
        if (textChangeAllowed())
            QLineEdit::paste();
        return true;
    case IdUndo:
        if (textChangeAllowed())
            undo();
        return true;
    case IdDelete:
        if (textChangeAllowed())
            del();
        return true;
    case IdOverrideField:
        Actions().OverrideField();
        return true;
    case IdClearOverride:
        clearOverride();
        return true;
    case IdMarkAsEstimate:
        Actions().ToggleEstimate(false);
        return true;
    case IdClearEstimate:
        Actions().ToggleEstimate(true);
        return true;
    case IdAddLineItemDetails:
    case IdOpenSupportingForm:
        Send(kWmCommand, pf::WPARAM(id));
        return true;
    default:
        return false;
    }
}

bool CFieldEdit::IsCommandEnabled(int id, bool* checked) const {
    return Actions().IsEnabled(id, hasSelectedText(), isUndoAvailable(), checked);
}

std::unique_ptr<QMenu> CFieldEdit::BuildContextMenu() {
    if (!ShowsContextMenu())
        return nullptr;
    return Actions().BuildEditMenu(hasSelectedText(), isUndoAvailable());
}

void CFieldEdit::mouseDoubleClickEvent(QMouseEvent* e) {
    if (m_field && m_field->TestFlag(FF_SUPPORTED) && !Host().InInterviewView()) {
        Host().OpenSupportingForm(*m_field);
        return;
    }
    QLineEdit::mouseDoubleClickEvent(e);
}

void CFieldEdit::contextMenuEvent(QContextMenuEvent* e) {
    std::unique_ptr<QMenu> menu = BuildContextMenu();
    if (!menu)
        return;
    if (QAction* chosen = menu->exec(e->globalPos()))
        OnCommand(chosen->data().toInt());
}
