#include "html/taxcomboboxformcontrol.h"

#include "html/htmlwindow.h"
#include "platform/dc.h"
#include "platform/text.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>

namespace {

std::string choiceText(CField& field, int i) {
    char buf[100] = {};
    field.GetChoiceText(i, buf, sizeof buf);
    return buf;
}

// Tab and Enter in the list or its edit move through the page; the focus is reported.
class ComboKeys final : public QObject {
public:
    ComboKeys(CTaxComboBoxFormControl* control, QObject* owner)
        : QObject(owner), m_control(control) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // The control may be gone while its window waits for deletion.
        if (!CFormControl::fromWindow(static_cast<QWidget*>(parent())))
            return false;
        HtmlWindow* page = m_control->page();
        if (event->type() == QEvent::FocusIn) {
            m_control->readValue();
            m_control->focused();
        }
        if (event->type() != QEvent::KeyPress || !page)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            const bool back = key->key() == Qt::Key_Backtab ||
                              (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
            pf::sendMessage(page, pf::UM_MOVE_FIELD, back ? 1 : 0,
                            reinterpret_cast<pf::LPARAM>(m_control->window()));
            return true;
        }
        default:
            return false;
        }
    }

private:
    CTaxComboBoxFormControl* m_control;
};

} // namespace

QWidget* CTaxComboBoxFormControl::makeWindow(QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);
    m_filling = true;
    for (int i = 0; i < m_field->GetChoiceCount(); ++i)
        c->addItem(pf::toQt(choiceText(*m_field, i)));
    m_filling = false;
    auto* keys = new ComboKeys(this, c);
    c->installEventFilter(keys);
    c->lineEdit()->installEventFilter(keys);
    QObject::connect(c, &QComboBox::currentIndexChanged, c, [this](int index) {
        if (!m_filling)
            selectionChanged(index);
    });
    QObject::connect(c->lineEdit(), &QLineEdit::textEdited, c,
                     [this](const QString& text) { complete(pf::fromQt(text)); });
    return c;
}

void CTaxComboBoxFormControl::created() {
    readValue();
    if (m_window && m_field && m_field->GetChoice() >= 0 && m_doc && !m_doc->initialFocus)
        m_doc->initialFocus = this;
}

void CTaxComboBoxFormControl::readValue() {
    QComboBox* c = combo();
    if (!c || !m_field)
        return;
    m_filling = true;
    const int choice = m_field->GetChoice();
    c->setCurrentIndex(choice < c->count() ? choice : -1);
    if (choice < 0)
        c->setEditText(QString());
    m_filling = false;
}

void CTaxComboBoxFormControl::selectionChanged(int index) {
    if (!m_field)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_field->SetChoice(index);
    markChanged();
    m_field->SetFlag(FF_HASVALUE | FF_ENTERED, index >= 0 ? 1 : 0);
    m_field->Refresh();
    QApplication::restoreOverrideCursor();
    const auto alive = aliveFlag();
    mirror(nullptr, index);
    if (*alive && page())
        page()->refreshControls();
}

void CTaxComboBoxFormControl::complete(const std::string& typed) {
    QComboBox* c = combo();
    if (!c || !m_field)
        return;
    std::string text = typed;
    while (!text.empty()) {
        const std::string want = pf::upper(text);
        int match = -1;
        for (int i = 0; i < c->count() && match < 0; ++i) {
            if (pf::upper(pf::fromQt(c->itemText(i))) == want)
                match = i;
        }
        for (int i = 0; i < c->count() && match < 0; ++i) {
            if (pf::upper(pf::fromQt(c->itemText(i))).rfind(want, 0) == 0)
                match = i;
        }
        if (match >= 0) {
            if (c->currentIndex() != match)
                c->setCurrentIndex(match);
            // The completed part stays selected, so that typing goes on replacing it.
            c->lineEdit()->setText(c->itemText(match));
            c->lineEdit()->setSelection(int(text.size()), c->itemText(match).size());
            return;
        }
        text.pop_back();
    }
    c->setCurrentIndex(-1);
    c->setEditText(QString());
}

void CTaxComboBoxFormControl::SizeToFont(pf::Dc& dc) {
    selectControlFont(dc);
    int widest = 0;
    for (int i = 0; m_field && i < m_field->GetChoiceCount(); ++i)
        widest = std::max(widest, dc.textExtent(choiceText(*m_field, i)).cx);
    const int scroll = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_width = widest + scroll + dc.textExtent("X").cx + 8;
    m_height = dc.textMetrics().height + 8;
}

void CTaxComboBoxFormControl::Print(pf::Dc& dc, int x, int y) {
    std::vector<std::string> lines;
    if (m_field && m_field->GetChoice() >= 0)
        lines.push_back(choiceText(*m_field, m_field->GetChoice()));
    printFrame(dc, {x, y, x + m_width, y + m_height}, lines, false);
}
