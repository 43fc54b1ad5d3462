#include "platform/view.h"

#include "platform/document.h"

namespace pf {

View::~View() {
    if (m_document)
        m_document->removeView(this);
}

void View::onUpdate(View*, long) {}

} // namespace pf
