#pragma once

#include <QObject>

class HtmlWindow;

namespace qv {

// Watches the keys typed in a plain page control: Tab and Shift+Tab move the focus through
// the page window's tab stops, and Page Up, Page Down, Home and End scroll the page.
class ControlKeyHook final : public QObject {
public:
    ControlKeyHook(HtmlWindow* page, QObject* owner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HtmlWindow* m_page;
};

} // namespace qv
