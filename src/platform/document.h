#pragma once

#include "platform/pfexport.h"

#include <functional>
#include <string>
#include <vector>

namespace pf {

class View;

// The one open document of the program: its full path, the title shown in the caption, the
// modified flag and the views that show it.
class PF_EXPORT Document {
public:
    Document() = default;
    virtual ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    const std::string& pathName() const { return m_path; }
    const std::string& title() const { return m_title; }
    // Stores the path made absolute and takes the title from its file title; with
    // `addToRecent` the recent-file listener hears of it.
    virtual void setPathName(const std::string& path, bool addToRecent = true);
    void setTitle(const std::string& title);

    virtual bool isModified() const { return m_modified; }
    virtual void setModifiedFlag(bool modified) { m_modified = modified; }

    void addView(View* view);
    void removeView(View* view);
    const std::vector<View*>& views() const { return m_views; }
    // Tells every view but `sender`.
    void updateAllViews(long hint, View* sender = nullptr);

    // Told of every title change (the main frame puts it into its caption).
    void setTitleListener(std::function<void(const std::string&)> listener);
    // Told of every path that goes to the recent-file list.
    void setRecentListener(std::function<void(const std::string&)> listener);

    // The file name without folder and without its last extension ("Smith" for
    // "/home/a/Smith.ta2", "Untitled" for "Untitled").
    static std::string fileTitle(const std::string& path);

protected:
    void addToRecentList(const std::string& path);

private:
    std::string m_path;
    std::string m_title;
    bool m_modified = false;
    std::vector<View*> m_views;
    std::function<void(const std::string&)> m_titleListener;
    std::function<void(const std::string&)> m_recentListener;
};

} // namespace pf
