#include "forms/formtoolbar.h"

#include "forms/formbitmaps.h"
#include "forms/refundindicator.h"
#include "platform/dialogs.h"
#include "platform/text.h"

#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace qv {
namespace {

struct ButtonDef {
    int id;
    const char* bitmap;
    const char* tip;
};

constexpr ButtonDef kButtons[] = {
    {32822, "IDB_FTNEW", "Click to create a new copy of this form"},
    {32824, "IDB_FTPREV", "Click to view the previous copy of this form"},
    {32825, "IDB_FTNEXT", "Click to view the next copy of this form"},
    {32832, "IDB_FTDETAILS", "Click to add line item details to this field"},
    {32828, "IDB_FTSUPFORM", "Click to open a supporting form"},
    {32826, "IDB_FTPRINT", "Click to print this form"},
    {133, "IDB_XCLOSE", "Close current form"},
};

constexpr int kGap = 5;
constexpr int kHeight = 36;

} // namespace

CFormToolbar::CFormToolbar(QWidget* parent)
    : QWidget(parent), m_caption(new QLabel(this)), m_refund(new CRefundIndicator(this)) {
    pf::setCtrlId(this, 59402);
    for (const ButtonDef& def : kButtons) {
        auto* b = new QToolButton(this);
        const QPixmap pm = formBitmap(def.bitmap);
        b->setIcon(pm);
        b->setIconSize(pm.size());
        b->setAutoRaise(true);
        b->setToolTip(QString::fromLatin1(def.tip));
        b->resize(pm.width() + 4, pm.height() + 4);
        pf::setCtrlId(b, def.id);
        const int id = def.id;
        connect(b, &QToolButton::clicked, this, [this, id] {
            if (onCommand)
                onCommand(id);
        });
        m_buttons.push_back(b);
    }
    m_caption->setStyleSheet(QStringLiteral("color: white; font-weight: bold"));
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layoutButtons();
}

QSize CFormToolbar::sizeHint() const {
    return QSize(640, kHeight);
}

QToolButton* CFormToolbar::button(int id) const {
    for (QToolButton* b : m_buttons) {
        if (pf::ctrlId(b) == id)
            return b;
    }
    return nullptr;
}

QString CFormToolbar::caption() const {
    return m_caption->text();
}

void CFormToolbar::updateButtons(const std::function<bool(int)>& enabled) {
    for (QToolButton* b : m_buttons)
        b->setEnabled(enabled(pf::ctrlId(b)));
}

pf::LRESULT CFormToolbar::onMessage(unsigned msg, pf::WPARAM, pf::LPARAM lparam) {
    switch (msg) {
    case pf::UM_VALUE_STORED:
        if (m_view)
            m_refund->refresh(
                reinterpret_cast<CTaxModule*>(pf::sendMessage(m_view, pf::UM_GET_MODULE)));
        layoutButtons();
        return 1;
    case pf::UM_SET_CAPTION:
        m_caption->setText(lparam ? pf::toQt(reinterpret_cast<const char*>(lparam)) : QString());
        layoutButtons();
        update();
        return 1;
    default:
        return 0;
    }
}

void CFormToolbar::layoutButtons() {
    int x = kGap;
    QToolButton* close = m_buttons.back();
    for (QToolButton* b : m_buttons) {
        if (b == close)
            continue;
        b->move(x, (height() - b->height()) / 2);
        x += b->width() + kGap;
    }
    close->move(width() - 2 - close->width(), (height() - close->height()) / 2);
    m_refund->adjustSize();
    const int refundX = close->x() - kGap - m_refund->width();
    m_refund->move(refundX, (height() - m_refund->height()) / 2);
    const int captionX = x + 2 * kGap;
    m_caption->setGeometry(captionX, 0, std::max(0, refundX - kGap - captionX), height());
}

void CFormToolbar::resizeEvent(QResizeEvent*) {
    layoutButtons();
}

void CFormToolbar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawTiledPixmap(rect(), formBitmap("IDB_DKGREEN2"));
}

} // namespace qv
