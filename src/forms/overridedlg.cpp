#include "forms/overridedlg.h"

#include "forms/fieldactions.h"
#include "forms/fieldedithost.h"
#include "platform/dialogs.h"
#include "platform/messagebox.h"

#include <quorva/field.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* textLine(QWidget* parent, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setWordWrap(true);
    return label;
}

QPushButton* button(QWidget* parent, QHBoxLayout* row, int id, const char* text) {
    auto* b = new QPushButton(QString::fromLatin1(text), parent);
    b->setAutoDefault(false);
    pf::setCtrlId(b, id);
    row->addWidget(b);
    return b;
}

} // namespace

COverrideDlg::COverrideDlg(CField& field, int formIndex, CFieldEditHost& host, QWidget* parent,
                           bool hideSupportingForm)
    : QDialog(parent), m_field(field), m_formIndex(formIndex), m_host(host) {
    setWindowTitle(QStringLiteral("Warning"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textLine(this, kText1));
    layout->addWidget(textLine(this, kText2));
    auto* direct = new QVBoxLayout;
    direct->setSpacing(0);
    direct->addWidget(textLine(this, kText3));
    direct->addWidget(textLine(this, kText4));
    layout->addLayout(direct);

    auto* row = new QHBoxLayout;
    QPushButton* supporting = button(this, row, IdOpenSupportingForm, "&Open Supporting Form");
    QPushButton* value = button(this, row, IdOverrideValue, "Override &Value");
    QPushButton* cancel = button(this, row, pf::IDCANCEL, "&Cancel");
    QPushButton* help = button(this, row, IdHelp, "&Help");
    layout->addLayout(row);
    setFixedWidth(pf::dluToPixelsX(300));

    supporting->setEnabled(!hideSupportingForm && field.TestFlag(FF_SUPPORTED) &&
                           host.HasSupportingForm(field));
    cancel->setDefault(true);
    connect(supporting, &QPushButton::clicked, this, [this] { done(IdOpenSupportingForm); });
    connect(value, &QPushButton::clicked, this, [this] { overrideValue(); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(pf::IDCANCEL); });
    connect(help, &QPushButton::clicked, this, [this] { m_host.ShowProgramHelp(); });
}

void COverrideDlg::reject() {
    done(pf::IDCANCEL);
}

void COverrideDlg::overrideValue() {
    const bool efile = CFieldActions(this, &m_field, m_host, nullptr).CanEfile();
    if (efile && pf::messageBox(CFieldActions::kEfileQuestion, pf::MB_YESNO | pf::MB_ICONWARNING) !=
                     pf::IDYES)
        return;
    done(IdOverrideValue);
}
