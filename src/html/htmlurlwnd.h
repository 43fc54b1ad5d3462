#pragma once

#include <QWidget>

#include <string>

class CSectionBase;
class HtmlWindow;

// The focusable stand-in of one link (or image map) of a page: a tab stop that is never
// seen, placed off-screen. With the focus it makes its page highlight the link; Enter or
// Space activates it, Tab moves the focus through the page.
class CHTMLUrlWnd final : public QWidget {
public:
    CHTMLUrlWnd(HtmlWindow* page, std::string url, int number, CSectionBase* block, int id);

    const std::string& url() const { return m_url; }
    int number() const { return m_number; }
    CSectionBase* block() const { return m_block; }
    int id() const { return m_id; }

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    HtmlWindow* m_page;
    std::string m_url;
    int m_number;
    CSectionBase* m_block;
    int m_id;
};
