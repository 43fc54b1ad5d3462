// The drawing context: mappings, fonts and metrics, text drawing and saved states.
#include "platform/dc.h"
#include "platform/recordingdc.h"

#include <QFontDatabase>
#include <QImage>

#include <gtest/gtest.h>

namespace {

pf::LogFont font(int height, const char* face = "Arial", int weight = pf::FW_NORMAL) {
    pf::LogFont lf;
    lf.height = height;
    lf.weight = weight;
    lf.faceName = face;
    return lf;
}

// The bounding box of the pixels that are not white.
QRect ink(const QImage& img) {
    QRect box;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                box = box.united(QRect(x, y, 1, 1));
        }
    }
    return box;
}

} // namespace

TEST(Dc, ColourValuesAreBgr) {
    EXPECT_EQ(pf::RGB(0x12, 0x34, 0x56), 0x00563412u);
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        pf::Dc dc(&img);
        dc.fillRect({1, 1, 3, 3}, pf::RGB(255, 0, 0));
    }
    EXPECT_EQ(img.pixel(1, 1) & 0xFFFFFF, 0xFF0000u); // Qt reads back as 0xRRGGBB
    EXPECT_EQ(img.pixel(3, 3) & 0xFFFFFF, 0xFFFFFFu); // right and bottom edges excluded
}

TEST(Dc, MappingModes) {
    pf::Dc dc;
    struct Case {
        int mode;
        pf::Point logical;
        pf::Point device;
    };
    const Case cases[] = {
        {pf::MM_TEXT, {10, 20}, {10, 20}},
        {pf::MM_TWIPS, {1440, -720}, {96, 48}},
        {pf::MM_LOENGLISH, {100, -50}, {96, 48}},
        {pf::MM_HIMETRIC, {2540, -2540}, {96, 96}},
    };
    for (const Case& c : cases) {
        dc.setMapMode(c.mode);
        EXPECT_EQ(dc.lpToDp(c.logical), c.device) << c.mode;
        EXPECT_EQ(dc.dpToLp(c.device), c.logical) << c.mode;
    }

    dc.setMapMode(pf::MM_ANISOTROPIC);
    dc.setWindowOrg(100, 200);
    dc.setWindowExt(1000, -500);
    dc.setViewportOrg(10, 300);
    dc.setViewportExt(200, 100);
    EXPECT_EQ(dc.lpToDp(pf::Point{100, 200}), (pf::Point{10, 300}));
    EXPECT_EQ(dc.lpToDp(pf::Point{600, 450}), (pf::Point{110, 250}));
    EXPECT_EQ(dc.lpToDp(pf::Rect{100, 200, 600, 450}), (pf::Rect{10, 250, 110, 300}));

    dc.setMapMode(pf::MM_ISOTROPIC);
    dc.setWindowOrg(0, 0);
    dc.setViewportOrg(0, 0);
    dc.setWindowExt(100, 100);
    dc.setViewportExt(400, 200); // one unit keeps one length on both axes: the smaller wins
    EXPECT_EQ(dc.lpToDp(pf::Point{100, 100}), (pf::Point{200, 200}));
}

TEST(Dc, FontsByFaceAndHeight) {
    EXPECT_EQ(pf::substituteFace("Arial"), "Liberation Sans");
    EXPECT_EQ(pf::substituteFace("times new roman"), "Liberation Serif");
    EXPECT_EQ(pf::substituteFace("Courier New"), "Liberation Mono");
    ASSERT_TRUE(QFontDatabase::hasFamily("Liberation Sans"));

    pf::Dc dc;
    dc.selectFont(font(-16));
    const pf::TextMetrics em = dc.textMetrics();
    EXPECT_EQ(em.height - em.internalLeading, 16); // a negative height is the em
    dc.selectFont(font(16));
    const pf::TextMetrics cell = dc.textMetrics();
    EXPECT_NEAR(cell.height, 16, 1); // a positive one the cell

    dc.selectFont(font(-16, "Courier New"));
    EXPECT_EQ(dc.textExtent("iiii").cx, dc.textExtent("MMMM").cx); // fixed pitch
    const int normal = dc.textExtent("Bold text").cx;
    dc.selectFont(font(-16, "Courier New", pf::FW_BOLD));
    EXPECT_EQ(dc.textExtent("Bold text").cx, normal); // Liberation Mono keeps its pitch bold
    dc.selectFont(font(-16, "Arial", pf::FW_BOLD));
    const int bold = dc.textExtent("Bold text").cx;
    dc.selectFont(font(-16, "Arial"));
    EXPECT_GT(bold, dc.textExtent("Bold text").cx);
    // Extents add up per character, as the layout relies on.
    EXPECT_EQ(dc.textExtent("ab").cx, dc.textExtent("a").cx + dc.textExtent("b").cx);
}

TEST(Dc, FontsScaleWithTheMapping) {
    pf::Dc dc;
    dc.selectFont(font(-240)); // 240 twips = 1/6 in = 16 pixels
    const int textHeight = dc.textMetrics().height;
    dc.setMapMode(pf::MM_TWIPS);
    const pf::TextMetrics tm = dc.textMetrics();
    EXPECT_NEAR(tm.height, textHeight, 15 * 2); // logical twips, about 15 per pixel
    EXPECT_NEAR((tm.height - tm.internalLeading) / 15.0, 16, 1);
}

TEST(Dc, TextStaysUprightUnderYUpMapping) {
    auto draw = [](bool twips) {
        QImage img(80, 60, QImage::Format_RGB32);
        img.fill(Qt::white);
        pf::Dc dc(&img);
        dc.setBkMode(pf::TRANSPARENT);
        if (twips) {
            dc.setMapMode(pf::MM_TWIPS);
            dc.selectFont(font(-24 * 15));
            dc.textOut(10 * 15, -10 * 15, "Ly");
        } else {
            dc.selectFont(font(-24));
            dc.textOut(10, 10, "Ly");
        }
        return img;
    };
    const QImage down = draw(false);
    const QImage up = draw(true);
    const QRect box = ink(down);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GE(box.top(), 10); // below the reference point: top-aligned, not mirrored
    EXPECT_EQ(ink(up), box);
    EXPECT_EQ(up, down);
}

TEST(Dc, SaveAndRestore) {
    pf::Dc dc;
    dc.setTextColor(pf::RGB(1, 2, 3));
    dc.selectFont(font(-10));
    const int saved = dc.saveDC();
    dc.setMapMode(pf::MM_TWIPS);
    dc.setTextColor(pf::RGB(9, 9, 9));
    dc.selectFont(font(-30, "Courier New"));
    dc.saveDC();
    dc.setViewportOrg(5, 5);
    EXPECT_TRUE(dc.restoreDC(-1));
    EXPECT_EQ(dc.viewportOrg(), (pf::Point{0, 0}));
    EXPECT_EQ(dc.mapMode(), pf::MM_TWIPS);
    EXPECT_TRUE(dc.restoreDC(saved));
    EXPECT_EQ(dc.mapMode(), pf::MM_TEXT);
    EXPECT_EQ(dc.textColor(), pf::RGB(1, 2, 3));
    EXPECT_EQ(dc.font().faceName, "Arial");
    EXPECT_FALSE(dc.restoreDC(saved)); // already popped
}

TEST(Dc, DeviceCapsOfAnImage) {
    QImage img(300, 200, QImage::Format_RGB32);
    pf::Dc dc(&img);
    EXPECT_EQ(dc.deviceCaps(pf::HORZRES), 300);
    EXPECT_EQ(dc.deviceCaps(pf::VERTRES), 200);
    EXPECT_EQ(dc.deviceCaps(pf::LOGPIXELSY), img.logicalDpiY());
    EXPECT_EQ(dc.deviceCaps(pf::BITSPIXEL), 32);
}

TEST(Dc, DrawTextFlags) {
    pf::RecordingDc dc;
    dc.selectFont(font(-13));
    const int lineH = dc.textMetrics().height;
    const int word = dc.textExtent("word").cx;

    pf::Rect calc{0, 0, word * 2 + 5, 0};
    EXPECT_EQ(dc.drawText("word word word", calc, pf::DT_WORDBREAK | pf::DT_CALCRECT), 2 * lineH);
    EXPECT_EQ(calc.bottom, 2 * lineH);
    EXPECT_TRUE(dc.records().empty());

    pf::Rect box{0, 0, 200, 40};
    dc.drawText("A&&B &File", box, pf::DT_CENTER | pf::DT_VCENTER | pf::DT_SINGLELINE);
    ASSERT_EQ(dc.texts().size(), 1u);
    const auto t = dc.texts()[0];
    EXPECT_EQ(t.text, "A&B File");
    EXPECT_EQ(t.rect.left, (200 - dc.textExtent("A&B File").cx) / 2);
    EXPECT_EQ(t.rect.top, (40 - lineH) / 2);

    dc.clear();
    pf::Rect narrow{0, 0, dc.textExtent("abcdef...").cx, 20};
    dc.drawText("abcdefghijklmnop", narrow, pf::DT_END_ELLIPSIS | pf::DT_SINGLELINE);
    EXPECT_EQ(dc.texts().at(0).text, "abcdef...");
    dc.clear();
    pf::Rect path{0, 0, dc.textExtent("/a.../file.txt").cx, 20};
    dc.drawText("/alpha/beta/gamma/file.txt", path, pf::DT_PATH_ELLIPSIS | pf::DT_SINGLELINE);
    EXPECT_EQ(dc.texts().at(0).text, "/a.../file.txt");
}

TEST(Dc, RecordsTextInLogicalUnits) {
    pf::RecordingDc dc;
    dc.setMapMode(pf::MM_TWIPS);
    dc.selectFont(font(-200, "Times New Roman", pf::FW_BOLD));
    dc.setTextColor(pf::RGB(0, 0, 255));
    dc.setTextAlign(pf::TA_RIGHT | pf::TA_BASELINE);
    dc.textOut(1440, -720, "Page 1");
    ASSERT_EQ(dc.texts().size(), 1u);
    const auto r = dc.texts()[0];
    EXPECT_EQ(r.x, 1440);
    EXPECT_EQ(r.y, -720);
    EXPECT_EQ(r.font.faceName, "Times New Roman");
    EXPECT_EQ(r.font.weight, pf::FW_BOLD);
    EXPECT_EQ(r.colour, pf::RGB(0, 0, 255));
    EXPECT_EQ(r.rect.right, 1440);
}
