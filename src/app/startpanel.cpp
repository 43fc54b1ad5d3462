#include "app/startpanel.h"

#include "app/splashart.h"
#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "platform/text.h"

#include <QPainter>
#include <QPixmap>

namespace qv {

StartPanel::StartPanel(const CModuleList& modules, QWidget* parent)
    : QWidget(parent), m_modules(modules) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(239, 239, 214));
    setPalette(pal);
    refresh();
}

void StartPanel::refresh() {
    m_lines.clear();
    for (int n = 1; n <= m_modules.GetCount(); ++n) {
        CTaxModule* module = m_modules.GetByNumber(n);
        QString line = pf::toQt(module->GetModuleTitle()) + QStringLiteral("  (") +
                       pf::toQt(module->GetModuleVersion()) + QStringLiteral(")");
        if (!module->IsFederal())
            line += module->IsActive() ? QStringLiteral(", in this return")
                                       : QStringLiteral(", installed");
        m_lines << line;
    }
    update();
}

void StartPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPixmap art = splashPixmap();
    const int left = 40;
    p.drawPixmap(left, 30, art);
    int y = 30 + art.height() + 36;
    p.setPen(QColor(26, 62, 44));
    p.setFont(QFont("Arial", 13, 700));
    p.drawText(left, y, QStringLiteral("Tax modules"));
    p.setFont(QFont("Arial", 11));
    for (const QString& line : m_lines) {
        y += 24;
        p.drawText(left + 12, y, line);
    }
}

} // namespace qv
