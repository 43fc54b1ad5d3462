#include "app/formviewhost.h"

#include "app/commandtable.h"
#include "app/mainframe.h"
#include "forms/formpagewnd.h"
#include "forms/formsview.h"
#include "forms/formtoolbar.h"
#include "interview/formcreation.h"
#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "platform/messagebox.h"
#include "platform/misc.h"
#include "storage/taxdoc.h"

#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <QPointer>
#include <QTimer>
#include <QToolBar>

namespace qv {

FormViewHost::FormViewHost(CMainFrame& frame, CModuleList& modules, CTaxDoc* doc,
                           HistoryList* history, std::function<QWidget*()> idleView)
    : m_frame(frame), m_modules(modules), m_doc(doc), m_history(history),
      m_idleView(std::move(idleView)) {
    m_bar = frame.addToolBar(QStringLiteral("Form"));
    m_bar->setObjectName(QStringLiteral("FormToolbar"));
    m_bar->setMovable(false);
    m_bar->setFloatable(false);
    m_toolbar = new CFormToolbar;
    m_bar->addWidget(m_toolbar);
    m_bar->hide();
    m_toolbar->onCommand = [this](int id) {
        if (m_view)
            m_view->RunCommand(id);
    };
    // The buttons follow their commands' states the way idle-time updates keep bars current.
    m_buttonTimer = new QTimer(m_toolbar);
    m_buttonTimer->setInterval(200);
    QObject::connect(m_buttonTimer, &QTimer::timeout, m_toolbar, [this] {
        if (m_view && m_toolbar->isVisible())
            m_toolbar->updateButtons([this](int id) { return m_view->IsCommandEnabled(id); });
    });
    m_buttonTimer->start();
    registerCommands(frame.commands());
}

FormViewHost::~FormViewHost() {
    delete m_buttonTimer;
    if (m_view) {
        m_view->page()->setShuttingDown(true);
        m_view->openForm = {};
        m_view->onCloseForm = {};
        m_view->onCalculator = {};
    }
    m_toolbar->onCommand = {};
}

void FormViewHost::registerCommands(CommandTable& commands) {
    for (int id : CFormsView::commandIds()) {
        commands.setHandler(
            id,
            [this, id] {
                if (m_view)
                    m_view->RunCommand(id);
            },
            [this, id] { return m_view && m_view->IsCommandEnabled(id); },
            [this, id] { return m_view && m_view->IsCommandChecked(id); });
    }
}

CFormsView* FormViewHost::makeView() {
    auto* view = new CFormsView(m_modules, nullptr, m_toolbar);
    view->setHistory(m_history);
    if (m_doc)
        m_doc->addView(view);
    view->openForm = [this](const FieldRef& ref, int flags) { return OpenForm(ref, flags); };
    view->onCloseForm = [this] { CloseForm(); };
    view->onCalculator = [this] { m_frame.commands().execute(33011); };
    m_toolbar->setView(view);
    m_frame.setMainView(view);
    m_view = view;
    return view;
}

void FormViewHost::showToolbar(bool on) {
    m_bar->setVisible(on);
    if (on)
        m_toolbar->update();
}

void FormViewHost::ShowDefaultForm() {
    if (m_view) {
        CTaxModule* federal = m_modules.GetByNumber(1);
        if (!federal || !federal->formManager())
            return;
        FieldRef ref;
        ref.module = 1;
        ref.form = std::uint16_t(federal->formManager()->FindForm("USF1040"));
        ref.copy = 1;
        OpenForm(ref);
        return;
    }
    makeView()->InitialUpdate();
    showToolbar(true);
}

bool FormViewHost::OpenForm(FieldRef ref, int flags, bool recordHistory) {
    pf::WaitCursor wait;
    CTaxModule* module = m_modules.GetByNumber(ref.module);
    CFormManager* fm = module ? module->formManager() : nullptr;
    if (!fm)
        return false;

    CFormCopy* parent = nullptr;
    if (flags > 0) {
        CFormCopy* existing = ref.copy ? fm->FindFormCopy(ref.form, ref.copy) : nullptr;
        if (existing) {
            parent = existing->GetParentCopy();
        } else if (m_view && m_view->fieldRef().module == ref.module) {
            const FieldRef& shown = m_view->fieldRef();
            CFormCopy* current = fm->FindFormCopy(shown.form, shown.copy);
            if (flags & OF_CHILD)
                parent = current;
            else if ((flags & OF_SIBLING) && current)
                parent = current->GetParentCopy();
        }
        if (parent)
            parent->SetCopyFlag(CF_CHANGED, 1);
    }

    CFormCopy* copy = ref.copy ? fm->FindFormCopy(ref.form, ref.copy) : nullptr;
    if (!copy) {
        if (parent) {
            const int parentForm = parent->GetFormIndex();
            const int most = fm->IsMadeFromFederalParent(ref.form)
                                 ? fm->GetMaxFederalChildCopies(parentForm, ref.form)
                                 : fm->GetMaxChildCopies(parentForm, ref.form);
            if (fm->GetChildCopyCount(parent, ref.form) < most)
                copy = FormCreation::CreateChildForm(fm, parent, ref.copy ? 1 : flags, ref.form);
        } else {
            copy = FormCreation::CreateRootForm(fm, ref.form);
        }
        if (!copy) {
            pf::messageBox("Unable to create and open form " + module->GetModuleTitle() + " " +
                               module->GetFormTitle(ref.form),
                           pf::MB_OK | pf::MB_ICONEXCLAMATION);
            return false;
        }
        ref.copy = std::uint16_t(copy->GetCopyNumber());
    }

    int index = m_history ? m_history->index() : -1;
    if (recordHistory && m_history) {
        HistoryEntry entry;
        entry.kind = flags > 0 ? HistoryEntry::FieldVisitWithFlags : HistoryEntry::FieldVisit;
        entry.flags = std::uint32_t(flags);
        entry.title = module->GetFormTitle(ref.form);
        entry.module = module->GetModuleName();
        entry.ref = ref;
        index = m_history->add(entry);
        m_history->setIndex(index);
    }
    CFormsView* view = m_view ? m_view.data() : makeView();
    view->setHistoryIndex(index);
    view->Reopen(ref);
    showToolbar(true);
    return true;
}

bool FormViewHost::CloseForm() {
    if (!m_view)
        return true;
    if (pf::sendMessage(m_view->page(), pf::UM_COMMIT_FIELD, 1, 1) == 0)
        return false;
    pf::sendMessage(m_view->page(), pf::UM_CLOSE_PAGE);
    showToolbar(false);
    m_toolbar->setView(nullptr);
    m_view = nullptr;
    // The frame deletes the old view once control is back in the event loop.
    m_frame.setMainView(m_idleView ? m_idleView() : nullptr);
    return true;
}

void FormViewHost::DropForm() {
    if (!m_view)
        return;
    m_view->page()->setShuttingDown(true);
    pf::sendMessage(m_view->page(), pf::UM_CLOSE_PAGE);
    m_view->page()->setShuttingDown(false);
}

} // namespace qv
