#include "html/taxcopylistformcontrol.h"

#include "html/htmldocument.h"
#include "html/htmltokens.h"
#include "html/htmlwindow.h"
#include "platform/dc.h"
#include "platform/messagebox.h"
#include "platform/text.h"

#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <QKeyEvent>
#include <QTreeWidget>

#include <cstdio>

namespace {

std::string formatted(const char* pattern, const std::string& label) {
    std::string text = pattern;
    const std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, label);
    return text;
}

// Tab moves through the page; the focus is noted.
class TreeKeys final : public QObject {
public:
    TreeKeys(CTaxCopyListFormControl* control, QObject* owner)
        : QObject(owner), m_control(control) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // The control may be gone while its window waits for deletion.
        if (!CFormControl::fromWindow(static_cast<QWidget*>(parent())))
            return false;
        HtmlWindow* page = m_control->page();
        if (event->type() != QEvent::KeyPress || !page)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)
            return false;
        const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        page->moveFocus(m_control->window(), back);
        return true;
    }

private:
    CTaxCopyListFormControl* m_control;
};

} // namespace

CTaxCopyListFormControl::CTaxCopyListFormControl(int token, HtmlDocument* doc, PageForm* form,
                                                 const qv::AttributeList& attrs)
    : BoundFormControl(token, doc, form, attrs, nullptr, nullptr) {
    m_module = doc ? doc->moduleNumber() : 1;
    CFormManager* fm = manager();
    if (!fm)
        return;
    const std::string childForm = pf::upper(attributeText(qv::att::CHILDFORM));
    const std::string formName = pf::upper(attributeText(qv::att::FORM));
    CFormCopy* current = doc->currentCopy();
    if (!childForm.empty()) {
        m_kindIndex = fm->FindForm(childForm.c_str());
        m_child = true;
        m_parent = current;
    } else {
        m_kindIndex = fm->FindForm(formName.c_str());
        if (current && current->GetFormManager() == fm && current->GetFormIndex() == m_kindIndex)
            m_parent = current->GetParentCopy();
    }
}

CFormManager* CTaxCopyListFormControl::manager() const {
    return m_doc ? m_doc->formManager() : nullptr;
}

QTreeWidget* CTaxCopyListFormControl::tree() const {
    return static_cast<QTreeWidget*>(m_window);
}

QWidget* CTaxCopyListFormControl::makeWindow(QWidget* parent) {
    auto* t = new QTreeWidget(parent);
    t->setHeaderHidden(true);
    t->setRootIsDecorated(true);
    t->installEventFilter(new TreeKeys(this, t));
    return t;
}

void CTaxCopyListFormControl::fill() {
    m_entries.clear();
    m_root.clear();
    m_newCopy = false;
    CFormManager* fm = manager();
    if (fm && m_kindIndex) {
        char title[QV_TITLE_SIZE] = {}, name[QV_NAME_SIZE] = {};
        fm->GetFormTitle(title, sizeof title, m_kindIndex);
        fm->GetFormName(name, sizeof name, m_kindIndex);
        m_root = std::string(title) + " " + name;
        // A list of children needs its parent; without one it shows no copies.
        const bool withParent = m_child || m_parent;
        int count = 0, maximum = 0;
        if (!withParent) {
            count = fm->GetCopyCount(m_kindIndex);
            maximum = fm->GetMaxCopies(m_kindIndex);
        } else if (m_parent) {
            count = fm->GetChildCopyCount(m_parent, m_kindIndex);
            maximum = fm->GetMaxChildCopies(m_parent->GetFormIndex(), m_kindIndex);
        }
        for (int n = 1; n <= count; ++n) {
            CFormCopy* c = withParent ? fm->GetChildCopy(m_parent, m_kindIndex, n)
                                      : fm->GetFormCopy(m_kindIndex, n);
            if (!c)
                continue;
            char copyTitle[QV_TITLE_SIZE] = {};
            c->GetCopyTitle(copyTitle, sizeof copyTitle);
            m_entries.push_back(
                {m_root + " - " + (copyTitle[0] ? std::string(copyTitle) : "Untitled Copy"),
                 c->GetCopyNumber()});
        }
        if ((!withParent || m_parent) && count < maximum) {
            m_newCopy = true;
            m_entries.push_back({"New Copy", 0});
        }
    }
    QTreeWidget* t = tree();
    if (!t)
        return;
    t->clear();
    if (m_root.empty())
        return;
    auto* root = new QTreeWidgetItem(t, QStringList(pf::toQt(m_root)));
    root->setData(0, Qt::UserRole, 0);
    for (const Entry& e : m_entries) {
        auto* item = new QTreeWidgetItem(root, QStringList(pf::toQt(e.label)));
        item->setData(0, Qt::UserRole, e.copyNumber);
    }
    root->setExpanded(true);
}

int CTaxCopyListFormControl::selectedCopyNumber() const {
    QTreeWidget* t = tree();
    QTreeWidgetItem* item = t ? t->currentItem() : nullptr;
    if (!item || !item->parent())
        return 0;
    return item->data(0, Qt::UserRole).toInt();
}

std::string CTaxCopyListFormControl::selectedLabel() const {
    QTreeWidget* t = tree();
    QTreeWidgetItem* item = t ? t->currentItem() : nullptr;
    return item ? pf::fromQt(item->text(0)) : std::string();
}

bool CTaxCopyListFormControl::selectCopy(int copyNumber) {
    QTreeWidget* t = tree();
    if (!t || !t->topLevelItem(0))
        return false;
    QTreeWidgetItem* root = t->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i) {
        if (root->child(i)->data(0, Qt::UserRole).toInt() == copyNumber &&
            (copyNumber != 0 || root->child(i)->text(0) == QLatin1String("New Copy"))) {
            t->setCurrentItem(root->child(i));
            return true;
        }
    }
    return false;
}

bool CTaxCopyListFormControl::deleteSelected() {
    CFormManager* fm = manager();
    const int number = selectedCopyNumber();
    CFormCopy* copy = fm && number > 0 ? fm->FindFormCopy(m_kindIndex, number) : nullptr;
    if (!copy)
        return false;
    const std::string label = selectedLabel();
    if (copy->TestFlag(CF_REQUIRED)) {
        pf::messageBox(formatted("%s is a required form and may not be deleted.", label),
                       pf::MB_OK | pf::MB_ICONEXCLAMATION);
        return false;
    }
    std::string question = formatted("Do you wish to delete %s?", label);
    if (const int related = fm->CountRelatedCopies(copy); related > 0) {
        // The related copies go with it: they are named in the question.
        question += "\r\n\r\nThese related forms will be deleted as well:";
        for (int i = 1; i <= related; ++i) {
            if (CFormCopy* r = fm->GetRelatedCopy(copy, i)) {
                char name[QV_TITLE_SIZE] = {};
                fm->GetFormTitle(name, sizeof name, r->GetFormIndex());
                question += std::string("\r\n    ") + name;
            }
        }
    }
    if (pf::messageBox(question, pf::MB_YESNO | pf::MB_ICONQUESTION | pf::MB_DEFBUTTON2) !=
        pf::IDYES)
        return false;
    const int before = fm->GetCopyCount(m_kindIndex);
    if (!fm->DeleteFormCopy(copy))
        return false;
    // Other forms feeding this kind make the module create it again at once.
    const bool recreated = fm->GetCopyCount(m_kindIndex) >= before && !m_parent && !m_child;
    if (HtmlWindow* p = page())
        p->MarkReturnModified();
    fill();
    if (recreated)
        pf::messageBox(formatted("Due to previous entries on forms listed below %s will be "
                                 "automatically recreated.",
                                 label),
                       pf::MB_OK | pf::MB_ICONINFORMATION, "Form Recreated");
    if (HtmlWindow* p = page())
        pf::sendMessage(p->host(), pf::UM_VALUE_STORED, 0, 0);
    return true;
}

void CTaxCopyListFormControl::SizeToFont(pf::Dc& dc) {
    selectControlFont(dc);
    const int rows = std::max(4, int(m_entries.size()) + 2);
    int widest = dc.textExtent(m_root).cx;
    for (const Entry& e : m_entries)
        widest = std::max(widest, dc.textExtent(e.label).cx + 20);
    m_width = std::max(200, widest + 40);
    m_height = std::min(rows, 10) * (dc.textMetrics().height + 2) + 6;
}

void CTaxCopyListFormControl::Print(pf::Dc& dc, int x, int y) {
    std::vector<std::string> lines;
    if (!m_root.empty())
        lines.push_back(m_root);
    for (const Entry& e : m_entries)
        lines.push_back("    " + e.label);
    printFrame(dc, {x, y, x + m_width, y + m_height}, lines, false);
}
