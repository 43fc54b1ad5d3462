#include "forms/overridewarningdlg.h"

#include "platform/dialogs.h"
#include "platform/messagebox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

COverrideWarningDlg::COverrideWarningDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Warning"));
    auto* layout = new QVBoxLayout(this);
    for (const char* line : kLines) {
        auto* label = new QLabel(QString::fromLatin1(line), this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* yes = new QPushButton(QStringLiteral("&Yes"), this);
    auto* no = new QPushButton(QStringLiteral("&No"), this);
    pf::setCtrlId(yes, pf::IDYES);
    pf::setCtrlId(no, pf::IDNO);
    no->setDefault(true);
    row->addWidget(yes);
    row->addWidget(no);
    row->addStretch();
    layout->addLayout(row);
    setFixedWidth(pf::dluToPixelsX(260));
    connect(yes, &QPushButton::clicked, this, [this] { done(pf::IDYES); });
    connect(no, &QPushButton::clicked, this, [this] { done(pf::IDNO); });
}

void COverrideWarningDlg::reject() {
    done(pf::IDNO);
}
