#include "html/headingspace.h"

#include "html/htmldocument.h"

int CHeadingSpace::Layout(pf::Dc&, int top, qv::FloatMargins&) {
    static const int kSpace[] = {16, 12, 10, 8, 6, 4};
    m_top = top;
    m_height = m_doc->scaled(m_level >= 1 && m_level <= 6 ? kSpace[m_level - 1] : 8);
    return m_height;
}
