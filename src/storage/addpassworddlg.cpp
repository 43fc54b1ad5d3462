#include "storage/addpassworddlg.h"

#include "platform/dialogs.h"
#include "platform/messagebox.h"
#include "platform/text.h"
#include "storage/dialoghelp.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CAddPassword::CAddPassword(bool change, QWidget* parent)
    : QDialog(parent), m_new(new QLineEdit(this)), m_confirm(new QLineEdit(this)) {
    setWindowTitle(change ? "Change Password" : "Add Password");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    for (auto [edit, id] : {std::pair{m_new, kNewEdit}, std::pair{m_confirm, kConfirmEdit}}) {
        edit->setMaxLength(8);
        edit->setEchoMode(QLineEdit::Password);
        pf::setCtrlId(edit, id);
    }
    form->addRow("Enter New Password : ", m_new);
    form->addRow("Confirm Password : ", m_confirm);
    layout->addLayout(form);
    layout->addWidget(new QLabel("Note: Passwords can not exceed 8 characters.", this));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QDialogButtonBox::Ok);
    buttons->addButton(QDialogButtonBox::Cancel);
    QPushButton* help = buttons->addButton(QDialogButtonBox::Help);
    pf::setCtrlId(help, kHelp);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAddPassword::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { qv::SendHelpCommand(); });
    layout->addWidget(buttons);
}

std::string CAddPassword::password() const {
    return pf::fromQt(m_new->text());
}

void CAddPassword::accept() {
    if (m_new->text().isEmpty() || m_new->text() != m_confirm->text()) {
        pf::messageBox("Missing or Invalid Password", pf::MB_OK | pf::MB_ICONEXCLAMATION);
        return;
    }
    QDialog::accept();
}
