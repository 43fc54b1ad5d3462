#pragma once

#include "platform/pfexport.h"

namespace pf {

class Document;

// Something that shows the open document and is told when it changed. A view attaches
// itself with Document::addView and detaches on destruction.
class PF_EXPORT View {
public:
    View() = default;
    virtual ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    Document* document() const { return m_document; }
    // `hint` says what changed (0: everything); `sender` is the view that caused it, if any.
    virtual void onUpdate(View* sender, long hint);

private:
    friend class Document;
    Document* m_document = nullptr;
};

} // namespace pf
