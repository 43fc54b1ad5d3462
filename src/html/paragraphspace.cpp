#include "html/paragraphspace.h"

#include "html/htmldocument.h"

int CParagraphSpace::Layout(pf::Dc&, int top, qv::FloatMargins&) {
    m_top = top;
    m_height = m_doc->scaled(14);
    return m_height;
}
