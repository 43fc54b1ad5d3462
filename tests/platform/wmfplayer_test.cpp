// The metafile player: refused and damaged input, record views a hook rewrites, and the
// object table and state rules of playback.
#include "testenv.h"

#include "platform/recordingdc.h"
#include "platform/wmfplayer.h"

#include <gtest/gtest.h>

namespace {

std::string fixture(const char* name) {
    return qvtest::readFile(qvtest::fixture(std::string("fuzz/wmfplayer/") + name));
}

struct LoadCase {
    const char* file;
    bool loads;
    std::size_t records;
    std::size_t drawn; // records the recording context notes
};

TEST(WmfPlayer, LoadsOrRefusesEveryDamagedFile) {
    const LoadCase cases[] = {
        {"valid.wmf", true, 13, 8}, // box, line, text, opaque fill, 3 characters, polygon
        {"truncated.wmf", false, 0, 0}, {"badchecksum.wmf", false, 0, 0},
        {"oversize.wmf", false, 0, 0},  // header size beyond the bytes
        {"hugerecord.wmf", true, 0, 0}, // a record leaving the metafile ends it
        {"lies.wmf", true, 7, 0},       // every record too short for what it claims
        {"fulltable.wmf", true, 20, 0}, {"restore.wmf", true, 4, 0},
    };
    for (const LoadCase& c : cases) {
        const std::string bytes = fixture(c.file);
        pf::WmfPlayer player;
        EXPECT_EQ(player.load(bytes.data(), bytes.size()), c.loads) << c.file;
        EXPECT_EQ(player.recordCount(), c.records) << c.file;
        pf::RecordingDc dc;
        const pf::LogFont before = dc.font();
        EXPECT_EQ(player.play(dc), c.loads) << c.file;
        EXPECT_EQ(dc.records().size(), c.drawn) << c.file;
        EXPECT_EQ(dc.font(), before) << c.file << ": state restored";
    }
    pf::WmfPlayer empty;
    EXPECT_FALSE(empty.load(nullptr, 0));
    pf::RecordingDc dc;
    EXPECT_FALSE(empty.play(dc));
}

TEST(WmfPlayer, HookSeesAndRewritesFontAndTextRecords) {
    const std::string bytes = fixture("valid.wmf");
    pf::WmfPlayer player;
    ASSERT_TRUE(player.load(bytes.data(), bytes.size()));
    pf::RecordingDc dc;
    std::vector<std::string> faces;
    std::vector<std::vector<int>> advances;
    player.play(dc, [&](pf::WmfRecord& r, pf::Dc& target) {
        pf::WmfRecord::Font f;
        if (r.font(f)) {
            faces.push_back(f.font.faceName);
            EXPECT_EQ(f.font.weight, 700);
            f.font.faceName = "Arial";
            r.setFont(f);
        }
        pf::WmfRecord::Text t;
        if (r.text(t)) {
            advances.push_back(t.advances);
            EXPECT_EQ(target.font().faceName, "Arial"); // the font selected before it
            if (t.text == "Hello") {
                t.y -= 7;
                r.setText(t);
            } else {
                return false; // drawn some other way
            }
        }
        return true;
    });
    EXPECT_EQ(faces, std::vector<std::string>{"TxFntB10"});
    ASSERT_EQ(advances.size(), 2u);
    EXPECT_TRUE(advances[0].empty());
    EXPECT_EQ(advances[1], (std::vector<int>{20, 20, 20}));
    const auto texts = dc.texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Hello");
    EXPECT_EQ(texts[0].x, 100);
    EXPECT_EQ(texts[0].y, 193);
    EXPECT_EQ(texts[0].font.faceName, "Arial");
    EXPECT_EQ(texts[0].font.height, -50);
}

TEST(WmfPlayer, RecordViewsRoundTrip) {
    pf::WmfRecord r;
    r.function = pf::WmfPlayer::EXTTEXTOUT;
    pf::WmfRecord::Text t;
    t.x = -5;
    t.y = 40;
    t.text = "abc";
    t.options = 4; // clipped: the rectangle is stored
    t.rect = {1, 2, 3, 4};
    t.advances = {10, 11, 12};
    r.setText(t);
    pf::WmfRecord::Text back;
    ASSERT_TRUE(r.text(back));
    EXPECT_EQ(back.x, -5);
    EXPECT_EQ(back.text, "abc");
    EXPECT_EQ(back.rect, (pf::Rect{1, 2, 3, 4}));
    EXPECT_EQ(back.advances, (std::vector<int>{10, 11, 12}));
    // A first advance of 0 means the record has none.
    t.advances = {0, 5, 5};
    r.setText(t);
    ASSERT_TRUE(r.text(back));
    EXPECT_TRUE(back.advances.empty());
    pf::WmfRecord::Font f;
    EXPECT_FALSE(r.font(f));
    f.font.faceName = std::string(40, 'x'); // cut to the 32-byte field with its terminator
    r.setFont(f);
    ASSERT_TRUE(r.font(f));
    EXPECT_EQ(f.font.faceName, std::string(31, 'x'));
}

} // namespace
