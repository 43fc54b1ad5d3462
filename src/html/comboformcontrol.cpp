#include "html/comboformcontrol.h"

#include "platform/dc.h"
#include "platform/text.h"

#include <QComboBox>

#include <algorithm>

QWidget* CComboFormControl::makeWindow(QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setEditable(false);
    return c;
}

void CComboFormControl::textComplete() {
    m_initial = m_options.empty() ? -1 : 0;
    for (std::size_t i = 0; i < m_options.size(); ++i) {
        if (m_options[i].selected)
            m_initial = int(i); // the last SELECTED one wins
    }
    if (auto* c = static_cast<QComboBox*>(m_window)) {
        for (const Option& o : m_options)
            c->addItem(pf::toQt(o.text));
    }
    Reset();
}

int CComboFormControl::current() const {
    return m_window ? static_cast<QComboBox*>(m_window)->currentIndex() : m_current;
}

void CComboFormControl::Reset() {
    m_current = m_initial;
    if (m_window)
        static_cast<QComboBox*>(m_window)->setCurrentIndex(m_initial);
}

void CComboFormControl::SizeToFont(pf::Dc& dc) {
    selectControlFont(dc);
    std::size_t longest = 0;
    for (const Option& o : m_options)
        longest = std::max(longest, o.text.size());
    // The button of the drop-down takes another 20 pixels.
    m_width = int(std::min<std::size_t>(longest, 200)) * dc.textExtent("A").cx + 15 + 20;
    m_height = dc.textMetrics().height + 8;
}

void CComboFormControl::Print(pf::Dc& dc, int x, int y) {
    const int i = current();
    std::vector<std::string> lines;
    if (i >= 0 && i < int(m_options.size()))
        lines.push_back(m_options[std::size_t(i)].text);
    printFrame(dc, {x, y, x + m_width, y + m_height}, lines, false);
}
