#include "moduleprintitem.h"

#include "moduletext.h"

#include <algorithm>

namespace qv {

void ModulePrintItem::addElement(int type, unsigned flags, int page, int row, int column, int width,
                                 std::string text) {
    m_elements.emplace_back(type, flags, page, row, column, width, std::move(text));
    m_pages = std::max(m_pages, page);
}

CPrintElement* ModulePrintItem::GetElement(int index) {
    if (index < 0 || std::size_t(index) >= m_elements.size())
        return nullptr;
    return &m_elements[std::size_t(index)];
}

int ModulePrintItem::GetDocumentPath(char* buffer, int size) {
    return putText(buffer, size, m_path);
}

} // namespace qv
