// qvdat compile-layout, dump-layout and render-layout on small sources.
#include "testenv.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

using qvtest::readFile;
using qvtest::runTool;
using qvtest::ToolRun;
using qvtest::writeFile;

std::string at(const std::string& name) {
    return qvtest::env().root + name;
}

// One record written by hand at the byte offsets of the layout format.
class Bytes {
public:
    Bytes(std::size_t size, std::uint8_t kind) : m_b(size, '\0') { m_b[0] = char(kind); }
    Bytes& u8(std::size_t at, unsigned v) {
        m_b.at(at) = char(v & 0xFF);
        return *this;
    }
    Bytes& u16(std::size_t at, unsigned v) { return u8(at, v).u8(at + 1, v >> 8); }
    Bytes& i32(std::size_t at, std::int64_t v) {
        for (int i = 0; i < 4; ++i)
            u8(at + std::size_t(i), unsigned(std::uint32_t(v) >> (8 * i)));
        return *this;
    }
    Bytes& str(std::size_t at, const std::string& s) {
        for (std::size_t i = 0; i < s.size(); ++i)
            u8(at + i, std::uint8_t(s[i]));
        return *this;
    }
    // Font descriptor: face, points, style, weight.
    Bytes& font(std::size_t at, unsigned face, unsigned points, unsigned style, unsigned weight) {
        return u8(at, face).u8(at + 1, points).u8(at + 2, style).u8(at + 3, weight);
    }
    Bytes& box(std::size_t at, std::int64_t top, std::int64_t left, std::int64_t height,
               std::int64_t width) {
        return i32(at, top).i32(at + 4, left).i32(at + 8, height).i32(at + 12, width);
    }
    const std::string& str() const { return m_b; }

private:
    std::string m_b;
};

constexpr unsigned kWhite = 0xFFFFFF;
constexpr unsigned kCream = 0xD6E7EF;

TEST(LayoutCompiler, SmallSourceGivesTheHandMadeBytes) {
    const int page2 = 11200; // page 2 starts this far down
    std::string expected;
    expected += Bytes(26, 0).font(2, 0, 9, 0, 7).i32(6, -22400).i32(10, 9300).i32(14, kWhite).str();
    expected += Bytes(39 + 5, 1)
                    .u8(1, 1)
                    .font(2, 0, 7, 2, 4)
                    .box(7, -100, 720, -180, 2000)
                    .i32(23, 5000)
                    .u8(28, 1)
                    .i32(29, kWhite)
                    .u16(37, 5)
                    .str(39, "Wages")
                    .str();
    expected += Bytes(107, 2)
                    .u8(1, 1)
                    .u16(2, 1) // whole dollars
                    .u16(8, 1)
                    .box(14, -100, 7800, -180, 1400)
                    .u8(30, 1)
                    .str(31, "L7")
                    .i32(95, kWhite)
                    .str();
    expected += Bytes(22, 4)
                    .i32(1, 0x0000FF)
                    .i32(6, -(page2 + 50))
                    .i32(10, 0)
                    .i32(14, -(page2 + 50))
                    .i32(18, 9300)
                    .str();
    expected += Bytes(612, 16)
                    .font(1, 0, 8, 0, 4)
                    .u8(5, 1)
                    .u8(6, 0) // no box of its own
                    .box(7, -(page2 + 300), 1000, -130, 130)
                    .u16(23, 2)
                    .u16(25, 2)
                    .str(28, "PAID")
                    .u8(348, 1)
                    .str();
    expected += Bytes(354, 32)
                    .u8(5, 1)
                    .box(6, -(page2 + 300), 2000, -200, 1500)
                    .u16(24, 10)
                    .str(26, "FS")
                    .i32(346, kWhite)
                    .str();
    expected += Bytes(31, 64)
                    .u8(1, 2)
                    .u8(2, 2)
                    .u8(3, 2)
                    .box(5, -(page2 + 1440), 0, -720, 1440)
                    .i32(23, 0x302010)
                    .i32(27, kCream)
                    .str();
    expected += Bytes(358, 128).box(6, -(page2 + 20), 10, -40, 30).u16(24, 11).str(26, "SSN").str();
    expected += Bytes(615, 8)
                    .font(1, 0, 7, 0, 4)
                    .u8(5, 1)
                    .box(6, -(page2 + 400), 500, -150, 1000)
                    .u16(24, 12)
                    .str(27, "FS")
                    .str(91, "Single")
                    .u8(347, 1)
                    .i32(603, kWhite)
                    .str();

    const std::string source = qvtest::fixture("layouts/small.txt");
    ToolRun r = runTool("qvdat", {"compile-layout", source, at("small.bin")});
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_EQ(expected, readFile(at("small.bin")));

    // The dump reads back to the same bytes.
    r = runTool("qvdat", {"dump-layout", at("small.bin")});
    ASSERT_EQ(0, r.status) << r.err;
    writeFile(at("dumped.txt"), r.out);
    r = runTool("qvdat", {"compile-layout", at("dumped.txt"), at("again.bin")});
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_EQ(expected, readFile(at("again.bin")));
}

TEST(LayoutCompiler, BadLinesAreReportedWithFileAndLine) {
    const std::string h = "header\n";
    struct Case {
        std::string source;
        std::string message; // expected on standard error, after "FILE:"
    };
    const Case cases[] = {
        {"text x=0 y=0 w=10 h=10 \"a\"\n", "1: the first record must be a header"},
        {h + h, "2: a second header (a layout has one, as its first record)"},
        {h + "txt x=0\n", "2: unknown keyword 'txt'"},
        {h + "entry x=0 y=0 w=10 h=10\n", "2: entry needs field="},
        {h + "text x=0 y=0 h=10 \"a\"\n", "2: text needs w"},
        {h + "text x=0 y=0 w=abc h=10 \"a\"\n", "2: text: bad w 'abc' (not a length)"},
        {h + "text x=2ft y=0 w=1 h=10 \"a\"\n",
         "2: text: bad x '2ft' (unknown unit 'ft' (in, pt, mm, tw))"},
        {h + "shape x=0 y=0 w=1 h=1 fill=blu\n",
         "2: shape: bad fill 'blu' (a colour name, #RRGGBB or 0xVALUE)"},
        {h + "check x=0 y=0 w=1 h=1 field=A colr=red\n", "2: check has no key 'colr'"},
        {h + "entry x=0 y=0 w=1 h=1 field=" + std::string(64, 'F') + "\n",
         "2: entry: bad field '" + std::string(64, 'F') + "' (longer than 63 characters)"},
        {h + "entry x=0 y=0 w=1 h=1 field=A(x)\n",
         "2: entry: bad field 'A(x)' (NAME or NAME(INDEX))"},
        {h + "text x=0 y=0 w=1 h=1 \"open\n", "2: unterminated quoted string"},
        {h + "text x=$nothere y=0 w=1 h=1 \"a\"\n", "2: undefined variable $nothere"},
        {h + "text x=0 y=0 w=1 h=1 font=huge \"a\"\n",
         "2: text: bad font 'huge' ([FACE:]SIZE[b][i][u][s][wN], e.g. 8, 9b, arial:7i, "
         "wingdings:10)"},
        {h + "macro m y\nhline x=0 y=$y\n", "2: 'macro' without a matching 'end'"},
        {h + "macro m y\nend\nm y=1 z=2\n", "4: macro m has no parameter 'z'"},
        {h + "macro m y\nhline x=0 y=$y\nend\nm y=5\n", "3 (in macro m from FILE:5): line needs w"},
        {h + "include \"nothing.inc\"\n", "2: cannot read "},
        {h + "page 0\n", "2: usage: page N (N from 1)"},
        {h + "entry x=0 y=0 w=1 h=1 field=A tab=70000\n", "2: entry: bad tab '70000' (0..65535)"},
        {h + "text x=1000 y=0 w=auto h=180 leader=1500 \"Wages, salaries, tips\"\n",
         "2: text is 1551 twips wide, 1141 more than the room before its leader end (shorten it "
         "or break it onto two lines)"},
        {"", ": no header record"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        const std::string src = at("bad.txt");
        writeFile(src, c.source);
        std::remove(at("bad.bin").c_str());
        const ToolRun r = runTool("qvdat", {"compile-layout", src, at("bad.bin")});
        EXPECT_EQ(1, r.status);
        std::string want = src + (c.message[0] == ':' ? "" : ":") + c.message;
        for (std::size_t p; (p = want.find("FILE")) != std::string::npos;)
            want.replace(p, 4, src);
        EXPECT_EQ(0u, r.err.find(want)) << r.err;
        EXPECT_TRUE(readFile(at("bad.bin")).empty()) << "no output for a bad source";
    }

    // Expansion without bound stops: a macro that calls itself, repeats nested deeply.
    struct Runaway {
        std::string source;
        std::string message;
    };
    for (const Runaway& c :
         {Runaway{h + "macro m\nm\nm\nend\nm\n", "macros nested too deeply"},
          Runaway{h + "repeat 1000 a\nrepeat 1000 b\nset x=1\nend\nend\n",
                  "the source expands to more than 200000 lines"},
          Runaway{h + "repeat 1000 a\nrepeat 30 b\nhline x=0 y=0 w=1\nend\nend\n",
                  "more than 20000 records"}}) {
        writeFile(at("bad.txt"), c.source);
        const ToolRun r = runTool("qvdat", {"compile-layout", at("bad.txt"), at("bad.bin")});
        EXPECT_EQ(1, r.status);
        EXPECT_NE(std::string::npos, r.err.find(c.message)) << r.err.substr(0, 300);
        EXPECT_LT(std::count(r.err.begin(), r.err.end(), '\n'), 60) << "errors are capped";
    }

    // Every bad line of one run is reported, not only the first.
    writeFile(at("bad.txt"), h + "txt\nentry x=0\nhline x=0 y=0 w=1\nbogus\n");
    const ToolRun r = runTool("qvdat", {"compile-layout", at("bad.txt"), at("bad.bin")});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ(at("bad.txt") + ":2: unknown keyword 'txt'\n" + at("bad.txt") +
                  ":3: entry needs y, w, h\n" + at("bad.txt") + ":5: unknown keyword 'bogus'\n",
              r.err);
}

TEST(LayoutCompiler, RepeatsIncludesAndDefaults) {
    writeFile(at("rows.inc"),
              "set RH=200\nmacro row y f\nentry x=100 y=$y w=50 h=$RH field=$f\nend\n");
    writeFile(at("main.txt"), "include \"rows.inc\"\nheader\ndefault entry frame len=9\n"
                              "repeat 3 i from=1000 step=$RH\nrow y=$i f=F$i\nend\n"
                              "entry x=0 y=0 w=1 h=1 field=G tab=7 len=2\n"
                              "entry x=0 y=0 w=1 h=1 field=H\n");
    ToolRun r = runTool("qvdat", {"compile-layout", at("main.txt"), at("main.bin")});
    ASSERT_EQ(0, r.status) << r.err;
    r = runTool("qvdat", {"dump-layout", at("main.bin")});
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_EQ("header width=9300 height=11200\n"
              "entry x=100 y=1000 w=50 h=200 field=F1000 frame len=9\n"
              "entry x=100 y=1200 w=50 h=200 field=F1200 frame len=9\n"
              "entry x=100 y=1400 w=50 h=200 field=F1400 frame len=9\n"
              "entry x=0 y=0 w=1 h=1 field=G tab=7 frame len=2\n"
              "entry x=0 y=0 w=1 h=1 field=H frame len=9\n",
              r.out);
}

TEST(LayoutCompiler, DumpAndRenderReadDataFileEntriesAndStopAtUnknownKinds) {
    // A binary layout whose second record has no known kind: the dump keeps what came before
    // and says where it stopped.
    std::string bytes =
        Bytes(26, 0).font(2, 0, 8, 0, 4).i32(6, -11200).i32(10, 9300).i32(14, kWhite).str();
    bytes += Bytes(31, 64).u8(3, 1).box(5, -1000, 1000, -2000, 3000).i32(27, 0x0000FF).str();
    writeFile(at("one.bin"), bytes + std::string("\x03junk", 5));
    ToolRun r = runTool("qvdat", {"dump-layout", at("one.bin")});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ("header width=9300 height=11200 bg=white\n"
              "shape x=1000 y=1000 w=3000 h=2000 fill=red\n",
              r.out);
    EXPECT_NE(std::string::npos, r.err.find("stop at byte 57")) << r.err;

    writeFile(at("good.bin"), bytes);
    r = runTool("qvdat", {"pack", at("m.dat"), "USTEST=" + at("good.bin")});
    ASSERT_EQ(0, r.status) << r.err;
    r = runTool("qvdat", {"render-layout", at("m.dat"), "ustest", at("page.png"), "--dpi", "144"});
    ASSERT_EQ(0, r.status) << r.err;
    const QImage image(QString::fromStdString(at("page.png")));
    // 0.1 pixel per twip, 200 twips of margin round the 9300 x 11200 page.
    ASSERT_EQ(970, image.width());
    ASSERT_EQ(1160, image.height());
    EXPECT_EQ(QColor(255, 0, 0), image.pixelColor(20 + 250, 20 + 200));   // inside the red shape
    EXPECT_EQ(QColor(255, 255, 255), image.pixelColor(20 + 50, 20 + 50)); // page background
    EXPECT_LT(qGray(image.pixel(20 + 100, 20 + 200)), 128); // the shape's black left edge

    r = runTool("qvdat", {"render-layout", at("m.dat"), "USNONE", at("page.png")});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ("qvdat: " + at("m.dat") + ": no entry named USNONE\n", r.err);
}

} // namespace
