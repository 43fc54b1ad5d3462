// Page layout through a recording drawing context: line breaks, floats, lists, tables and
// rules at a given width.
#include "htmltestutil.h"

#include "html/horzline.h"
#include "html/htmltable.h"
#include "html/section.h"
#include "platform/recordingdc.h"

#include <gtest/gtest.h>

namespace {

struct Laid {
    std::unique_ptr<HtmlDocument> doc;
    pf::RecordingDc dc;
};

std::unique_ptr<Laid> layout(const std::string& html, int width) {
    auto l = std::make_unique<Laid>();
    l->doc = qvtest::parse(html);
    l->doc->Layout(l->dc, width, 0);
    l->doc->Draw(l->dc, {0, 0, 100000, 100000}, 0, 0);
    return l;
}

std::vector<std::string> lineTexts(const CSection& s) {
    std::vector<std::string> out;
    for (const auto& line : s.lines())
        out.push_back(s.text().substr(std::size_t(line.start), std::size_t(line.length)));
    return out;
}

int textWidth(const std::string& text, int points = 12, const char* face = "Times New Roman") {
    pf::Dc dc;
    dc.selectFont(
        {-(points * 96 / 72), pf::FW_NORMAL, false, false, false, pf::DEFAULT_CHARSET, face});
    return dc.textExtent(text).cx;
}

template <class T>
const T* first(const SectionList& list) {
    for (const auto& b : list) {
        if (const auto* t = dynamic_cast<const T*>(b.get()))
            return t;
    }
    return nullptr;
}

} // namespace

TEST(PageLayout, LinesBreakAtTheWidth) {
    const std::string text = "alpha beta gamma delta";
    struct Case {
        int width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {textWidth("alpha beta gamma delta") + 1, {"alpha beta gamma delta"}},
        {textWidth("alpha beta gamma"), {"alpha beta gamma ", "delta"}},
        {textWidth("alpha beta gamma") - 1, {"alpha beta ", "gamma delta"}},
        {textWidth("alpha"), {"alpha ", "beta ", "gamma ", "delta"}},
        {3, {"alpha ", "beta ", "gamma ", "delta"}}, // words overflow, never split
    };
    for (const Case& c : cases) {
        auto l = layout(text, c.width);
        const auto s = qvtest::sections(l->doc->body());
        ASSERT_EQ(s.size(), 1u);
        EXPECT_EQ(lineTexts(*s[0]), c.lines) << c.width;
        // Every line is drawn on its own baseline, from the left margin.
        const auto texts = l->dc.texts();
        ASSERT_EQ(texts.size(), c.lines.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].rect.left, 0);
            EXPECT_EQ(texts[i].y, s[0]->lines()[i].top + s[0]->lines()[i].ascent);
        }
    }
}

TEST(PageLayout, LongWordOverflowsAndWidensThePage) {
    const std::string word(60, 'W');
    auto l = layout("a " + word + " b", 100);
    const auto s = qvtest::sections(l->doc->body());
    EXPECT_EQ(lineTexts(*s[0]), (std::vector<std::string>{"a ", word + " ", "b"}));
    EXPECT_EQ(l->doc->contentWidth(), textWidth(word));
}

TEST(PageLayout, AlignmentAndSpacingBlocks) {
    auto l = layout("<p align=center>mid<p align=right>end<h1>H</h1>", 400);
    const auto s = qvtest::sections(l->doc->body());
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0]->lines()[0].left, (400 - textWidth("mid")) / 2);
    EXPECT_EQ(s[1]->lines()[0].left, 400 - textWidth("end"));
    // P is 14 pixels, H1 16, at the default text scale.
    const auto& body = l->doc->body();
    EXPECT_EQ(body[1]->height(), 14);
    int headingSpace = 0;
    for (const auto& b : body) {
        if (std::string(b->className()) == "CHeadingSpace")
            headingSpace = b->height();
    }
    EXPECT_EQ(headingSpace, 16);

    auto scaled = std::make_unique<HtmlDocument>();
    scaled->setTextScale(24);
    qvtest::RecordingHost host;
    const std::string html = "<p>x";
    HtmlParser(host).Parse(*scaled, scaled->anchors, html.data(), html.size());
    pf::RecordingDc dc;
    scaled->Layout(dc, 300);
    EXPECT_EQ(scaled->body()[1]->height(), 28);
}

TEST(PageLayout, LeftFloatAndClear) {
    const std::string words = "one two three four five six seven eight nine ten eleven";
    auto l = layout(
        "<img src=none.bmp width=100 height=40 align=left>" + words + "<br clear=left>below", 300);
    const auto s = qvtest::sections(l->doc->body());
    ASSERT_EQ(s.size(), 2u);
    const auto& lines = s[0]->lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].left, 105); // the image plus its 5-pixel gap
    for (const auto& line : lines) {
        if (line.top < 40)
            EXPECT_EQ(line.left, 105);
        else
            EXPECT_EQ(line.left, 0);
    }
    EXPECT_GE(s[0]->height(), 40);
    EXPECT_GE(s[1]->lines()[0].top, 40);
    // The placeholder box is drawn as a frame at the image's place.
    bool frame = false;
    for (const auto& r : l->dc.records())
        frame =
            frame || (r.kind == pf::RecordingDc::Line && r.points[0].x == 0 && r.points[0].y == 39);
    EXPECT_TRUE(frame);
}

TEST(PageLayout, RightFloatNarrowsLines) {
    auto l = layout("<img src=none.bmp width=80 height=30 align=right hspace=10>text", 300);
    const auto s = qvtest::sections(l->doc->body());
    const auto& obj = s[0]->objects()[0];
    EXPECT_EQ(obj.x, 300 - 80);
    EXPECT_EQ(s[0]->lines()[0].left, 0);
}

TEST(PageLayout, ListIndentsAndMarkers) {
    auto l = layout("<ol type=i><li>one<li>two<ul><li>inner</ul></ol><ul plain><li>p</ul>", 400);
    const auto s = qvtest::sections(l->doc->body());
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0]->lines()[0].left, 35);
    EXPECT_EQ(s[2]->lines()[0].left, 70);
    EXPECT_EQ(s[3]->lines()[0].left, 35);
    std::vector<std::string> markers;
    for (const auto& t : l->dc.texts()) {
        if (t.align == (pf::TA_RIGHT | pf::TA_BASELINE)) {
            markers.push_back(t.text);
            EXPECT_EQ(t.x, 30);
        }
    }
    EXPECT_EQ(markers, (std::vector<std::string>{"i.", "ii."}));
    int bullets = 0;
    for (const auto& r : l->dc.records()) {
        if (r.kind == pf::RecordingDc::Ellipse) {
            ++bullets;
            EXPECT_EQ(r.rect.right, 65);
            EXPECT_EQ(r.rect.width(), 5);
        }
    }
    EXPECT_EQ(bullets, 1); // the plain list draws none
}

TEST(PageLayout, RulesWithAndWithoutWidth) {
    auto l = layout("<hr><hr width=50%><hr width=100 size=6 color=red>", 400);
    std::vector<pf::Rect> rules;
    for (const auto& b : l->doc->body()) {
        if (const auto* hr = dynamic_cast<const CHorzLine*>(b.get()))
            rules.push_back(hr->rule());
    }
    ASSERT_EQ(rules.size(), 3u);
    EXPECT_EQ(rules[0].left, 10);
    EXPECT_EQ(rules[0].right, 390);
    EXPECT_EQ(rules[1].left, 100);
    EXPECT_EQ(rules[1].width(), 200);
    EXPECT_EQ(rules[2].left, 150);
    EXPECT_EQ(rules[2].height(), 6);
    EXPECT_EQ(l->doc->body()[3]->height(), 20 + 6 - 2);
    bool red = false;
    for (const auto& r : l->dc.records())
        red = red || (r.kind == pf::RecordingDc::Fill && r.colour == pf::RGB(255, 0, 0) &&
                      r.rect == rules[2]);
    EXPECT_TRUE(red);
}

TEST(PageLayout, TableColumnWidths) {
    // Without WIDTH, a narrow table takes its columns' maximums.
    {
        auto l = layout("<table cellspacing=0 cellpadding=0><tr><td>short<td>a longer cell</table>",
                        600);
        const auto* t = first<CHTMLTable>(l->doc->body());
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->padding(), 0);
        EXPECT_EQ(t->spacing(), 1);
        const std::vector<int> expected = {textWidth("short") + 1 - 1, textWidth("a longer cell")};
        EXPECT_EQ(t->columnWidths(), expected);
    }
    // A pixel WIDTH with one percentage column: that column gets its share of the target,
    // the other the rest.
    {
        auto l = layout("<table width=400 cellspacing=0><tr><td width=25%>a<td>b</table>", 600);
        const auto* t = first<CHTMLTable>(l->doc->body());
        const auto& w = t->columnWidths();
        ASSERT_EQ(w.size(), 2u);
        EXPECT_EQ(w[0], (400 - 1) * 25 / 100);
        EXPECT_EQ(w[0] + w[1], 400 - 1);
        EXPECT_EQ(t->tableWidth(), 400);
    }
    // Percentage WIDTH: the table is that share of the available width.
    {
        auto l = layout("<table width=50% border=1><tr><td>x</table>", 600);
        EXPECT_EQ(first<CHTMLTable>(l->doc->body())->tableWidth(), 300);
    }
    // Minimums above the window: the table is wider than the window and the page scrolls.
    {
        const std::string word(40, 'M');
        auto l = layout("<table><tr><td>" + word + "<td>" + word + "</table>", 200);
        const auto* t = first<CHTMLTable>(l->doc->body());
        EXPECT_GT(t->tableWidth(), 200);
        EXPECT_EQ(l->doc->contentWidth(), t->tableWidth());
    }
    // CELLPADDING 100 is limited to 50.
    {
        auto l = layout("<table cellpadding=100 border=1><tr><td>x</table>", 600);
        EXPECT_EQ(first<CHTMLTable>(l->doc->body())->padding(), 50);
    }
}

TEST(PageLayout, TableCellsStackRowsAndSpans) {
    auto l = layout("<table cellspacing=2 cellpadding=1><tr><td rowspan=2>tall<br>tall<br>tall"
                    "<td>r1<tr><td>r2</table>after",
                    600);
    const auto* t = first<CHTMLTable>(l->doc->body());
    ASSERT_NE(t, nullptr);
    const auto& rows = t->rows();
    ASSERT_EQ(rows.size(), 2u);
    const auto& tall = rows[0].cells[0];
    const auto& r2 = rows[1].cells[0];
    EXPECT_EQ(r2.col, 1);
    EXPECT_EQ(tall.y, rows[0].cells[1].y);
    EXPECT_EQ(tall.y + tall.h, r2.y + r2.h); // the spanning cell fills both rows
    const auto s = qvtest::sections(l->doc->body());
    EXPECT_EQ(s.back()->text(), "after");
    EXPECT_EQ(s.back()->top(), t->bottom());
}

TEST(PageLayout, FloatingTableLetsTextFlowBeside) {
    auto l = layout("<table align=left width=100><tr><td>cell</table>beside", 400);
    const auto* t = first<CHTMLTable>(l->doc->body());
    ASSERT_NE(t, nullptr);
    const auto s = qvtest::sections(l->doc->body());
    EXPECT_EQ(s.back()->text(), "beside");
    EXPECT_EQ(s.back()->top(), t->top());
    EXPECT_EQ(s.back()->lines()[0].left, 100 + 5 + 1);
}

TEST(PageLayout, LinksHitTestAndFocusRectangle) {
    auto l = layout("go <a href=next.htm>next page</a> now", 600);
    const auto s = qvtest::sections(l->doc->body());
    const int x = textWidth("go ") + 3;
    const int y = s[0]->lines()[0].top + 2;
    EXPECT_EQ(l->doc->HitTestLink(x, y, nullptr), 1);
    EXPECT_EQ(l->doc->HitTestLink(1, y, nullptr), -1);
    EXPECT_EQ(l->doc->linkUrl(1), "next.htm");
    pf::Rect r;
    ASSERT_TRUE(s[0]->GetItemRect(1, r));
    EXPECT_EQ(r.left, textWidth("go "));
    l->doc->setFocusedLink(1);
    l->dc.clear();
    l->doc->Draw(l->dc, {0, 0, 1000, 1000}, 8, 4);
    bool focus = false;
    for (const auto& rec : l->dc.records())
        focus = focus || (rec.kind == pf::RecordingDc::Rectangle && rec.penStyle == pf::PS_DOT &&
                          rec.rect.left == r.left + 8 - 1);
    EXPECT_TRUE(focus);
    // The link text is drawn underlined in the link colour.
    for (const auto& t : l->dc.texts()) {
        if (t.text == "next page") {
            EXPECT_TRUE(t.font.underline);
            EXPECT_EQ(t.colour, pf::RGB(0, 0, 255));
        }
    }
}

TEST(PageLayout, NestedTableTakesTheCellColourOnScreen) {
    const std::string html = "<table><tr><td bgcolor=#00FF00><table><tr><td>in</table></table>";
    auto l = layout(html, 400);
    int green = 0;
    for (const auto& r : l->dc.records())
        green += r.kind == pf::RecordingDc::Fill && r.colour == pf::RGB(0, 255, 0);
    EXPECT_EQ(green, 2); // the outer cell and the nested table's cell
    l->doc->setPrinting(true);
    l->dc.clear();
    l->doc->Draw(l->dc, {0, 0, 1000, 1000}, 0, 0);
    green = 0;
    for (const auto& r : l->dc.records())
        green += r.kind == pf::RecordingDc::Fill && r.colour == pf::RGB(0, 255, 0);
    EXPECT_EQ(green, 1);
}
