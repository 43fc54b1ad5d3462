#include "html/listboxformcontrol.h"

#include "html/htmltokens.h"
#include "platform/dc.h"
#include "platform/text.h"

#include <QListWidget>

#include <algorithm>

bool CListBoxFormControl::multiple() const {
    return attribute(qv::att::MULTIPLE) != nullptr;
}

int CListBoxFormControl::rows() const {
    return numberAttribute(qv::att::SIZE, multiple() ? 4 : 2);
}

QWidget* CListBoxFormControl::makeWindow(QWidget* parent) {
    auto* l = new QListWidget(parent);
    l->setSelectionMode(multiple() ? QAbstractItemView::ExtendedSelection
                                   : QAbstractItemView::SingleSelection);
    return l;
}

void CListBoxFormControl::textComplete() {
    m_initial.clear();
    for (std::size_t i = 0; i < m_options.size(); ++i) {
        if (!m_options[i].selected)
            continue;
        if (multiple())
            m_initial.push_back(int(i));
        else
            m_initial.assign(1, int(i));
    }
    if (m_initial.empty() && !m_options.empty())
        m_initial.push_back(0);
    if (auto* l = static_cast<QListWidget*>(m_window)) {
        for (const Option& o : m_options)
            l->addItem(pf::toQt(o.text));
    }
    applySelection(m_initial);
}

void CListBoxFormControl::applySelection(const std::vector<int>& rows) {
    m_selection = rows;
    auto* l = static_cast<QListWidget*>(m_window);
    if (!l)
        return;
    l->clearSelection();
    for (int r : rows) {
        if (QListWidgetItem* item = l->item(r))
            item->setSelected(true);
    }
    if (!rows.empty())
        l->setCurrentRow(rows.back(), QItemSelectionModel::NoUpdate);
    l->scrollToTop();
}

std::vector<int> CListBoxFormControl::selection() const {
    auto* l = static_cast<QListWidget*>(m_window);
    if (!l)
        return m_selection;
    std::vector<int> rows;
    for (int r = 0; r < l->count(); ++r) {
        if (l->item(r)->isSelected())
            rows.push_back(r);
    }
    return rows;
}

void CListBoxFormControl::Reset() {
    applySelection(m_initial);
}

void CListBoxFormControl::SizeToFont(pf::Dc& dc) {
    selectControlFont(dc);
    std::size_t longest = 0;
    for (const Option& o : m_options)
        longest = std::max(longest, o.text.size());
    m_width = int(std::min<std::size_t>(longest, 200)) * dc.textExtent("A").cx + 15;
    m_height = rows() * dc.textMetrics().height + 4;
}

void CListBoxFormControl::Print(pf::Dc& dc, int x, int y) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < m_options.size() && int(i) < rows(); ++i)
        lines.push_back(m_options[i].text);
    printFrame(dc, {x, y, x + m_width, y + m_height}, lines, false);
}
