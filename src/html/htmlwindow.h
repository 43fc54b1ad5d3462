#pragma once

#include "forms/fieldedithost.h"
#include "html/htmldocument.h"
#include "html/pagepreprocessor.h"
#include "platform/messages.h"

#include <QAbstractScrollArea>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CHTMLUrlWnd;
class CMessageBalloon;
class CTaxEditFormControl;
class QPagedPaintDevice;

namespace pf {
class Dc;
}

// The child window that shows one page: loads it from a file, a string or a help-archive
// topic, lays it out for its width, paints and scrolls it, moves the keyboard focus over its
// links and reports activated links to the window that contains it, and prints it.
class HtmlWindow final : public QAbstractScrollArea, public pf::MsgTarget, public CFieldEditHost {
public:
    static constexpr unsigned WM_NEXTDLGCTL = 0x28;

    explicit HtmlWindow(QWidget* parent = nullptr);
    ~HtmlWindow() override;

    bool LoadFile(const std::string& path);
    bool LoadText(const std::string& text);
    // Help archives are container files; reading their entries belongs to the container
    // code, which installs itself here. Without a reader every topic load fails.
    using ArchiveReader = std::function<bool(const std::string& archive, const std::string& entry,
                                             std::string& bytes)>;
    static void setArchiveReader(ArchiveReader reader);
    bool LoadTopic(const std::string& archivePath, const std::string& topic);
    void GotoAnchor(const std::string& name);
    void ClearPage();

    // The return the page reads and edits: the directives are resolved against `modules`,
    // and controls bound to fields use the forms of module `moduleNumber` (1 = federal), with
    // `currentCopy` (may be null) as the copy the page belongs to. Applies from the next load.
    void setReturnContext(const qv::ModuleSet* modules, int moduleNumber, CFormCopy* currentCopy);
    PagePreprocessor& preprocessor() { return m_preprocessor; }

    void setTextScale(int scale) { m_textScale = scale; }
    void setDefaultTextColour(qv::Colour colour) { m_defaultText = colour; }
    void setBackgroundColour(qv::Colour colour);
    void setBackgroundImage(const std::string& name);

    // Printing options; the header of kinds 2 and 3 shows the names and SSN of the return,
    // which the return's owner supplies.
    enum HeaderKind { kNoHeader = 0, kTitleHeader = 1, kNamesHeader = 2, kTitleAndNames = 3 };
    void setHeaderKind(int kind) { m_headerKind = kind; }
    void setCentredHeader(bool centred) { m_centredHeader = centred; }
    void setPageNumbers(bool on) { m_pageNumbers = on; }
    using NamesSource = std::function<void(std::string& names, std::string& ssn)>;
    void setNamesSource(NamesSource source) { m_names = std::move(source); }

    // Paginates and prints pages first..last; returns the number of pages paginated. With
    // no device it only counts, on a Letter page (first 9999, last 10000 counts them all).
    // With `startDocument` the device gets every requested page; otherwise only page
    // `first` is drawn onto it.
    int PrintPage(QPagedPaintDevice* device, int first, int last, bool startDocument);
    // The same onto a context whose device info gives the page; `newPage` is called between
    // printed pages.
    int PrintPage(pf::Dc& dc, int first, int last, const std::function<void()>& newPage);

    // Where link clicks and focus hand-over go; the parent window when it takes messages.
    void setHost(pf::MsgTarget* host) { m_host = host; }

    pf::LRESULT onMessage(unsigned msg, pf::WPARAM wparam, pf::LPARAM lparam) override;

    // Field-bound controls. The window that receives their notifications.
    pf::MsgTarget* host() const;
    // Whether the page is hosted by the interview view: buttons then ask for questions.
    void setInterviewHost(bool on) { m_interviewHost = on; }
    bool InInterviewView() override { return m_interviewHost; }
    // How the return is marked modified; the open document's mark when not set.
    void setModifiedMarker(std::function<void()> mark) { m_markModified = std::move(mark); }
    void MarkReturnModified() override;
    // Stores the pending edit (the one that refused a value last, else `from` or the focused
    // bound edit); 0 when its value is refused. With `clearOpen` the copy's open flag goes.
    int CommitField(bool clearOpen, QWidget* from = nullptr);
    CTaxEditFormControl* pendingEdit() const { return m_pendingEdit; }
    CMessageBalloon* balloon() const { return m_balloonWnd; }
    void hideBalloon();
    // Every bound control reads its field again, except the edit being typed in.
    void refreshControls();
    // Set while the page is being cleared: controls losing the focus then store nothing.
    bool clearing() const { return m_clearing; }

    HtmlDocument& document() { return m_doc; }
    const std::string& title() const { return m_title; }
    const std::string& source() const { return m_source; }
    int contentWidth() const { return m_contentWidth; }
    int contentHeight() const { return m_contentHeight; }
    const std::vector<CHTMLUrlWnd*>& linkWindows() const { return m_linkWnds; }

    // Called by link windows.
    void linkFocused(CHTMLUrlWnd* link, bool focused);
    void activateLink(const std::string& url);
    void moveFocus(QWidget* from, bool backwards);
    void scrollKey(int key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    bool loadBytes(const std::string& text);
    void relayout();
    void updateScrollBars();
    // Moves the controls' windows to their laid-out places under the current scroll.
    void positionControls();
    void createLinkWindows();
    int linkAt(const QPoint& pos, pf::Point* where, std::string* url) const;
    CHTMLUrlWnd* linkWindow(int number) const;

public:
    // The windows Tab moves through: the page's controls in page order, then its links.
    std::vector<QWidget*> tabStops() const;

private:
    void drawPageBackground(pf::Dc& dc, int width, int height, int sx, int sy);

    HtmlDocument m_doc;
    PagePreprocessor m_preprocessor;
    const qv::ModuleSet* m_modules = nullptr;
    int m_moduleNumber = 1;
    CFormCopy* m_currentCopy = nullptr;
    std::string m_source;
    std::string m_title;
    int m_contentWidth = 0;
    int m_contentHeight = 0;
    int m_textScale = 12;
    qv::Colour m_defaultText = qv::paletteRgb(0, 0, 0);
    qv::Colour m_background = qv::paletteRgb(255, 255, 255);
    std::string m_backgroundImage;
    std::vector<CHTMLUrlWnd*> m_linkWnds;
    CHTMLUrlWnd* m_pressed = nullptr;
    int m_pressedLink = -1;
    int m_headerKind = kTitleHeader;
    bool m_centredHeader = false;
    bool m_pageNumbers = true;
    NamesSource m_names;
    pf::MsgTarget* m_host = nullptr;
    CMessageBalloon* m_balloonWnd = nullptr;
    CTaxEditFormControl* m_pendingEdit = nullptr;
    bool m_interviewHost = false;
    bool m_clearing = false;
    std::function<void()> m_markModified;
};
