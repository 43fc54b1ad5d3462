// The page parser against the dialect's hard cases: what document each input gives.
#include "htmltestutil.h"

#include "html/formcontrol.h"
#include "html/htmlexception.h"
#include "html/htmltable.h"
#include "html/htmltokens.h"
#include "html/section.h"

#include <gtest/gtest.h>

using qvtest::dump;
using qvtest::parse;

namespace {

struct Case {
    const char* html;
    const char* expected;
};

void checkCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        auto doc = parse(c.html);
        EXPECT_EQ(dump(doc->body()), c.expected) << "input: " << c.html;
    }
}

const CHTMLTable* firstTable(const SectionList& list) {
    for (const auto& b : list) {
        if (const auto* t = dynamic_cast<const CHTMLTable*>(b.get()))
            return t;
    }
    return nullptr;
}

} // namespace

TEST(HtmlParser, EntitiesAndCharacterReferences) {
    checkCases({
        {"a & b", "S:a & b\n"},
        {"&amp;|&AMP;|&lt;&gt;&quot;", "S:&|&AMP;|<>\"\n"},
        {"&#65;|&#300;|&#9;x|&#65", "S:A|&#300;| x|A\n"},
        {"&#12345;", "S:&#12345;\n"}, // a fifth digit: kept as written
        {"&#31;.", "S:&#31;.\n"},     // control codes other than 9 and 10 stay text
        {"&eacute;&trade;&nbsp;", "S:\xe9\x99\xa0\n"},
        {"&times;&divide;&yuml;", "S:&times;&divide;\xff\n"},
        {"&abcdefgh;", "S:&abcdefgh;\n"}, // an eighth letter: the name is not looked up
        {"&;x", "S:&;x\n"},
        {"caf\xe9 \x80", "S:caf\xe9 \x80\n"}, // raw bytes above 127 are text
        {"a>b", "S:ab\n"},                    // a bare '>' is not shown
    });
}

TEST(HtmlParser, WhitespaceAndComments) {
    checkCases({
        {"a  \t b\r\n\r\nc", "S:a b c\n"},
        {"a<!-- x -->b<!-- y -- >c", "S:abc\n"},
        {"a<!-- -- still inside -->b", "S:ab\n"},
        {"<!DOCTYPE html>x<!---->y", "S:xy\n"},
        {"a<!--x--><!--y-->b", "S:ab\n"},
    });
}

TEST(HtmlParser, OpenCommentIsReportedAndRaised) {
    for (const char* html : {"text <!-- never closed", "<!-- a -- b", "<!DOCTYPE", "x<!-"}) {
        qvtest::RecordingHost host;
        EXPECT_THROW(parse(html, &host), CHTMLException) << html;
        ASSERT_EQ(host.errors.size(), 1u) << html;
        EXPECT_EQ(host.errors[0], "Open Comment at End of HTML File");
    }
}

TEST(HtmlParser, UnknownMisnestedAndUnclosedTags) {
    checkCases({
        {"<BLINK>a</blink><foo bar=1>b</Q>", "S:ab\n"},
        {"<b><i>x</b>y</i>z", "S:xyz\n"},
        {"<p>one<p align=center>two</p>three", "P\nS:one\nP\nSc:two\nP\nSc:three\n"},
        {"<p><p></p><p align=right>x", "P\nSr:x\n"},
        {"a<br>b<br><br>c", "S:a\nS:b\nS: \nS:c\n"},
        {"<center>x<div align=right>y</center>z</div>w", "Sc:x\nSr:y\nSc:z\nS:w\n"},
        {"<hr size=3><page>x", "HR\nPAGE\nS:x\n"},
        {"x</body>ignored", "S:x\n"},
        {"<h2>Head</h2>after", "H2\nS:Head\nH2\nS:after\n"},
        {"<script>if (a<b) x = '</scr' + 'ipt>'</script>shown", "S:shown\n"},
        {"<title>My <b>Page</b></title>body", "S:Pagebody\n"},
    });
}

TEST(HtmlParser, TitleAndBodyColours) {
    auto doc = parse("<title>Tax &amp; You</title><body bgcolor=#102030 text=red link=\"lime\">x");
    EXPECT_EQ(doc->title, "Tax & You");
    EXPECT_EQ(doc->backgroundColour, qv::paletteRgb(0x10, 0x20, 0x30));
    EXPECT_EQ(doc->textColour, qv::paletteRgb(255, 0, 0));
    EXPECT_EQ(doc->linkColour, qv::paletteRgb(0, 255, 0));
    const auto s = qvtest::sections(doc->body());
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0]->formats().front().format.colour, qv::paletteRgb(255, 0, 0));

    auto late = parse("<p>x<body bgcolor=red>");
    EXPECT_EQ(late->backgroundColour, qv::paletteRgb(255, 255, 255));
}

TEST(HtmlParser, ColourValues) {
    const struct {
        const char* value;
        qv::Colour colour;
    } cases[] = {
        {"Navy", qv::paletteRgb(0, 0, 128)},
        {"#FF8000", qv::paletteRgb(255, 128, 0)},
        {"ff8000", qv::paletteRgb(255, 128, 0)},
        {"x#12", qv::paletteRgb(0, 0, 0x12)},
        {"", qv::kNoColour},
        {"#zz", qv::kNoColour},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qv::parseColour(c.value), c.colour) << c.value;
}

TEST(HtmlParser, HeadingsAndFontSizes) {
    struct FontCase {
        const char* html;
        int size;
        bool bold;
        int align;
    };
    const FontCase cases[] = {
        {"<H2 ALIGN=center>x", 18, true, 2},
        {"<h1>x", 24, true, 1},
        {"<h7>x", 12, false, 1},
        {"<font size=+9>x", 36, false, 1},
        {"<font size=-9>x", 8, false, 1},
        {"<font size=5><big><big>x", 36, false, 1},
        {"<font size=7><big>x", 36, false, 1},
        {"<font size=1><small>x", 8, false, 1},
        {"<basefont size=5><font size=+1>x", 24, false, 1},
        {"<tt>x", 10, false, 1},
        {"<b>x", 12, true, 1},
    };
    for (const FontCase& c : cases) {
        auto doc = parse(c.html);
        const auto s = qvtest::sections(doc->body());
        ASSERT_EQ(s.size(), 1u) << c.html;
        const qv::TextFormat& f = s[0]->formats().back().format;
        EXPECT_EQ(f.size, c.size) << c.html;
        EXPECT_EQ((f.style & qv::kBold) != 0, c.bold) << c.html;
        EXPECT_EQ(s[0]->alignment(), c.align) << c.html;
    }
}

TEST(HtmlParser, FontFaceColourAndTextScale) {
    HtmlDocument doc;
    doc.setTextScale(16);
    const std::string html = "<font face=' Arial , Helvetica' color=blue>x</font><tt>y";
    qvtest::RecordingHost host;
    HtmlParser(host).Parse(doc, doc.anchors, html.data(), html.size());
    const auto s = qvtest::sections(doc.body());
    ASSERT_EQ(s.size(), 1u);
    ASSERT_GE(s[0]->formats().size(), 2u);
    const qv::TextFormat& font = s[0]->formats()[0].format;
    EXPECT_EQ(font.face, "Arial");
    EXPECT_EQ(font.colour, qv::paletteRgb(0, 0, 255));
    EXPECT_EQ(font.scaled, 16);
    const qv::TextFormat& tt = s[0]->formats().back().format;
    EXPECT_EQ(tt.face, "Courier New");
    EXPECT_TRUE(tt.fixed);
    EXPECT_EQ(tt.scaled, 10 * 16 / 12);
    EXPECT_EQ(tt.fontHeight(), -(13 * 96 / 72));
}

TEST(HtmlParser, StyleFlagsAreSwitchesNotAStack) {
    auto doc = parse("<b><b>x</b>y<u>z</u>");
    const auto s = qvtest::sections(doc->body());
    ASSERT_EQ(s.size(), 1u);
    std::vector<std::pair<int, int>> runs;
    for (const auto& r : s[0]->formats())
        runs.push_back({r.start, r.format.style});
    const std::vector<std::pair<int, int>> expected = {
        {0, qv::kBold}, {1, 0}, {2, qv::kUnderline}, {3, 0}};
    EXPECT_EQ(runs, expected);
}

TEST(HtmlParser, FormatStackHoldsTwentyFivePushes) {
    std::string html;
    for (int i = 0; i < 30; ++i)
        html += "<font size=" + std::to_string(i % 7 + 1) + ">";
    html += "x";
    for (int i = 0; i < 40; ++i)
        html += "</font>";
    html += "y";
    auto doc = parse(html);
    const auto s = qvtest::sections(doc->body());
    ASSERT_EQ(s.size(), 1u);
    // The 25th push (size index 25 % 7 = 4 → 18 pt... index 24 → size 4) is the last kept.
    EXPECT_EQ(s[0]->formats()[0].format.size, 14);
    EXPECT_EQ(s[0]->formats().back().format.size, 12); // popping stops at the base entry
}

TEST(HtmlParser, AttributeValueForms) {
    auto doc = parse("<table border width=\"50%\" cellpadding=+4 bogus=1 align = 'center'>"
                     "<tr><td width=50% bgcolor=\"#a&amp;b\">x</table>");
    const CHTMLTable* t = firstTable(doc->body());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->border(), 1);
    EXPECT_EQ(t->padding(), 5);
    const auto& cell = t->rows()[0].cells[0];
    EXPECT_EQ(cell.width, 50);
    EXPECT_TRUE(cell.widthPercent);
    EXPECT_EQ(cell.bg, qv::paletteRgb(0, 0, 0xA)); // "#a&b": entity decoded, then hex "A"

    // Unknown attributes are kept with id 59, values keep their case.
    auto form = parse("<input Type=TEXT Name=\"Last Name\" Frob=7 value='  x  '>");
    ASSERT_EQ(form->forms.size(), 1u);
    const CFormControl& c = *form->forms[0]->controls()[0];
    ASSERT_EQ(c.attributes().size(), 4u);
    EXPECT_EQ(c.attributes()[2].id, qv::att::UNKNOWN);
    EXPECT_EQ(c.attributes()[2].num, 7);
    EXPECT_EQ(c.type(), "text");
    EXPECT_EQ(c.name(), "Last Name");
    EXPECT_EQ(c.value(), "x");
}

TEST(HtmlParser, Preformatted) {
    checkCases({
        {"<pre>a <b>c\n  d</PrE>e", "PRE:a <b>c\nPRE:  d\nS:e\n"},
        {"<pre>x<!-- gone -->y</pre>", "PRE:xy\n"},
        {"<pre>never closed &amp;", "PRE:never closed &amp;\n"},
    });
}

TEST(HtmlParser, Lists) {
    checkCases({
        {"<ol type=i><li>a<li>b<li>c</ol>", "OLi.d1:a\nOLii.d1:b\nOLiii.d1:c\n"},
        {"<ol type=A start=25><li>y<li>z<li>more</ol>", "OLY.d1:y\nOLZ.d1:z\nOLZ.d1:more\n"},
        {"<ul><li>a<ul><li>b</ul><li>c</ul>after", "ULd1:a\nULd2:b\nULd1:c\nS:after\n"},
        {"<dl><dt>term<dd>def</dl>", "DL:term\nDLd1:def\n"},
        {"<ul><li>a<center>b<li>c</center>d</ul>", "ULd1:a\nSd1c:bc\nSd1:d\n"},
        {"<blockquote>q</blockquote>", "Sd1:q\n"},
        {"<ul></ul><ol><li>x", "OL1.d1:x\n"},
    });
}

TEST(HtmlParser, Tables) {
    checkCases({
        {"<table><tr><td>a<td>b<tr><th>c</table>x", "T[S:a ; S:b | Sc:c]\nS:x\n"},
        {"<table><td>a</td>between<td>b</table>", "T[S:a ; S:b]\n"},
        {"<table><tr><td><table><tr><td>in</table>out</td></tr></table>", "T[T[S:in]/S:out]\n"},
        {"<table><tr><td>never closed", "T[S:never closed]\n"},
        {"<table><caption>cap</caption><tr><td><p align=right>r</table>", "T[Sr:r]\n"},
        {"<ul><li><table><tr><td>x</table></ul>", "T[S:x]\n"},
    });
    auto doc =
        parse("<table><tr bgcolor=red align=right><td>a<td bgcolor=blue valign=top>b</table>");
    const CHTMLTable* t = firstTable(doc->body());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->rows()[0].cells[0].bg, qv::paletteRgb(255, 0, 0));
    EXPECT_EQ(t->rows()[0].cells[0].align, 3);
    EXPECT_EQ(t->rows()[0].cells[1].bg, qv::paletteRgb(0, 0, 255));
    EXPECT_EQ(t->rows()[0].cells[1].valign, 1);
}

TEST(HtmlParser, DeepNestingIsBounded) {
    std::string html;
    for (int i = 0; i < 5000; ++i)
        html += "<table><tr><td><ul><center>";
    html += "deep";
    auto doc = parse(html);
    EXPECT_EQ(qvtest::sections(doc->body()).back()->text(), "deep");
}

TEST(HtmlParser, VeryLongWordsAndLines) {
    const std::string word(250, 'w');
    auto doc = parse(word + " " + word);
    const auto s = qvtest::sections(doc->body());
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0]->text(), word + " " + word);

    std::string huge;
    for (int i = 0; i < 3000; ++i)
        huge += "abcdefgh ";
    auto big = parse(huge);
    EXPECT_EQ(qvtest::sections(big->body())[0]->text().size(), CSection::kMaxText);
}

TEST(HtmlParser, LinksAndAnchors) {
    qvtest::RecordingHost host;
    host.settings["BuyUrl"] = "https://example.test/buy";
    auto doc = parse("<a name=Top></a>x <a href=one.htm target=_blank>1</a> "
                     "<a href=two.htm reg=BuyUrl>2</a><a href=\"\">3</a> <a href=4.htm reg=None>4",
                     &host);
    ASSERT_EQ(doc->links.size(), 3u);
    EXPECT_EQ(doc->links[0].url, "one.htm");
    EXPECT_EQ(doc->links[0].number, 1);
    EXPECT_EQ(doc->links[1].url, "https://example.test/buy");
    EXPECT_EQ(doc->links[2].url, "4.htm");
    EXPECT_EQ(doc->links[2].number, 3);
    ASSERT_EQ(doc->anchors.count("TOP"), 1u);
    const auto s = qvtest::sections(doc->body());
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(doc->anchors["TOP"], s[0]);
    const auto& links = s[0]->links();
    ASSERT_GE(links.size(), 2u);
    EXPECT_EQ(links[0].link.url, "one.htm");
    EXPECT_EQ(links[0].link.target, "_blank");
    const auto& fmt = s[0]->formats()[1].format;
    EXPECT_EQ(fmt.style & qv::kUnderline, qv::kUnderline);
    EXPECT_EQ(fmt.colour, qv::paletteRgb(0, 0, 255));
}

TEST(HtmlParser, FormControls) {
    auto doc = parse("<form><select name=s><option value=1>One <option selected>Two</option>"
                     "<option></select><textarea rows=2>line one\nline <b>two</textarea ></form>"
                     "<input type=hidden name=h><input type=image src=x.bmp>");
    ASSERT_EQ(doc->forms.size(), 2u);
    const auto& controls = doc->forms[0]->controls();
    ASSERT_EQ(controls.size(), 2u);
    const auto& options = controls[0]->options();
    ASSERT_EQ(options.size(), 2u);
    EXPECT_EQ(options[0].text, "One");
    EXPECT_EQ(options[0].value, "1");
    EXPECT_FALSE(options[0].selected);
    EXPECT_EQ(options[1].text, "Two");
    EXPECT_TRUE(options[1].selected);
    const std::vector<std::string> lines = {"line one", "line <b>two"};
    EXPECT_EQ(controls[1]->lines(), lines);
    // Two markers for the visible controls, one for the image input; the hidden one has none.
    EXPECT_EQ(dump(doc->body()), "S:###\n");
}

TEST(HtmlParser, ImageMaps) {
    auto doc = parse("<map name=\"#Nav\"><area shape=rect coords=\"0,0,9,9\" href=a.htm>"
                     "<area shape=circle coords=\"20, 20, 5\" nohref><area coords=1,2>"
                     "<area shape=poly coords=\"30,0,40,0,35,10,7\" href=p.htm></map>"
                     "<img src=nav.bmp usemap=\"#NAV\">");
    ASSERT_EQ(doc->imageMaps.size(), 1u);
    const ImageMap& map = *doc->imageMaps[0];
    ASSERT_EQ(map.areas().size(), 3u); // the two-number rectangle is dropped
    EXPECT_EQ(map.hit(9, 9)->url, "a.htm");
    EXPECT_EQ(map.hit(10, 10), nullptr);
    EXPECT_EQ(map.hit(20, 16), nullptr); // inside the circle, which has no URL
    EXPECT_EQ(map.hit(35, 5)->url, "p.htm");
    EXPECT_EQ(map.hit(31, 9), nullptr);
    ASSERT_EQ(doc->links.size(), 1u); // one link window for the map
    EXPECT_EQ(doc->links[0].number, 1);
    EXPECT_EQ(map.areas()[2].link, 2);
}
