#include "html/page.h"

void CPage::Paginate(int pageTop, int& pageEnd) const {
    if (m_top > pageTop + 5 && m_top < pageEnd)
        pageEnd = m_top;
}
