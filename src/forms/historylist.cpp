#include "forms/historylist.h"

#include "app/appsettings.h"

namespace qv {

int HistoryList::add(HistoryEntry entry) {
    if (m_entries.size() >= kMaxEntries) {
        m_entries.erase(m_entries.begin());
        // A page remembers its own index in the list.
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].page)
                m_entries[i].page->historyId = int(i);
        }
        setIndex(m_index > 0 ? m_index - 1 : 0);
    }
    const std::size_t keep = std::size_t(m_index) + 1;
    if (m_entries.size() > keep)
        m_entries.erase(m_entries.begin() + std::ptrdiff_t(keep), m_entries.end());
    m_entries.push_back(std::move(entry));
    return int(m_entries.size()) - 1;
}

void HistoryList::setIndex(int index) {
    m_index = index;
    settings::writeInt("DATA", "HISTORY INDEX", index);
}

void HistoryList::clear() {
    m_entries.clear();
    m_index = 0;
}

} // namespace qv
