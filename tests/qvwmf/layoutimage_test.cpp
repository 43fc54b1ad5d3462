// Page images and grid places made from a small layout: the page mapping, fonts named as the
// printing library expects them, boxes and marks, and values placed on the character grid.
#include "layoutimage.h"

#include "platform/recordingdc.h"
#include "platform/wmfplayer.h"

#include <gtest/gtest.h>

namespace {

using qv::LayoutRecord;

LayoutRecord header(int pages) {
    LayoutRecord r;
    r.kind = qv::LK_HEADER;
    r.pageHeight = -qv::kLayoutPageHeight * pages;
    r.pageWidth = qv::kLayoutPageWidth;
    return r;
}

LayoutRecord text(int top, int left, const char* s, std::uint8_t points, std::uint8_t weight) {
    LayoutRecord r;
    r.kind = qv::LK_TEXT;
    r.box = {top, left, -240, 3000};
    r.font = {0, points, 0, weight};
    r.text = s;
    return r;
}

LayoutRecord entry(int top, int left, int height, int width, const char* field) {
    LayoutRecord r;
    r.kind = qv::LK_ENTRY;
    r.box = {top, left, -height, width};
    r.frame = true;
    r.fieldName = field;
    return r;
}

std::vector<LayoutRecord> smallLayout() {
    LayoutRecord line;
    line.kind = qv::LK_LINE;
    line.x1 = 0;
    line.y1 = -1000;
    line.x2 = 9300;
    line.y2 = -1000;
    LayoutRecord check;
    check.kind = qv::LK_CHECK;
    check.box = {-3000, 1000, -200, 2000};
    check.fieldName = "TP65";
    check.label = "65 or older";
    return {header(2),
            text(-200, 100, "Form 1040", 14, 7),
            text(-600, 100, "Wages, salaries, tips", 8, 4),
            text(-700, 100, "Odd size", 9, 4),
            line,
            entry(-2000, 7000, 180, 1800, "L7"),
            entry(-2290, 7000, 180, 1800, "L8a"), // a row off the 180-unit rhythm
            check,
            text(-11200 - 200, 100, "Page two", 10, 7),
            entry(-11200 - 2000, 7000, 180, 1800, "L41")};
}

std::vector<pf::RecordingDc::Record> play(const std::string& wmf, std::vector<std::string>* faces) {
    pf::WmfPlayer player;
    EXPECT_TRUE(player.load(wmf.data(), wmf.size()));
    pf::RecordingDc dc;
    player.play(dc, [&](pf::WmfRecord& r, pf::Dc&) {
        pf::WmfRecord::Font f;
        if (faces && r.font(f))
            faces->push_back(f.font.faceName);
        return true;
    });
    return dc.records();
}

TEST(LayoutImage, MapsLayoutPagesOntoTheFrame) {
    EXPECT_EQ(qv::ImageX(0), 75);
    EXPECT_EQ(qv::ImageX(9300), 2475); // the page width fills the 2400-unit frame
    EXPECT_EQ(qv::ImageY(0, 1, 65), 65);
    EXPECT_EQ(qv::ImageY(-180, 1, 65), 115); // a row pitch of the layouts is a grid row
    EXPECT_EQ(qv::ImageY(-11200, 1, 65), 3176);
    EXPECT_EQ(qv::ImageY(-11200, 2, 65), 65);
    EXPECT_EQ(qv::LayoutPageOf(0), 1);
    EXPECT_EQ(qv::LayoutPageOf(-11200), 1);
    EXPECT_EQ(qv::LayoutPageOf(-11201), 2);
}

TEST(LayoutImage, DrawsStaticContentPageByPage) {
    const qv::LayoutImages made = qv::RenderLayout(smallLayout());
    ASSERT_EQ(made.pages.size(), 2u);
    std::vector<std::string> faces;
    const auto one = play(made.pages[0], &faces);
    // Form faces where one of that size and weight exists, Arial otherwise.
    EXPECT_EQ(faces, (std::vector<std::string>{"TxFntB14", "TxFntN8", "Arial", "TxFntN8"}));
    std::vector<std::string> texts;
    int rectangles = 0, lines = 0;
    for (const auto& r : one) {
        if (r.kind == pf::RecordingDc::Text)
            texts.push_back(r.text);
        rectangles += r.kind == pf::RecordingDc::Rectangle;
        lines += r.kind == pf::RecordingDc::Line;
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Form 1040", "Wages, salaries, tips", "Odd size",
                                               "65 or older"}));
    EXPECT_EQ(rectangles, 3); // two entry frames and the check square
    EXPECT_EQ(lines, 1);
    // Row tops at 20 and 130 (mod 180), one each: the smaller phase wins, 20 x 5/18 = 6 units
    // into the page, so the page starts at 95 and that row's top at 651 = 1 (mod 50).
    ASSERT_EQ(made.maps.size(), 2u);
    const qv::PageMap& map = made.maps[0];
    EXPECT_EQ(map.top(), 95);
    EXPECT_EQ(map.y(-2000), 651);
    EXPECT_EQ(map.y(-2180), 701);
    // The other row falls at 731 and moves down 20 onto the grid, keeping its height; the
    // gap above it takes the stretch.
    EXPECT_EQ(map.y(-2290), 751);
    EXPECT_EQ(map.y(-2470), 801);
    EXPECT_EQ(made.maps[1].top(), 95);
    // The rule at layout y -1000 spans the frame at y 95 + 1000 x 5/18.
    for (const auto& r : one) {
        if (r.kind == pf::RecordingDc::Line) {
            EXPECT_EQ(r.points, (std::vector<pf::Point>{{75, 373}, {2475, 373}}));
        }
        if (r.kind == pf::RecordingDc::Text && r.text == "Form 1040") {
            EXPECT_EQ(r.x, 75 + 26); // 100 x 8/31
            EXPECT_EQ(r.y, 95 + 56);
        }
    }
    const auto two = play(made.pages[1], nullptr);
    ASSERT_FALSE(two.empty());
    EXPECT_EQ(two[0].text, "Page two");
    EXPECT_EQ(two[0].y, 95 + 56);
}

TEST(LayoutImage, PlacesValuesOnTheCharacterGrid) {
    const qv::LayoutImages made = qv::RenderLayout(smallLayout());
    ASSERT_EQ(made.placements.size(), 4u);
    // The L7 box spans x 1881..2346 and y 651..701 on the frame: whole cells from column 64
    // (x 1907) to 77 (ending at 2327), on row 14 (baseline 690), centred nearest to 676.
    qv::GridPlacement l7 = made.placements[0];
    EXPECT_EQ(l7.field, "L7");
    EXPECT_EQ(l7.kind, 'E');
    EXPECT_EQ(l7.page, 1);
    EXPECT_EQ(l7.row, 14);
    EXPECT_EQ(l7.column, 64);
    EXPECT_EQ(l7.width, 14);
    EXPECT_EQ(l7.elementType, 1);
    EXPECT_EQ(made.placements[1].field, "L8a");
    EXPECT_EQ(made.placements[1].row, 16); // baseline 790 in 751..801
    // The check mark sits in the square left of the box (x 281..333, y 948..1004).
    const qv::GridPlacement& mark = made.placements[2];
    EXPECT_EQ(mark.field, "TP65");
    EXPECT_EQ(mark.kind, 'C');
    EXPECT_EQ(mark.column, 10); // cell centre 302
    EXPECT_EQ(mark.row, 20);
    const qv::GridPlacement& l41 = made.placements[3];
    EXPECT_EQ(l41.page, 2);
    EXPECT_EQ(l41.row, 14);
    EXPECT_EQ(qv::PlacementText({l7}), "E\t1\t14\t64\t14\t1\t0\t0\t0\t0\tL7\n");
}

} // namespace
