// The page window: loading, focus over links, link reports, scrolling and printing.
#include "htmltestutil.h"
#include "testenv.h"

#include "html/htmlurlwnd.h"
#include "html/htmlwindow.h"
#include "html/section.h"
#include "platform/messagebox.h"
#include "platform/recordingdc.h"

#include <QApplication>
#include <QFile>
#include <QPdfWriter>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The view that embeds a page: notes what the page sends it.
class Host final : public QWidget, public pf::MsgTarget {
public:
    struct Message {
        unsigned msg;
        pf::WPARAM wparam;
        std::string text;
    };
    Host() {
        resize(400, 300);
        page = new HtmlWindow(this);
        page->setGeometry(0, 0, 400, 300);
    }
    pf::LRESULT onMessage(unsigned msg, pf::WPARAM wparam, pf::LPARAM) override {
        messages.push_back(
            {msg, wparam, msg == pf::UM_LINK_CLICKED ? reinterpret_cast<const char*>(wparam) : ""});
        return 1;
    }
    void showActive() {
        show();
        activateWindow();
        QApplication::setActiveWindow(this);
        ASSERT_TRUE(QTest::qWaitForWindowActive(this));
    }
    HtmlWindow* page;
    std::vector<Message> messages;
};

std::string manyParagraphs(int n) {
    std::string html;
    for (int i = 0; i < n; ++i)
        html += "<p>Paragraph " + std::to_string(i) + " with a few words to fill its line.";
    return html;
}

} // namespace

TEST(HtmlWindow, LoadTextWrapsFragments) {
    Host host;
    ASSERT_TRUE(host.page->LoadText("plain <b>text</b>"));
    auto s = qvtest::sections(host.page->document().body());
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0]->text(), "plain text");
    EXPECT_GT(host.page->contentHeight(), 0);

    // A text that starts with BODY gets only the HTML wrapper, so its attributes count.
    ASSERT_TRUE(host.page->LoadText("<BODY bgcolor=red>x"));
    EXPECT_EQ(host.page->document().backgroundColour, qv::paletteRgb(255, 0, 0));
    ASSERT_TRUE(host.page->LoadText("<html><title>T</title>y</html>"));
    EXPECT_EQ(host.page->title(), "T");
}

TEST(HtmlWindow, FailedLoadsLeaveAnEmptyPage) {
    Host host;
    ASSERT_TRUE(host.page->LoadText("<a href=x>old</a> page"));
    ASSERT_EQ(host.page->linkWindows().size(), 1u);
    qvtest::expectBox("Open Comment at End of HTML File", pf::IDOK,
                      pf::MB_OK | pf::MB_ICONEXCLAMATION);
    EXPECT_FALSE(host.page->LoadText("text <!-- never closed"));
    EXPECT_TRUE(host.page->document().body().empty());
    EXPECT_TRUE(host.page->linkWindows().empty());
    EXPECT_EQ(host.page->contentHeight(), 0);
    EXPECT_FALSE(host.page->LoadFile(qvtest::env().root + "missing.htm"));
    EXPECT_TRUE(host.page->document().body().empty());
}

TEST(HtmlWindow, LoadsFilesAndHelpTopics) {
    Host host;
    const std::string path = qvtest::env().root + "page.htm";
    qvtest::writeFile(path, "<title>File</title>from a file");
    ASSERT_TRUE(host.page->LoadFile(path));
    EXPECT_EQ(qvtest::sections(host.page->document().body())[0]->text(), "from a file");

    std::vector<std::string> asked;
    HtmlWindow::setArchiveReader(
        [&](const std::string& archive, const std::string& entry, std::string& bytes) {
            asked.push_back(archive + "|" + entry);
            if (entry == "TITLE")
                bytes = "Help Title";
            else if (entry == "FILE_My Topic")
                bytes = manyParagraphs(40) + "<a name=sec2></a>Section two";
            else
                return false;
            return true;
        });
    ASSERT_TRUE(host.page->LoadTopic("/x/Expert Help.dat", "My%20Topic.htm#Sec2"));
    HtmlWindow::setArchiveReader(nullptr);
    EXPECT_EQ(asked, (std::vector<std::string>{"/x/Expert Help.dat|TITLE",
                                               "/x/Expert Help.dat|FILE_My Topic"}));
    EXPECT_EQ(host.page->title(), "Help Title");
    EXPECT_EQ(host.page->document().backgroundColour, qv::paletteRgb(239, 239, 214));
    const int anchorTop = host.page->document().anchors.at("SEC2")->top();
    EXPECT_EQ(host.page->verticalScrollBar()->value(),
              std::min(anchorTop + 4, host.page->verticalScrollBar()->maximum()));
    EXPECT_GT(host.page->verticalScrollBar()->value(), 0);
    EXPECT_FALSE(host.page->LoadTopic("/x/help.dat", "Other"));
}

TEST(HtmlWindow, TabMovesOverLinksAndEnterReportsThem) {
    Host host;
    ASSERT_TRUE(host.page->LoadText("a <a href=one.htm>one</a> b <a href=two.htm>two</a>"));
    host.showActive();
    const auto& links = host.page->linkWindows();
    ASSERT_EQ(links.size(), 2u);

    // From outside the page the focus goes to its first link.
    host.page->onMessage(pf::UM_MOVE_FIELD, 0, reinterpret_cast<pf::LPARAM>(&host));
    EXPECT_EQ(QApplication::focusWidget(), links[0]);
    EXPECT_EQ(host.page->document().focusedLink(), 1);
    QTest::keyClick(links[0], Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), links[1]);
    EXPECT_EQ(host.page->document().focusedLink(), 2);
    QTest::keyClick(links[1], Qt::Key_Return);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].msg, pf::UM_LINK_CLICKED);
    EXPECT_EQ(host.messages[0].text, "two.htm");

    // Past the last link the focus leaves the page; backwards past the first as well.
    QTest::keyClick(links[1], Qt::Key_Tab);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].msg, HtmlWindow::WM_NEXTDLGCTL);
    EXPECT_EQ(host.messages[1].wparam, 0u);
    QTest::keyClick(links[1], Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), links[0]);
    QTest::keyClick(links[0], Qt::Key_Backtab);
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[2].msg, HtmlWindow::WM_NEXTDLGCTL);
    EXPECT_EQ(host.messages[2].wparam, 1u);
    QTest::keyClick(links[0], Qt::Key_Space);
    EXPECT_EQ(host.messages.back().text, "one.htm");
}

TEST(HtmlWindow, MouseClickOnALinkReportsIt) {
    Host host;
    ASSERT_TRUE(
        host.page->LoadText("<a href=first.htm>first</a> and <a href=second.htm>second</a>"));
    host.showActive();
    const auto* s = qvtest::sections(host.page->document().body())[0];
    pf::Rect r;
    ASSERT_TRUE(s->GetItemRect(2, r));
    const QPoint at(r.left + 8 + 3, r.top + 4 + 3);
    QTest::mouseClick(host.page->viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "second.htm");
    // Press on one link and release on another: nothing.
    ASSERT_TRUE(s->GetItemRect(1, r));
    QTest::mousePress(host.page->viewport(), Qt::LeftButton, {}, QPoint(r.left + 11, r.top + 7));
    QTest::mouseRelease(host.page->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST(HtmlWindow, ScrollingStopsAtTheEnds) {
    Host host;
    ASSERT_TRUE(host.page->LoadText(manyParagraphs(60)));
    host.showActive();
    QScrollBar* v = host.page->verticalScrollBar();
    ASSERT_GT(v->maximum(), 0);
    const int line = host.page->viewport()->height() / 10;
    QTest::keyClick(host.page, Qt::Key_Down);
    EXPECT_EQ(v->value(), line);
    for (int i = 0; i < 200; ++i)
        QTest::keyClick(host.page, Qt::Key_PageDown);
    EXPECT_EQ(v->value(), v->maximum());
    EXPECT_EQ(v->maximum(), host.page->contentHeight() - host.page->viewport()->height());
    for (int i = 0; i < 200; ++i)
        QTest::keyClick(host.page, Qt::Key_PageUp);
    EXPECT_EQ(v->value(), 0);
}

TEST(HtmlWindow, ResizingRewrapsTheText) {
    Host host;
    host.show();
    ASSERT_TRUE(host.page->LoadText(manyParagraphs(3)));
    const auto* s = qvtest::sections(host.page->document().body())[0];
    const std::size_t wide = s->lines().size();
    host.page->resize(120, 300);
    EXPECT_GT(s->lines().size(), wide);
}

TEST(HtmlWindow, PrintsPagesWithHeaderAndNumbers) {
    Host host;
    host.page->LoadText("<title>Report</title>" + manyParagraphs(80) + "<page>last");
    const int pages = host.page->PrintPage(nullptr, 9999, 10000, false);
    EXPECT_GE(pages, 3);

    pf::RecordingDc dc;
    pf::Dc::DeviceInfo letter;
    letter.width = 96 * 8;
    letter.height = 96 * 105 / 10;
    dc.setDeviceInfo(letter);
    int newPages = 0;
    EXPECT_EQ(host.page->PrintPage(dc, 1, 10000, [&] { ++newPages; }), pages);
    EXPECT_EQ(newPages, pages - 1);
    std::vector<std::string> numbers, headers;
    for (const auto& t : dc.texts()) {
        if (t.text.rfind("Page ", 0) == 0 && t.font.faceName == "Courier New") {
            numbers.push_back(t.text);
            EXPECT_EQ(t.rect.right, 96 * 8 - 50);
            EXPECT_EQ(t.y, 40);
        } else if (t.text == "Report") {
            headers.push_back(t.text);
            EXPECT_EQ(t.x, 50);
            EXPECT_EQ(t.font.weight, pf::FW_BOLD);
        }
    }
    ASSERT_EQ(int(numbers.size()), pages);
    EXPECT_EQ(numbers.back(), "Page " + std::to_string(pages));
    EXPECT_EQ(int(headers.size()), pages);
    // The forced break puts "last" alone on the final page.
    EXPECT_EQ(dc.texts().at(dc.texts().size() - 3).text, "last");

    const std::string pdf = qvtest::artifactDir() + "html_print.pdf";
    {
        QPdfWriter writer(QString::fromStdString(pdf));
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setResolution(300);
        EXPECT_EQ(host.page->PrintPage(&writer, 1, 10000, true), pages);
    }
    const std::string bytes = qvtest::readFile(pdf);
    int pdfPages = 0;
    for (std::size_t pos = 0; (pos = bytes.find("/Type /Page", pos)) != std::string::npos; ++pos)
        pdfPages += bytes.compare(pos, 12, "/Type /Pages") != 0;
    EXPECT_EQ(pdfPages, pages);
}

TEST(HtmlWindow, FocusedLinkIsScrolledIntoView) {
    Host host;
    ASSERT_TRUE(host.page->LoadText("<a href=top.htm>top</a>" + manyParagraphs(60) +
                                    "<a href=end.htm>end</a>" + manyParagraphs(10)));
    host.showActive();
    const auto& links = host.page->linkWindows();
    ASSERT_EQ(links.size(), 2u);
    links[0]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(host.page->verticalScrollBar()->value(), 0);
    QTest::keyClick(links[0], Qt::Key_Tab);
    pf::Rect r;
    ASSERT_TRUE(links[1]->block()->GetItemRect(2, r));
    const int v = host.page->verticalScrollBar()->value();
    EXPECT_GT(v, 0);
    // Just enough: the link's bottom plus the margin meets the window's bottom.
    EXPECT_EQ(r.bottom + 4 + 4 - v, host.page->viewport()->height());
}
