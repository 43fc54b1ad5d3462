// The metafile writer on bytes, and what the program's player makes of its output.
#include "wmfwriter.h"

#include "platform/recordingdc.h"
#include "platform/wmfplayer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out.push_back(char(v));
    return out;
}

TEST(WmfWriter, TwoRecordImageOnBytes) {
    qv::WmfWriter w(0, 0, 2550, 3300, 300);
    w.moveTo(100, 200);
    w.lineTo(300, 200);
    const std::string expected =
        bytes({// placeable header: key, handle, box 0 0 2550 3300, 300 per inch, reserved, checksum
               0xD7, 0xCD, 0xC6, 0x9A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF6, 0x09, 0xE4, 0x0C,
               0x2C, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2F, 0x53,
               // standard header: memory, 9 words, version 3.0, 22 words, no objects, largest 5
               0x01, 0x00, 0x09, 0x00, 0x00, 0x03, 0x16, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00,
               0x00, 0x00, 0x00, 0x00,
               // move to (100, 200): y first
               0x05, 0x00, 0x00, 0x00, 0x14, 0x02, 0xC8, 0x00, 0x64, 0x00,
               // line to (300, 200)
               0x05, 0x00, 0x00, 0x00, 0x13, 0x02, 0xC8, 0x00, 0x2C, 0x01,
               // end
               0x03, 0x00, 0x00, 0x00, 0x00, 0x00});
    EXPECT_EQ(w.bytes(), expected);
    EXPECT_EQ(w.recordCount(), 2u);
}

TEST(WmfWriter, TextAndObjectRecordsOnBytes) {
    qv::WmfWriter w(0, 0, 100, 100, 300);
    EXPECT_EQ(w.createPen(0, 3, 0x00112233), 0);
    EXPECT_EQ(w.createBrush(qv::WMF_BS_NULL, 0), 1);
    w.deleteObject(0);
    EXPECT_EQ(w.createFont({-50, 700, false, false, false, 0, "TxFntB12"}), 0); // reuses 0
    w.textOut(10, 20, "abc");
    w.extTextOut(10, 20, "ab", {30, 31});
    const std::string b = w.bytes();
    const std::string body = b.substr(22 + 18);
    // pen: 8 words, style 0, width (3, 0), colour
    EXPECT_EQ(body.substr(0, 16),
              bytes({0x08, 0, 0, 0, 0xFA, 0x02, 0, 0, 3, 0, 0, 0, 0x33, 0x22, 0x11, 0x00}));
    // font record: 28 words, face at byte 24 of the record
    const std::size_t font = 16 + 14 + 8;
    EXPECT_EQ(body.substr(font, 6), bytes({28, 0, 0, 0, 0xFB, 0x02}));
    EXPECT_EQ(body.substr(font + 6, 2), bytes({0xCE, 0xFF})); // -50
    EXPECT_EQ(body.substr(font + 24, 9), std::string("TxFntB12\0", 9));
    // text out: length 3, "abc" padded, y, x
    const std::size_t text = font + 56;
    EXPECT_EQ(body.substr(text, 16),
              bytes({8, 0, 0, 0, 0x21, 0x05, 3, 0, 'a', 'b', 'c', 0, 20, 0, 10, 0}));
    // extended: y, x, length, options, "ab", advances 30 31
    const std::size_t ext = text + 16;
    EXPECT_EQ(body.substr(ext, 20),
              bytes({10, 0, 0, 0, 0x32, 0x0A, 20, 0, 10, 0, 2, 0, 0, 0, 'a', 'b', 30, 0, 31, 0}));
    // the header counts the largest record (the font) and two objects alive at once
    EXPECT_EQ(b.substr(22 + 10, 6), bytes({2, 0, 28, 0, 0, 0}));
}

TEST(WmfWriter, PlayedBackOntoARecordingContext) {
    qv::WmfWriter w(0, 0, 2550, 3300, 300);
    w.setBkMode(1);
    const int pen = w.createPen(0, 3, 0);
    w.selectObject(pen);
    const int font = w.createFont({-42, 400, false, false, false, 0, "TxFntN8"});
    w.selectObject(font);
    w.setTextAlign(0);
    w.rectangle(100, 200, 400, 260);
    w.moveTo(75, 500);
    w.lineTo(2475, 500);
    w.textOut(110, 210, "Wages");
    w.extTextOut(110, 300, "AB", {40, 40});
    const std::string b = w.bytes();

    pf::WmfPlayer player;
    ASSERT_TRUE(player.load(b.data(), b.size()));
    EXPECT_EQ(player.bounds(), (pf::Rect{0, 0, 2550, 3300}));
    EXPECT_EQ(player.unitsPerInch(), 300);
    pf::RecordingDc dc;
    // The printing library's rule for the form faces, done through the hook.
    ASSERT_TRUE(player.play(dc, [](pf::WmfRecord& r, pf::Dc&) {
        pf::WmfRecord::Font f;
        if (r.font(f) && f.font.faceName == "TxFntN8") {
            f.font.faceName = "Arial";
            r.setFont(f);
        }
        return true;
    }));
    const auto& rec = dc.records();
    ASSERT_EQ(rec.size(), 5u);
    EXPECT_EQ(rec[0].kind, pf::RecordingDc::Rectangle);
    EXPECT_EQ(rec[0].rect, (pf::Rect{100, 200, 400, 260}));
    EXPECT_EQ(rec[1].kind, pf::RecordingDc::Line);
    EXPECT_EQ(rec[1].points, (std::vector<pf::Point>{{75, 500}, {2475, 500}}));
    EXPECT_EQ(rec[2].text, "Wages");
    EXPECT_EQ(rec[2].x, 110);
    EXPECT_EQ(rec[2].y, 210);
    EXPECT_EQ(rec[2].font.faceName, "Arial");
    EXPECT_EQ(rec[2].font.height, -42);
    // Advances place each character of the extended record.
    EXPECT_EQ(rec[3].text, "A");
    EXPECT_EQ(rec[4].text, "B");
    EXPECT_EQ(rec[4].x, 150);
    // The player leaves the context as it found it.
    EXPECT_NE(dc.font().faceName, "Arial");
}

} // namespace
