#include "platform/document.h"

#include "platform/view.h"

#include <algorithm>
#include <filesystem>

namespace pf {

Document::~Document() {
    for (View* view : m_views)
        view->m_document = nullptr;
}

std::string Document::fileTitle(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

void Document::setPathName(const std::string& path, bool addToRecent) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    m_path = error ? path : absolute.lexically_normal().string();
    setTitle(fileTitle(m_path));
    if (addToRecent)
        addToRecentList(m_path);
}

void Document::setTitle(const std::string& title) {
    m_title = title;
    if (m_titleListener)
        m_titleListener(m_title);
}

void Document::addView(View* view) {
    if (!view || view->m_document == this)
        return;
    if (view->m_document)
        view->m_document->removeView(view);
    view->m_document = this;
    m_views.push_back(view);
}

void Document::removeView(View* view) {
    const auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        return;
    (*it)->m_document = nullptr;
    m_views.erase(it);
}

void Document::updateAllViews(long hint, View* sender) {
    // A view may detach itself while it updates: walk a copy.
    const std::vector<View*> views = m_views;
    for (View* view : views) {
        if (view != sender && view->m_document == this)
            view->onUpdate(sender, hint);
    }
}

void Document::setTitleListener(std::function<void(const std::string&)> listener) {
    m_titleListener = std::move(listener);
}

void Document::setRecentListener(std::function<void(const std::string&)> listener) {
    m_recentListener = std::move(listener);
}

void Document::addToRecentList(const std::string& path) {
    if (m_recentListener)
        m_recentListener(path);
}

} // namespace pf
