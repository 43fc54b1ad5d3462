#include "modules/selectstatedlg.h"

#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "platform/dialogs.h"
#include "platform/messagebox.h"
#include "platform/text.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

constexpr int kStateList = 1017;
constexpr int kNewStateText = 1030;
constexpr const char* kNewStateMessage =
    "We have detected that you have installed a new state. "
    "If you would like to include this state into your return "
    "place a check mark beside the state you wish to include and click on OK";

} // namespace

CAddStates::CAddStates(CModuleList& modules, bool newStateFound, QWidget* parent)
    : QDialog(parent), m_modules(modules), m_list(new QListWidget(this)) {
    setWindowTitle("Selecting a State");
    auto* layout = new QVBoxLayout(this);
    if (newStateFound) {
        auto* text = new QLabel(kNewStateMessage, this);
        text->setWordWrap(true);
        pf::setCtrlId(text, kNewStateText);
        layout->addWidget(text);
    }
    pf::setCtrlId(m_list, kStateList);
    for (int n = 2; n <= modules.GetCount(); ++n) {
        CTaxModule* state = modules.GetByNumber(n);
        auto* item = new QListWidgetItem(pf::toQt(state->GetModuleTitle()), m_list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(state->IsActive() ? Qt::Checked : Qt::Unchecked);
        m_states.push_back(state);
    }
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAddStates::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAddStates::reject);
    layout->addWidget(buttons);
}

void CAddStates::accept() {
    if (m_onAccept)
        m_onAccept();
    std::vector<bool> checked;
    for (int i = 0; i < m_list->count(); ++i)
        checked.push_back(m_list->item(i)->checkState() == Qt::Checked);
    // Every removal is checked before any state loses its details, so that a refusal really
    // leaves every state as it was.
    std::vector<CTaxModule*> removed;
    for (std::size_t i = 0; i < m_states.size(); ++i) {
        CTaxModule* state = m_states[i];
        if (!state->IsActive() || checked[i])
            continue;
        const std::string refusal = m_removalCheck ? m_removalCheck(*state) : std::string();
        if (!refusal.empty()) {
            pf::messageBox(refusal, pf::MB_OK | pf::MB_ICONEXCLAMATION);
            m_list->item(int(i))->setCheckState(Qt::Checked);
            reject();
            return;
        }
        removed.push_back(state);
    }
    for (CTaxModule* state : removed)
        state->DropModuleDetails();
    for (std::size_t i = 0; i < m_states.size(); ++i)
        m_states[i]->SetActive(checked[i]);
    QDialog::accept();
}
