#include "modules/resetstatedlg.h"

#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "platform/dialogs.h"
#include "platform/messagebox.h"
#include "platform/text.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include <cstdio>

namespace {
constexpr int kStateList = 1017;
}

CResetStateDlg::CResetStateDlg(CModuleList& modules, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)) {
    setWindowTitle("Reset State Data");
    auto* layout = new QVBoxLayout(this);
    pf::setCtrlId(m_list, kStateList);
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    for (int n = 2; n <= modules.GetCount(); ++n) {
        CTaxModule* state = modules.GetByNumber(n);
        if (!state->IsActive())
            continue;
        m_list->addItem(pf::toQt(state->GetModuleTitle()));
        m_states.push_back(state);
    }
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CResetStateDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CResetStateDlg::reject);
    layout->addWidget(buttons);
}

void CResetStateDlg::accept() {
    for (int i = 0; i < m_list->count(); ++i) {
        if (!m_list->item(i)->isSelected())
            continue;
        CTaxModule* state = m_states[std::size_t(i)];
        if (state->HasOpenForms()) {
            char text[256];
            std::snprintf(text, sizeof text,
                          "You must first close all %s state forms prior to re-setting its data.",
                          state->GetModuleTitle().c_str());
            pf::messageBox(text, pf::MB_OK | pf::MB_ICONEXCLAMATION);
            continue;
        }
        state->SetActive(false);
        state->DropModuleDetails();
        state->SetActive(true);
    }
    QDialog::accept();
}
