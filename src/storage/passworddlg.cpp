#include "storage/passworddlg.h"

#include "platform/dialogs.h"
#include "platform/text.h"
#include "storage/dialoghelp.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CPasswordDlg::CPasswordDlg(const std::string& prompt, QWidget* parent)
    : QDialog(parent), m_edit(new QLineEdit(this)) {
    setWindowTitle("Password");
    auto* layout = new QVBoxLayout(this);
    auto* message =
        new QLabel(pf::toQt(prompt.empty() ? "This return is password protected. Enter the correct "
                                             "password below and click the OK button."
                                           : prompt),
                   this);
    message->setWordWrap(true);
    pf::setCtrlId(message, kMessage);
    layout->addWidget(message);
    auto* form = new QFormLayout;
    m_edit->setMaxLength(8);
    m_edit->setEchoMode(QLineEdit::Password);
    pf::setCtrlId(m_edit, kPasswordEdit);
    form->addRow("Password : ", m_edit);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QDialogButtonBox::Ok);
    buttons->addButton(QDialogButtonBox::Cancel);
    QPushButton* help = buttons->addButton(QDialogButtonBox::Help);
    pf::setCtrlId(help, kHelp);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { qv::SendHelpCommand(); });
    layout->addWidget(buttons);
}

std::string CPasswordDlg::password() const {
    return pf::fromQt(m_edit->text());
}
