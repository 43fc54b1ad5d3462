#include "html/buttonformcontrol.h"

#include "html/pageform.h"
#include "platform/dc.h"
#include "platform/text.h"

#include <QPushButton>

std::string CButtonFormControl::caption() const {
    if (!m_value.empty())
        return m_value;
    return isReset() ? "Reset" : "Submit";
}

QWidget* CButtonFormControl::makeWindow(QWidget* parent) {
    auto* b = new QPushButton(pf::toQt(caption()), parent);
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, b, [this] { click(); });
    return b;
}

void CButtonFormControl::click() {
    if (isReset() && m_form)
        m_form->reset();
}

void CButtonFormControl::SizeToFont(pf::Dc& dc) {
    selectControlFont(dc);
    m_width = dc.textExtent(caption()).cx + 20;
    m_height = dc.textMetrics().height + 8;
}

void CButtonFormControl::Print(pf::Dc& dc, int x, int y) {
    const pf::Rect r{x, y, x + m_width, y + m_height};
    printFrame(dc, r, {}, false);
    selectControlFont(dc);
    dc.setBkMode(pf::TRANSPARENT);
    dc.setTextColor(pf::RGB(0, 0, 0));
    pf::Rect inner = r;
    dc.drawText(caption(), inner,
                pf::DT_CENTER | pf::DT_VCENTER | pf::DT_SINGLELINE | pf::DT_NOPREFIX);
}
