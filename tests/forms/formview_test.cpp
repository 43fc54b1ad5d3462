#include "formviewtestsupport.h"

#include "forms/formsview.h"
#include "forms/layoutpainter.h"
#include "platform/misc.h"
#include "platform/recordingdc.h"

#include "forms/fieldedit.h"
#include "forms/messageballoon.h"
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace fvtest;
using qv::CFormPageWnd;

// Form 1040 with a name box, a box whose field never takes the focus, a money box and the
// Exit box, in that tab order.
std::vector<LayoutRecord> navigationLayout() {
    return {header(), entry("FNAME", 1, -720, 720), entry("MNAME", 2, -1200, 720),
            entry("L21", 3, -1680, 720), entry("Exit", 4, -2160, 720)};
}

TEST_F(FormViewTest, UnknownFieldNamesBindFieldOneWithOneBeepPerLoad) {
    start({{"USF1040",
            {header(), entry("FNAME", 1, -720, 720), entry("NOSUCH", 2, -1200, 720),
             entry("NOTHERE", 3, -1680, 720), check("TP65", 4, -2160, 2880)}}});
    pf::resetBeepCount();
    CFormPageWnd& p = open("USF1040");
    EXPECT_EQ(1, pf::beepCount());
    CFormCopy* copy = p.copy();
    ASSERT_NE(nullptr, copy);
    const std::vector<CField*>& bound = p.bindings();
    EXPECT_EQ(field(copy, "FNAME"), bound[1]);
    EXPECT_EQ(copy->GetField(1), bound[2]);
    EXPECT_EQ(copy->GetField(1), bound[3]);
    EXPECT_EQ(field(copy, "TP65"), bound[4]);
    EXPECT_NE(0, copy->TestFlag(CF_OPEN));
    p.OpenCopy(p.fieldRef());
    EXPECT_EQ(2, pf::beepCount());
}

TEST_F(FormViewTest, MissingLayoutLeavesThePageBlankWithoutAMessage) {
    start({{"USF1040", {}}});
    pf::resetBeepCount();
    CFormPageWnd& p = open("USDW2"); // no copy of a W-2 yet
    EXPECT_FALSE(p.isLoaded());
    CFormPageWnd& q = open("USF1040"); // a copy, but no layout entry
    EXPECT_FALSE(q.isLoaded());
    EXPECT_EQ(0, pf::beepCount());
    EXPECT_TRUE(qvtest::shownBoxes().empty());
}

TEST_F(FormViewTest, TabOrderSkipsNoFocusBoxesStopsAtTheEndsAndReachesExit) {
    start({{"USF1040", navigationLayout()}});
    field(fm->GetFormCopy(form("USF1040"), 1), "MNAME")->SetFlag(FF_NOFOCUS, 1);
    CFormPageWnd& p = open("USF1040");
    ASSERT_EQ(1, p.currentControl());
    EXPECT_TRUE(p.editor()->isVisible());

    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(1, p.currentControl());
    key(Qt::Key_Tab);
    EXPECT_EQ(3, p.currentControl()); // 2 is FF_NOFOCUS
    key(Qt::Key_Tab);
    EXPECT_EQ(4, p.currentControl());
    EXPECT_FALSE(p.editor()->isVisible());
    EXPECT_TRUE(p.exitButton()->isVisible());
    EXPECT_TRUE(p.exitButton()->hasFocus());
    key(Qt::Key_Tab);
    EXPECT_EQ(4, p.currentControl());
    key(Qt::Key_Up);
    EXPECT_EQ(3, p.currentControl());
    clickAt(2); // a click cannot reach the FF_NOFOCUS box either
    EXPECT_EQ(3, p.currentControl());
    clickAt(1);
    EXPECT_EQ(1, p.currentControl());
    EXPECT_EQ(p.editor()->geometry(), QRect(centre(1) - QPoint(60, 10), QSize(120, 20)));
}

TEST_F(FormViewTest, LeavingABoxStoresItAndARefusedValueKeepsTheFocusWithTheBalloon) {
    start({{"USF1040", navigationLayout()}});
    CFormPageWnd& p = open("USF1040");
    CFormCopy* copy = p.copy();
    clickAt(3);
    ASSERT_EQ(3, p.currentControl());
    type("1,234.5");
    clickAt(1);
    EXPECT_EQ(1, p.currentControl());
    EXPECT_EQ(123450, field(copy, "L21")->GetMoney());
    EXPECT_EQ(1, modifiedMarks);

    clickAt(3);
    type("12345678901"); // $12,345,678,901.00 is past the field's maximum
    pf::resetBeepCount();
    clickAt(1);
    EXPECT_EQ(3, p.currentControl());
    EXPECT_EQ(1, pf::beepCount());
    EXPECT_EQ(123450, field(copy, "L21")->GetMoney());
    EXPECT_TRUE(p.balloon()->isVisible());
    EXPECT_EQ("Please enter a dollar amount between $-99,999,999.99 and $99,999,999.99",
              p.balloon()->Text());
    EXPECT_GT(p.balloon()->y(), p.editor()->geometry().bottom());
    // Moving by key is refused the same way; a key on the page hides the balloon.
    key(Qt::Key_Tab);
    EXPECT_EQ(3, p.currentControl());
    EXPECT_EQ(0, pf::sendMessage(&p, pf::UM_COMMIT_FIELD));
    type("7");
    EXPECT_EQ(1, pf::sendMessage(&p, pf::UM_COMMIT_FIELD));
    EXPECT_EQ(700, field(copy, "L21")->GetMoney());
}

TEST_F(FormViewTest, CheckBoxClicksToggleAndProtectedOnesRefuse) {
    std::vector<LayoutRecord> layout{header(), entry("FNAME", 1, -720, 720),
                                     check("TP65", 2, -1200, 1440)};
    LayoutRecord group = check("TPBLIND", 3, -1680, 1440);
    group.boxed = false;
    layout.push_back(group);
    start({{"USF1040", layout}});
    CFormPageWnd& p = open("USF1040");
    CField* tp65 = field(p.copy(), "TP65");
    clickAt(2);
    EXPECT_EQ(2, p.currentControl());
    EXPECT_NE(0, tp65->IsSet());
    EXPECT_NE(0, tp65->TestFlag(FF_ENTERED | FF_HASVALUE));
    EXPECT_NE(0, p.copy()->TestFlag(CF_USERMODIFIED));
    key(Qt::Key_Space);
    EXPECT_EQ(0, tp65->IsSet());

    CField* blind = field(p.copy(), "TPBLIND");
    blind->SetFlag(FF_PROTECTED, 1);
    qvtest::expectBox("You may not modify a protected field.", pf::IDOK);
    clickAt(3);
    EXPECT_EQ(0, blind->IsSet());
}

TEST_F(FormViewTest, EmptyBoxesShowZeroAndStateColours) {
    std::vector<LayoutRecord> layout{
        header(),
        text("Wages", -700, 720, 1440, {0, 10, 0, 7}),
        entry("L21", 1, -720, 720, 2880),
        entry("L8b", 2, -1200, 720, 2880, qv::LF_WHOLE_DOLLARS),
        entry("L8b", 3, -1680, 720, 2880, qv::LF_WHOLE_DOLLARS | qv::LF_APPEND_ZERO_CENTS),
        entry("L6c", 4, -2160, 720, 2880)};
    start({{"USF1040", layout}});
    CFormPageWnd& p = open("USF1040");
    pf::RecordingDc dc;
    p.PaintPage(dc, QRect(0, 0, 800, 600));
    const std::vector<pf::RecordingDc::Record> texts = dc.texts();
    ASSERT_EQ(5u, texts.size());
    EXPECT_EQ("Wages", texts[0].text);
    EXPECT_EQ(720, texts[0].x);
    EXPECT_EQ(-700, texts[0].y);
    EXPECT_EQ(-200, texts[0].font.height);
    EXPECT_EQ(700, texts[0].font.weight);
    EXPECT_EQ("Arial", texts[0].font.faceName);
    EXPECT_EQ("0.00", texts[1].text);
    EXPECT_EQ("0", texts[2].text);
    EXPECT_EQ("0.00", texts[3].text);
    EXPECT_EQ("0", texts[4].text);
    // Boxes have no font of their own: they take the last text record's.
    EXPECT_EQ(texts[0].font, texts[1].font);
    // Right-aligned values end at the box's right edge; colours follow the field's state.
    EXPECT_EQ(720 + 2880, texts[1].x + dc.textExtent("0.00").cx);
    EXPECT_EQ(FIELD_COLOR_INPUT, texts[1].colour);
    EXPECT_EQ(FIELD_COLOR_CALCULATED, texts[4].colour);
}

TEST_F(FormViewTest, PaintingEveryRecordKindInTwips) {
    LayoutRecord leader = text("Total", -720, 720, 720);
    leader.leaderEnd = 4320;
    LayoutRecord symbol = text("t", -1200, 720, 240, {2, 10, 0, 7});
    LayoutRecord line;
    line.kind = qv::LK_LINE;
    line.x1 = 720;
    line.y1 = -1500;
    line.x2 = 8640;
    line.y2 = -1500;
    LayoutRecord shape;
    shape.kind = qv::LK_SHAPE;
    shape.shape = 2;
    shape.penWidth = 2;
    shape.penColor = pf::RGB(0, 0, 255);
    shape.fillColor = pf::RGB(255, 255, 0);
    shape.box = {-1800, 720, -480, 960};
    LayoutRecord hidden = text("Hidden", -2400, 720);
    hidden.visible = false;
    LayoutRecord hot;
    hot.kind = qv::LK_HOTSPOT;
    hot.fieldName = "FNAME";
    hot.controlNumber = 9;
    hot.box = {-2400, 720, -240, 1440};
    LayoutRecord below = text("Past the page", -16000, 720);
    std::vector<LayoutRecord> layout{header(),
                                     leader,
                                     symbol,
                                     entry("FNAME", 1, -1200, 1440),
                                     line,
                                     shape,
                                     check("TP65", 2, -2880, 2880),
                                     hidden,
                                     hot,
                                     below};
    start({{"USF1040", layout}});
    CFormCopy* copy = fm->GetFormCopy(form("USF1040"), 1);
    field(copy, "FNAME")->SetText("ANN");
    field(copy, "TP65")->SetChecked(1);
    CFormPageWnd& p = open("USF1040");
    ASSERT_TRUE(p.isLoaded());
    ASSERT_EQ(1, p.currentControl());

    p.verticalScrollBar()->setValue(p.verticalScrollBar()->maximum());
    pf::RecordingDc dc;
    p.PaintPage(dc, QRect(0, 0, 800, 1100)); // past the page's bottom, nothing shows
    for (const auto& t : dc.texts())
        EXPECT_NE("Past the page", t.text);
    p.verticalScrollBar()->setValue(0);
    dc.clear();
    p.PaintPage(dc, QRect(0, 0, 800, 600));

    std::vector<std::string> shown;
    for (const auto& t : dc.texts())
        shown.push_back(t.text);
    ASSERT_EQ(6u, shown.size());
    EXPECT_EQ("Total", shown[0]);
    EXPECT_EQ("i", shown[2]);
    EXPECT_EQ("ANN", shown[3]);
    EXPECT_EQ("X", shown[4]); // the mark, then the label beside it
    EXPECT_EQ("Check", shown[5]);

    const auto texts = dc.texts();
    // The leader: bold dots, right-aligned to 90 twips before its end.
    EXPECT_EQ(700, texts[1].font.weight);
    EXPECT_EQ(4320 - 90, texts[1].x + dc.textExtent(texts[1].text).cx);
    EXPECT_EQ(0u, texts[1].text.find(" ."));
    // Face 2 swaps the letter and grows it by 2 points; the entry box takes that font.
    EXPECT_EQ("NelcoSymbols", texts[2].font.faceName);
    EXPECT_EQ(-240, texts[2].font.height);
    EXPECT_EQ(400, texts[2].font.weight);
    EXPECT_EQ(texts[2].font, texts[3].font);
    EXPECT_EQ(1440, texts[3].x);
    EXPECT_EQ(-1200, texts[3].y);
    EXPECT_EQ(FIELD_COLOR_INPUT, texts[3].colour);
    EXPECT_EQ(FIELD_COLOR_INPUT, texts[4].colour);

    bool sawLine = false, sawEllipse = false, sawCheckSquare = false;
    for (const auto& r : dc.records()) {
        if (r.kind == pf::RecordingDc::Line && r.points.size() >= 1)
            sawLine = true;
        if (r.kind == pf::RecordingDc::Line && r.x == 720 && r.y == -1500)
            sawLine = true;
        if (r.kind == pf::RecordingDc::Ellipse && r.colour == pf::RGB(255, 255, 0))
            sawEllipse = true;
        if (r.kind == pf::RecordingDc::Rectangle)
            sawCheckSquare = true;
    }
    EXPECT_TRUE(sawLine);
    EXPECT_TRUE(sawEllipse);
    EXPECT_TRUE(sawCheckSquare);
}

TEST_F(FormViewTest, DetailsLayoutIsDrawnOnWhiteAndFormsOnCream) {
    start({{"USF1040", {header(), entry("FNAME", 1, -720, 720)}}});
    CFormPageWnd& p = open("USF1040");
    EXPECT_EQ(pf::RGB(239, 231, 214), p.backgroundColour());
    EXPECT_EQ(pf::RGB(255, 255, 255), CFormPageWnd::backgroundFor("FDETAILS"));
    EXPECT_EQ(pf::RGB(255, 255, 255), CFormPageWnd::backgroundFor("fdetails"));
    const QImage shot = p.viewport()->grab().toImage();
    EXPECT_EQ(QColor(239, 231, 214), shot.pixelColor(shot.width() - 2, shot.height() - 2));
}

TEST_F(FormViewTest, ScrollStepsWheelAndRange) {
    start({{"USF1040",
            {header(-28800, 12240), entry("FNAME", 1, -720, 720), entry("L21", 2, -27000, 720)}}});
    CFormPageWnd& p = open("USF1040");
    QScrollBar* bar = p.verticalScrollBar();
    EXPECT_EQ(28800 / 15 - p.viewport()->height(), bar->maximum());
    EXPECT_EQ(std::max(0, 12240 / 15 - p.viewport()->width()), p.horizontalScrollBar()->maximum());
    p.ScrollVertical(CFormPageWnd::Scroll::LineDown);
    EXPECT_EQ(50, bar->value());
    p.ScrollVertical(CFormPageWnd::Scroll::LineUp);
    EXPECT_EQ(0, bar->value());
    p.WheelStep(true); // at the top already
    EXPECT_EQ(0, bar->value());
    p.WheelStep(false);
    EXPECT_EQ(50, bar->value());
    bar->setValue(bar->maximum() - 20);
    p.WheelStep(false); // closer than a step to the end
    EXPECT_EQ(bar->maximum() - 20, bar->value());
    p.ScrollVertical(CFormPageWnd::Scroll::PageDown);
    EXPECT_EQ(bar->maximum(), bar->value());
    // Focusing a box below the client area brings it up to 5 pixels above the bottom.
    bar->setValue(0);
    key(Qt::Key_Tab);
    EXPECT_EQ(2, p.currentControl());
    EXPECT_EQ(p.viewport()->height() - 5, p.editor()->geometry().bottom() + 1);
    // Going back up, the box's top lands 15 pixels below the client top (it starts 81
    // pixels down the page, past the first 50).
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ((500 + 720) / 15 - 15, bar->value());
}

// ---- copies and closing -------------------------------------------------------------------

class FormCopiesTest : public FormViewTest {
protected:
    void SetUp() override {
        start({{"USF1040", {header(), entry("FNAME", 1, -720, 720)}},
               {"USDW2", {header(), entry("EIN", 1, -720, 720)}},
               {"USDW2C", {header(), entry("EIN", 1, -720, 720)}}});
        w2 = form("USDW2");
        first = fm->AddFormCopy(w2, 1, 0);
        second = fm->AddFormCopy(w2, 1, 0);
        ASSERT_NE(nullptr, second);
    }

    qv::CFormsView& view(CFormCopy* copy) {
        m_view = std::make_unique<qv::CFormsView>(modules);
        m_view->resize(800, 600);
        m_view->show();
        m_view->openForm = [this](const qv::FieldRef& ref, int flags) {
            opened.push_back({ref, flags});
            return true;
        };
        qv::FieldRef ref{1, std::uint16_t(copy->GetFormIndex()),
                         std::uint16_t(copy->GetCopyNumber()), 0};
        m_view->setFieldRef(ref);
        m_view->InitialUpdate();
        QApplication::processEvents();
        return *m_view;
    }

    void TearDown() override {
        m_view.reset();
        FormViewTest::TearDown();
    }

    int w2 = 0;
    CFormCopy* first = nullptr;
    CFormCopy* second = nullptr;
    std::vector<std::pair<qv::FieldRef, int>> opened;
    std::unique_ptr<qv::CFormsView> m_view;
};

TEST_F(FormCopiesTest, PreviousOnTheFirstAndNextOnTheLastDoNothing) {
    qv::CFormsView& v = view(first);
    EXPECT_FALSE(v.IsCommandEnabled(qv::formcmd::IdPreviousCopy));
    EXPECT_FALSE(v.RunCommand(qv::formcmd::IdPreviousCopy));
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(v.RunCommand(qv::formcmd::IdNextCopy));
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ(second->GetCopyNumber(), opened[0].first.copy);
    EXPECT_EQ(0, opened[0].first.field);

    opened.clear();
    qv::CFormsView& last = view(second);
    EXPECT_FALSE(last.HasNextCopy());
    EXPECT_FALSE(last.NextCopy());
    EXPECT_TRUE(last.PreviousCopy());
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ(first->GetCopyNumber(), opened[0].first.copy);
}

TEST_F(FormCopiesTest, NewCopyAsksForARootOrASiblingCopy) {
    qv::CFormsView& v = view(first);
    EXPECT_TRUE(v.IsCommandEnabled(qv::formcmd::IdNewCopy));
    EXPECT_TRUE(v.RunCommand(qv::formcmd::IdNewCopy));
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ(0, opened[0].first.copy);
    EXPECT_EQ(qv::OF_ROOT, opened[0].second);

    // A continuation sheet is made from its W-2: its new copy is a sibling under that W-2.
    CFormCopy* sheet = fm->AddFormCopy(form("USDW2C"), 1, 0);
    ASSERT_NE(nullptr, sheet);
    sheet->SetParentCopy(first, 1);
    opened.clear();
    qv::CFormsView& c = view(sheet);
    EXPECT_FALSE(c.HasPreviousCopy());
    EXPECT_FALSE(c.HasNextCopy());
    EXPECT_TRUE(c.NewCopy());
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ(qv::OF_SIBLING, opened[0].second);
}

TEST_F(FormCopiesTest, ClosingAnEmptyCopyDeletesItWithItsDetails) {
    const std::string details =
        "DL_FEDERAL_USDW2_" + std::string(3 - std::to_string(second->GetCopyNumber()).size(), '0') +
        std::to_string(second->GetCopyNumber()) + "_WAGES_000";
    returnFile.Put(details, "x", 1);
    const int number = second->GetCopyNumber();
    CFormPageWnd& p = open("USDW2", number);
    ASSERT_TRUE(p.isLoaded());
    pf::sendMessage(&p, pf::UM_CLOSE_PAGE);
    EXPECT_TRUE(p.isClosed());
    EXPECT_EQ(nullptr, fm->FindFormCopy(w2, number));
    EXPECT_EQ(0, returnFile.Exists(details));
    EXPECT_EQ(1, fm->GetCopyCount(w2));

    // A copy holding entries stays, without its open mark; so does the required Form 1040.
    first->SetCopyFlag(CF_HASENTRIES, 1);
    CFormPageWnd& q = open("USDW2", first->GetCopyNumber());
    pf::sendMessage(&q, pf::UM_CLOSE_PAGE);
    EXPECT_EQ(first, fm->FindFormCopy(w2, first->GetCopyNumber()));
    EXPECT_EQ(0, first->TestFlag(CF_OPEN));
    CFormPageWnd& f = open("USF1040");
    pf::sendMessage(&f, pf::UM_CLOSE_PAGE);
    EXPECT_NE(nullptr, fm->FindFormCopy(form("USF1040"), 1));
}

TEST_F(FormCopiesTest, CommandEnablingFollowsTheCurrentField) {
    qv::CFormsView& v = view(first);
    using namespace qv::formcmd;
    EXPECT_TRUE(v.IsCommandEnabled(IdAddDetails));
    EXPECT_TRUE(v.IsCommandEnabled(IdPaste));
    EXPECT_FALSE(v.IsCommandEnabled(IdCopy)); // the editor holds no text to select
    EXPECT_FALSE(v.IsCommandEnabled(IdOverrideField));
    EXPECT_FALSE(v.IsCommandEnabled(IdClearOverride));
    EXPECT_FALSE(v.IsCommandEnabled(IdSupportingForm));
    EXPECT_TRUE(v.IsCommandEnabled(IdMarkEstimate));
    EXPECT_TRUE(v.RunCommand(IdMarkEstimate));
    EXPECT_TRUE(v.IsCommandChecked(IdMarkEstimate));
    v.page()->editor()->setText(QStringLiteral("12-3456789"));
    v.page()->editor()->selectAll();
    EXPECT_TRUE(v.IsCommandEnabled(IdCopy));
}

} // namespace
