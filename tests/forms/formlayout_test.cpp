#include "forms/formlayout.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace qv;

namespace {

void put32(std::string& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

LayoutRecord sample(LayoutKind kind) {
    LayoutRecord r;
    r.kind = kind;
    r.font = {2, 10, 2, 7};
    r.box = {-1440, 720, -240, 1800};
    r.bgColor = 0x00D6E7EF;
    r.textColor = 0x00112233;
    r.align = 2;
    r.frame = kind == LK_TEXT || kind == LK_ENTRY;
    r.pageHeight = -15840;
    r.pageWidth = 12240;
    r.pageExtra = 7;
    r.leaderEnd = 9000;
    r.opaque = true;
    r.text = "Wages, salaries, tips, etc.";
    r.fieldName = "L7";
    r.controlNumber = 12;
    r.elementIndex = 3;
    r.fieldOffset = 2;
    r.layoutFlags = LF_WHOLE_DOLLARS | LF_APPEND_ZERO_CENTS;
    r.decimals = 9;
    r.label = "Single";
    r.group = true;
    r.boxed = false;
    r.lineColor = 0xFF;
    r.x1 = 100, r.y1 = -200, r.x2 = 11000, r.y2 = -200;
    r.shape = 4, r.penStyle = 2, r.penWidth = 3;
    r.penColor = 0x0000FF00, r.fillColor = 0x00FF0000;
    return r;
}

} // namespace

// The offsets below are those the module data files are written with; a shifted field would
// read another field's bytes.
TEST(FormLayout, DecodesHandMadeEntryAndTextRecords) {
    std::string entry(107, '\0');
    entry[0] = LK_ENTRY;
    entry[1] = 1;    // frame
    entry[2] = 0x05; // whole dollars, ".00"
    entry[8] = 4;    // control number
    entry[10] = 2;   // decimals
    entry[11] = 2;   // right
    entry[12] = 1;   // element
    put32(entry, 14, static_cast<std::uint32_t>(-2880));
    put32(entry, 18, 9360);
    put32(entry, 22, 240);
    put32(entry, 26, 1500);
    entry[30] = 1;
    std::memcpy(&entry[31], "L8a", 3);
    put32(entry, 95, 0x00FFFFFF);
    put32(entry, 99, 0x00000080);
    put32(entry, 103, 0xDEADBEEF); // binding: ignored

    std::string text(39 + 5, '\0');
    text[0] = LK_TEXT;
    text[2] = 0, text[3] = 9, text[4] = 2, text[5] = 7;
    text[6] = 1;
    put32(text, 7, static_cast<std::uint32_t>(-720));
    put32(text, 23, 8000);
    text[27] = 1, text[28] = 1;
    text[37] = 5;
    std::memcpy(&text[39], "Hello", 5);

    LayoutParse p = ParseLayout(entry + text);
    ASSERT_TRUE(p.complete);
    ASSERT_EQ(p.records.size(), 2u);
    const LayoutRecord& e = p.records[0];
    EXPECT_EQ(e.kind, LK_ENTRY);
    EXPECT_TRUE(e.frame);
    EXPECT_EQ(e.layoutFlags, 5);
    EXPECT_EQ(e.controlNumber, 4);
    EXPECT_EQ(e.decimals, 2);
    EXPECT_EQ(e.align, 2);
    EXPECT_EQ(e.elementIndex, 1);
    EXPECT_EQ(e.box, (LayoutBox{-2880, 9360, 240, 1500}));
    EXPECT_EQ(e.fieldName, "L8a");
    EXPECT_EQ(e.bgColor, 0x00FFFFFFu);
    EXPECT_EQ(e.textColor, 0x00000080u);
    const LayoutRecord& t = p.records[1];
    EXPECT_EQ(t.offset, 107u);
    EXPECT_EQ(t.font, (LayoutFont{0, 9, 2, 7}));
    EXPECT_EQ(t.align, 1);
    EXPECT_EQ(t.box.top, -720);
    EXPECT_EQ(t.leaderEnd, 8000);
    EXPECT_TRUE(t.opaque);
    EXPECT_EQ(t.text, "Hello");
}

TEST(FormLayout, EveryKindRoundTripsAtItsSize) {
    const struct {
        LayoutKind kind;
        std::size_t size;
    } kinds[] = {{LK_HEADER, 26},  {LK_TEXT, 39 + 27}, {LK_ENTRY, 107},
                 {LK_LINE, 22},    {LK_OPTION, 615},   {LK_CHECK, 612},
                 {LK_CHOICE, 354}, {LK_SHAPE, 31},     {LK_HOTSPOT, 358}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(int(k.kind));
        const LayoutRecord in = sample(k.kind);
        std::string bytes = EncodeLayout({in, in});
        ASSERT_EQ(bytes.size(), 2 * k.size);
        LayoutParse p = ParseLayout(bytes);
        ASSERT_TRUE(p.complete);
        ASSERT_EQ(p.records.size(), 2u);
        EXPECT_EQ(p.records[1].offset, k.size);
        // Re-encoding what was read gives the same bytes: every field written is read back.
        EXPECT_EQ(EncodeLayout(p.records), bytes);
    }
}

TEST(FormLayout, WalkStopsAtDamage) {
    const std::string line = EncodeLayout({sample(LK_LINE)});
    std::string longText = EncodeLayout({sample(LK_TEXT)});
    longText[37] = 0x01, longText[38] = 0x08; // 2049 bytes claimed
    const struct {
        const char* what;
        std::string tail;
    } cases[] = {
        {"unknown kind", std::string(1, '\x03') + std::string(40, '\0')},
        {"cut short", EncodeLayout({sample(LK_ENTRY)}).substr(0, 106)},
        {"text over the limit", longText + std::string(2100, 'x')},
        {"text past the end", EncodeLayout({sample(LK_TEXT)}).substr(0, 50)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LayoutParse p = ParseLayout(line + c.tail);
        EXPECT_FALSE(p.complete);
        ASSERT_EQ(p.records.size(), 1u);
        EXPECT_EQ(p.stoppedAt, line.size());
    }
}

TEST(FormLayout, StringsAreCutToTheirFieldsAndBoxesNormalize) {
    LayoutRecord r = sample(LK_CHECK);
    r.fieldName = std::string(100, 'F');
    r.label = std::string(300, 'L');
    LayoutParse p = ParseLayout(EncodeLayout({r}));
    ASSERT_EQ(p.records.size(), 1u);
    EXPECT_EQ(p.records[0].fieldName.size(), kLayoutNameSize - 1);
    EXPECT_EQ(p.records[0].label.size(), kLayoutLabelSize - 1);

    EXPECT_EQ(Normalize({-1440, 720, -240, 1800}), (LayoutBounds{720, -1440, 2520, -1680}));
    EXPECT_EQ(Normalize({-1680, 2520, 240, -1800}), (LayoutBounds{720, -1440, 2520, -1680}));
    LayoutBounds b = Normalize({-1440, 720, -240, 1800});
    EXPECT_TRUE(b.contains(720, -1440));
    EXPECT_FALSE(b.contains(2520, -1500));
    EXPECT_EQ(Normalize({INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}).right, INT32_MAX);
}
