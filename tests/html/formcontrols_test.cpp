// Plain page controls: real child windows at their markers, forms, reset, radio groups, Tab
// order, page keys and printing.
#include "htmltestutil.h"
#include "testenv.h"

#include "html/buttonformcontrol.h"
#include "html/checkboxformcontrol.h"
#include "html/comboformcontrol.h"
#include "html/editformcontrol.h"
#include "html/hiddenformcontrol.h"
#include "html/htmlurlwnd.h"
#include "html/htmlwindow.h"
#include "html/listboxformcontrol.h"
#include "html/radiobuttonformcontrol.h"
#include "html/section.h"
#include "html/textareaformcontrol.h"
#include "platform/recordingdc.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class Host final : public QWidget, public pf::MsgTarget {
public:
    Host() {
        resize(500, 400);
        page = new HtmlWindow(this);
        page->setGeometry(0, 0, 500, 400);
    }
    pf::LRESULT onMessage(unsigned msg, pf::WPARAM wparam, pf::LPARAM) override {
        messages.emplace_back(msg, wparam);
        return 1;
    }
    void showActive() {
        show();
        activateWindow();
        QApplication::setActiveWindow(this);
        ASSERT_TRUE(QTest::qWaitForWindowActive(this));
    }
    template <class T>
    T* control(int n) const {
        return dynamic_cast<T*>(page->document().controls().at(std::size_t(n)));
    }
    HtmlWindow* page;
    std::vector<std::pair<unsigned, pf::WPARAM>> messages;
};

const char* kForm = "<p>Name <input name=n value=\"Ann\" size=10> pass <input type=PASSWORD>"
                    "<p>Pick <select name=s><option>One<option selected>Two<option>Three</select>"
                    " many <select multiple size=3><option selected>A<option>B<option selected>C"
                    "</select><input type=hidden name=h value=1>"
                    "<p><textarea rows=2 cols=12>first\rsecond</textarea>"
                    "<p><input type=checkbox name=c checked> <input type=radio name=r checked>"
                    "<input type=radio name=r> <input type=reset> <input type=submit value=Go>"
                    "<input name=plain>";

} // namespace

TEST(PageControls, FactoryMakesTheKindOfEachTagAndPlacesItsWindowAtItsMarker) {
    Host host;
    host.showActive();
    ASSERT_TRUE(host.page->LoadText(kForm));
    const auto& all = host.page->document().controls();
    ASSERT_EQ(all.size(), 12u);
    EXPECT_TRUE(host.control<CEditFormControl>(0));
    ASSERT_TRUE(host.control<CEditFormControl>(1));
    EXPECT_TRUE(host.control<CEditFormControl>(1)->password());
    EXPECT_EQ(static_cast<QLineEdit*>(all[1]->window())->echoMode(), QLineEdit::Password);
    ASSERT_TRUE(host.control<CComboFormControl>(2));
    EXPECT_EQ(host.control<CComboFormControl>(2)->current(), 1);
    ASSERT_TRUE(host.control<CListBoxFormControl>(3));
    EXPECT_EQ(host.control<CListBoxFormControl>(3)->selection(), (std::vector<int>{0, 2}));
    ASSERT_TRUE(host.control<CHiddenFormControl>(4));
    EXPECT_EQ(all[4]->window(), nullptr);
    ASSERT_TRUE(host.control<CTextAreaFormControl>(5));
    EXPECT_EQ(host.control<CTextAreaFormControl>(5)->currentLines(),
              (std::vector<std::string>{"first", "second"}));
    EXPECT_TRUE(host.control<CCheckBoxFormControl>(6));
    EXPECT_EQ(all[6]->value(), "On");
    EXPECT_TRUE(host.control<CRadioButtonFormControl>(7));
    EXPECT_TRUE(host.control<CButtonFormControl>(9));
    EXPECT_EQ(static_cast<QPushButton*>(all[9]->window())->text(), "Reset");
    EXPECT_EQ(static_cast<QPushButton*>(all[10]->window())->text(), "Go");
    EXPECT_TRUE(host.control<CEditFormControl>(11));

    // Each window stands where the layout put the control's marker, also after scrolling.
    int placed = 0;
    for (const CSection* s : qvtest::sections(host.page->document().body())) {
        for (const CSection::Object& o : s->objects()) {
            if (!o.control)
                continue;
            ASSERT_NE(o.control->window(), nullptr);
            EXPECT_EQ(o.control->window()->geometry(), QRect(o.x + 8, o.y + 4, o.w, o.h));
            EXPECT_TRUE(o.control->window()->isVisible());
            ++placed;
        }
    }
    EXPECT_EQ(placed, 11);
    QWidget* text = all[5]->window();
    const QPoint before = text->pos();
    host.page->resize(200, 120);
    QApplication::processEvents();
    host.page->verticalScrollBar()->setValue(30);
    EXPECT_EQ(text->pos().y(), all[5]->y() - 30);
    EXPECT_NE(text->pos(), before);
}

TEST(PageControls, RadioButtonsOfOneNameExcludeEachOtherWithinTheirForm) {
    Host host;
    host.showActive();
    ASSERT_TRUE(host.page->LoadText("<form><input type=radio name=r checked>"
                                    "<input type=radio name=r><input type=radio name=other checked>"
                                    "</form><form><input type=radio name=r checked></form>"));
    auto* a = host.control<CRadioButtonFormControl>(0);
    auto* b = host.control<CRadioButtonFormControl>(1);
    auto* other = host.control<CRadioButtonFormControl>(2);
    auto* second = host.control<CRadioButtonFormControl>(3);
    ASSERT_TRUE(a && b && other && second);
    QTest::mouseClick(b->window(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(a->checked());
    EXPECT_TRUE(b->checked());
    EXPECT_TRUE(other->checked());
    EXPECT_TRUE(second->checked());
    QTest::mouseClick(a->window(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(a->checked());
    EXPECT_FALSE(b->checked());
}

TEST(PageControls, ResetRestoresTheInitialValuesOfItsFormOnly) {
    Host host;
    host.showActive();
    ASSERT_TRUE(host.page->LoadText(std::string("<form>") + kForm + "</form><form>" +
                                    "<input value=keep></form>"));
    auto* name = host.control<CEditFormControl>(0);
    auto* pick = host.control<CComboFormControl>(2);
    auto* many = host.control<CListBoxFormControl>(3);
    auto* area = host.control<CTextAreaFormControl>(5);
    auto* check = host.control<CCheckBoxFormControl>(6);
    auto* r1 = host.control<CRadioButtonFormControl>(7);
    auto* r2 = host.control<CRadioButtonFormControl>(8);
    auto* keep = host.control<CEditFormControl>(12);
    ASSERT_TRUE(name && pick && many && area && check && r1 && r2 && keep);

    name->window()->setFocus();
    QTest::keyClicks(name->window(), "ette");
    EXPECT_EQ(name->text(), "Annette");
    QTest::keyClicks(keep->window(), "!");
    QTest::mouseClick(check->window(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(r2->window(), Qt::LeftButton, {}, QPoint(5, 5));
    static_cast<QComboBox*>(pick->window())->setCurrentIndex(2);
    static_cast<QListWidget*>(many->window())->clearSelection();
    QTest::keyClicks(area->window(), "x");
    EXPECT_FALSE(check->checked());
    EXPECT_FALSE(r1->checked());

    QTest::mouseClick(host.control<CButtonFormControl>(9)->window(), Qt::LeftButton);
    EXPECT_EQ(name->text(), "Ann");
    EXPECT_TRUE(check->checked());
    EXPECT_TRUE(r1->checked());
    EXPECT_FALSE(r2->checked());
    EXPECT_EQ(pick->current(), 1);
    EXPECT_EQ(many->selection(), (std::vector<int>{0, 2}));
    EXPECT_EQ(area->currentLines(), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(keep->text(), "keep!");
    // Submit changes nothing.
    QTest::mouseClick(host.control<CButtonFormControl>(10)->window(), Qt::LeftButton);
    EXPECT_EQ(keep->text(), "keep!");
}

TEST(PageControls, TabMovesThroughControlsInPageOrderThenLinksAndPageKeysScroll) {
    Host host;
    host.showActive();
    std::string page = "<p><input name=a> <a href=x.htm>link</a> <input type=checkbox>"
                       "<select><option>1</select><input type=hidden><input disabled>"
                       "<input name=last setfocus>";
    for (int i = 0; i < 40; ++i)
        page += "<p>filler line " + std::to_string(i);
    ASSERT_TRUE(host.page->LoadText(page));
    const auto& all = host.page->document().controls();
    ASSERT_EQ(all.size(), 6u);
    EXPECT_FALSE(all[4]->window()->isEnabled());
    // SETFOCUS gave the page its first focus.
    EXPECT_EQ(QApplication::focusWidget(), all[5]->window());

    all[0]->window()->setFocus();
    std::vector<QWidget*> order{QApplication::focusWidget()};
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(order, (std::vector<QWidget*>{all[0]->window(), all[1]->window(), all[2]->window(),
                                            all[5]->window()}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(host.page->linkWindows().at(0)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), all[5]->window());

    // Page Down in a text box scrolls the page rather than moving the caret.
    all[0]->window()->setFocus();
    host.page->resize(300, 150);
    QApplication::processEvents();
    ASSERT_GT(host.page->verticalScrollBar()->maximum(), 0);
    QTest::keyClick(all[0]->window(), Qt::Key_PageDown);
    EXPECT_GT(host.page->verticalScrollBar()->value(), 0);
    QTest::keyClick(all[0]->window(), Qt::Key_Home);
    EXPECT_EQ(host.page->verticalScrollBar()->value(), 0);
}

TEST(PageControls, PrintDrawsEachControlWithItsState) {
    Host host;
    ASSERT_TRUE(host.page->LoadText("<p><input value=typed> <input type=password value=abc>"
                                    " <input type=checkbox checked> <input type=checkbox>"
                                    " <input type=radio checked> <input type=submit value=Send>"
                                    "<select size=2><option>Alpha<option>Beta<option>Gamma"
                                    "</select>"));
    pf::RecordingDc dc;
    pf::Dc::DeviceInfo letter;
    letter.width = 96 * 8;
    letter.height = 96 * 105 / 10;
    dc.setDeviceInfo(letter);
    ASSERT_EQ(host.page->PrintPage(dc, 1, 1, nullptr), 1);
    std::vector<std::string> texts;
    for (const auto& t : dc.texts())
        texts.push_back(t.text);
    auto has = [&](const std::string& s) {
        return std::find(texts.begin(), texts.end(), s) != texts.end();
    };
    EXPECT_TRUE(has("typed"));
    EXPECT_TRUE(has("***"));
    EXPECT_FALSE(has("abc"));
    EXPECT_TRUE(has("Send"));
    EXPECT_TRUE(has("Alpha") && has("Beta"));
    EXPECT_FALSE(has("Gamma")); // only the visible rows
    int ticks = 0, boxes14 = 0, dots = 0, circles = 0;
    for (const auto& r : dc.records()) {
        if (r.kind == pf::RecordingDc::Line)
            ++ticks;
        if (r.kind == pf::RecordingDc::Rectangle && r.rect.right - r.rect.left == 14)
            ++boxes14;
        if (r.kind == pf::RecordingDc::Ellipse)
            ++(r.rect.right - r.rect.left == 14 ? circles : dots);
    }
    EXPECT_EQ(boxes14, 2);
    EXPECT_EQ(ticks, 2); // two strokes for the one checked box
    EXPECT_EQ(circles, 1);
    EXPECT_EQ(dots, 1);
}
