#include "forms/refundindicator.h"

#include "app/money.h"
#include "forms/formbitmaps.h"
#include "modules/taxmodule.h"
#include "platform/dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace qv {

CRefundIndicator::CRefundIndicator(QWidget* parent)
    : QWidget(parent), m_refund(new QToolButton(this)), m_owed(new QToolButton(this)),
      m_amount(new QLabel(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    for (QToolButton* b : {m_refund, m_owed}) {
        b->setAutoRaise(true);
        b->setIconSize(QSize(64, 22));
        row->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this] {
            if (onSummary)
                onSummary(m_federal);
        });
    }
    pf::setCtrlId(m_refund, 1118);
    pf::setCtrlId(m_owed, 1119);
    m_refund->setIcon(formBitmap("IDB_BTNREFUND"));
    m_owed->setIcon(formBitmap("IDB_BTNOWED"));
    m_owed->hide();
    QFont bold = m_amount->font();
    bold.setBold(true);
    m_amount->setFont(bold);
    m_amount->setStyleSheet(QStringLiteral("color: white"));
    m_amount->setText(QStringLiteral("$0.00"));
    row->addWidget(m_amount);
}

bool CRefundIndicator::showsOwed() const {
    return !m_owed->isHidden();
}

QString CRefundIndicator::amountText() const {
    return m_amount->text();
}

void CRefundIndicator::refresh(CTaxModule* module) {
    if (!module)
        return;
    const bool federal = module->IsFederal();
    const std::int64_t cents = module->GetFieldValue("RefundOwe");
    if (m_known && cents == m_cents && federal == m_federal)
        return;
    m_known = true;
    m_cents = cents;
    m_federal = federal;
    const bool owed = cents < 0;
    m_refund->setIcon(formBitmap(federal ? "IDB_BTNREFUND" : "IDB_STBTNREFUND"));
    m_owed->setIcon(formBitmap(federal ? "IDB_BTNOWED" : "IDB_STBTNOWED"));
    m_owed->setVisible(owed);
    m_refund->setVisible(!owed);
    m_amount->setText(QStringLiteral("$") +
                      QString::fromStdString(FormatMoney(0, owed ? -cents : cents)));
}

} // namespace qv
