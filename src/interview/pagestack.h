#pragma once

#include "interview/question.h"

#include <vector>

namespace qv {

// The interview pages the user went through, oldest first; saved with the return.
class PageStack final {
public:
    void push(Question page) { m_pages.push_back(std::move(page)); }
    void clear() { m_pages.clear(); }
    std::size_t size() const { return m_pages.size(); }
    bool empty() const { return m_pages.empty(); }
    const Question& at(std::size_t i) const { return m_pages.at(i); }
    Question& at(std::size_t i) { return m_pages.at(i); }
    const std::vector<Question>& pages() const { return m_pages; }

private:
    std::vector<Question> m_pages;
};

} // namespace qv
