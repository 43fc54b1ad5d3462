// The 2002 calculations of the federal and Illinois modules on returns worked out by hand from
// the 2002 Form 1040 and IL-1040 instructions. Values are entered the way the program enters
// them (field slots, then Refresh) and read back from the lines.
#include "moduletest.h"

namespace {

constexpr std::int64_t D(double dollars) {
    return std::int64_t(dollars * 100 + 0.5);
}

struct W2 {
    std::int64_t wages;
    std::int64_t withheld;
};

struct Scenario {
    const char* name;
    int status; // FS: 0 single, 1 joint, 2 separate, 3 head of household, 4 widow(er)
    bool dependent, tp65, tpblind, sp65, spblind;
    int dependents;
    std::vector<W2> w2s;
    std::int64_t interest;
    // Expected lines 6d, 38, 40, 41, 42 and RefundOwe.
    int l6d;
    std::int64_t l38, l40, l41, l42, refundOwe;
};

// Working for each row (line 41 = line 36 - line 38 - line 40; the Tax Table uses the tax at
// the midpoint of the $50 row, $25 below $3,000, rounded to the dollar):
const Scenario kScenarios[] = {
    // 30,000 - 4,700 - 3,000 = 22,300; row 22,300-22,350 at 22,325:
    // 600 + 15% x 16,325 = 3,048.75 -> 3,049; refund 3,500 - 3,049 = 451.
    {"single",
     0,
     false,
     false,
     false,
     false,
     false,
     0,
     {{D(30000), D(3500)}},
     0,
     1,
     D(4700),
     D(3000),
     D(22300),
     D(3049),
     D(451)},
    // Exemptions 2 + 2 children = 4; 65,500 - (7,850 + 900) - 12,000 = 44,750; row at 44,775:
    // 1,200 + 15% x 32,775 = 6,116.25 -> 6,116; paid 5,000, owes 1,116.
    {"joint, two children, one 65",
     1,
     false,
     true,
     false,
     false,
     false,
     2,
     {{D(40000), D(3000)}, {D(25000), D(2000)}},
     D(500),
     4,
     D(8750),
     D(12000),
     D(44750),
     D(6116),
     -D(1116)},
    // 120,000 - 6,900 - 6,000 = 107,100, past the table: schedule Z
    // 21,115 + 30% x 10,400 = 24,235; refund 25,000 - 24,235 = 765.
    {"head of household, schedule",
     3,
     false,
     false,
     false,
     false,
     false,
     1,
     {{D(120000), D(25000)}},
     0,
     2,
     D(6900),
     D(6000),
     D(107100),
     D(24235),
     D(765)},
    // Line 36 200,000 is 62,700 over 137,300: 26 steps of 2,500, 52 % off 3,000 = 1,440;
    // 200,000 - 4,700 - 1,440 = 193,860; schedule X 36,690 + 35% x 52,610 = 55,103.50.
    {"single, exemption phase-out",
     0,
     false,
     false,
     false,
     false,
     false,
     0,
     {{D(200000), 0}},
     0,
     1,
     D(4700),
     D(1440),
     D(193860),
     D(55103.50),
     -D(55103.50)},
    // 44,000 over 206,000: 18 steps, 36 % off 6,000 = 3,840; 250,000 - 7,850 - 3,840 =
    // 238,310; schedule Y-1 41,995.50 + 35% x 66,360 = 65,221.50.
    {"joint, phase-out",
     1,
     false,
     false,
     false,
     false,
     false,
     0,
     {{D(250000), 0}},
     0,
     2,
     D(7850),
     D(3840),
     D(238310),
     D(65221.50),
     -D(65221.50)},
    // Over 122,500 past the threshold: no exemption; 400,000 - 4,700 = 395,300;
    // 94,720 + 38.6% x 88,250 = 128,784.50.
    {"single, top rate",
     0,
     false,
     false,
     false,
     false,
     false,
     0,
     {{D(400000), 0}},
     0,
     1,
     D(4700),
     0,
     D(395300),
     D(128784.50),
     -D(128784.50)},
    // A dependent: deduction the larger of 750 and 3,000 + 250, no exemption; nothing taxable.
    {"dependent",
     0,
     true,
     false,
     false,
     false,
     false,
     0,
     {{D(3000), D(100)}},
     0,
     0,
     D(3250),
     0,
     0,
     0,
     D(100)},
    // 8,000 - 3,925 - 3,000 = 1,075; $25 row 1,075-1,100 at 1,087.50: 108.75 -> 109.
    {"separate, small",
     2,
     false,
     false,
     false,
     false,
     false,
     0,
     {{D(8000), 0}},
     0,
     1,
     D(3925),
     D(3000),
     D(1075),
     D(109),
     -D(109)},
    // Widow(er) 65 and blind: 7,850 + 2 x 900 = 9,650; 50,000 - 9,650 - 6,000 = 34,350;
    // row at 34,375: 1,200 + 15% x 22,375 = 4,556.25 -> 4,556; refund 1,444.
    {"widow(er), 65 and blind",
     4,
     false,
     true,
     true,
     false,
     false,
     1,
     {{D(50000), D(6000)}},
     0,
     2,
     D(9650),
     D(6000),
     D(34350),
     D(4556),
     D(1444)},
    // Spouse boxes count only on a joint return: single, 4,700 + 1,150 = 5,850;
    // 9,000 - 5,850 - 3,000 = 150; $25 row 150-175 at 162.50: 16.25 -> 16.
    {"single 65, spouse boxes ignored",
     0,
     false,
     true,
     false,
     true,
     true,
     0,
     {{D(9000), 0}},
     0,
     1,
     D(5850),
     D(3000),
     D(150),
     D(16),
     -D(16)},
    // 7,710 - 4,700 - 3,000 = 10: the table's $5-15 row at 10 -> 1.
    {"first table rows",
     0,
     false,
     false,
     false,
     false,
     false,
     0,
     {{D(7710), 0}},
     0,
     1,
     D(4700),
     D(3000),
     D(10),
     D(1),
     -D(1)},
};

class CalculationTest : public TaxModuleTest {
protected:
    void enterReturn(const Scenario& s) {
        loadFederalAndIllinois();
        enterChoice(field(fed, "USF1040", 1, "FS"), s.status);
        enterCheck(field(fed, "USF1040", 1, "TPDEPENDENT"), s.dependent);
        enterCheck(field(fed, "USF1040", 1, "TP65"), s.tp65);
        enterCheck(field(fed, "USF1040", 1, "TPBLIND"), s.tpblind);
        enterCheck(field(fed, "USF1040", 1, "SP65"), s.sp65);
        enterCheck(field(fed, "USF1040", 1, "SPBLIND"), s.spblind);
        for (int i = 0; i < s.dependents; ++i)
            enterText(field(newCopy(fed, "USDDEP"), "FNAME"), "Kid");
        for (const W2& w : s.w2s) {
            CFormCopy* copy = newCopy(fed, "USDW2");
            enterMoney(field(copy, "WAGES"), w.wages);
            enterMoney(field(copy, "FEDWH"), w.withheld);
        }
        enterMoney(field(fed, "USF1040", 1, "L8a"), s.interest);
    }
};

TEST_F(CalculationTest, Form1040Scenarios) {
    for (const Scenario& s : kScenarios) {
        SCOPED_TRACE(s.name);
        enterReturn(s);
        EXPECT_EQ(field(fed, "USF1040", 1, "L6d")->GetLong(), s.l6d);
        EXPECT_EQ(money(fed, "USF1040", "L38"), s.l38);
        EXPECT_EQ(money(fed, "USF1040", "L40"), s.l40);
        EXPECT_EQ(money(fed, "USF1040", "L41"), s.l41);
        EXPECT_EQ(money(fed, "USF1040", "L42"), s.l42);
        EXPECT_EQ(fed->GetFieldValue("RefundOwe"), s.refundOwe);
        TearDown();
    }
}

TEST_F(CalculationTest, OverriddenLineFeedsTheLinesBelow) {
    enterReturn(kScenarios[0]);
    CField* l7 = field(fed, "USF1040", 1, "L7");
    l7->SetFlag(FF_OVERRIDDEN, 1);
    enterMoney(l7, D(10000));
    // 10,000 - 4,700 - 3,000 = 2,300; $25 row at 2,312.50: 231.25 -> 231; 3,500 - 231.
    EXPECT_EQ(money(fed, "USF1040", "L7"), D(10000));
    EXPECT_EQ(money(fed, "USF1040", "L42"), D(231));
    EXPECT_EQ(fed->GetFieldValue("RefundOwe"), D(3269));
    // Clearing the override brings the W-2 wages back.
    l7->SetFlag(FF_OVERRIDDEN, 0);
    l7->Refresh();
    EXPECT_EQ(money(fed, "USF1040", "L7"), D(30000));
    EXPECT_EQ(fed->GetFieldValue("RefundOwe"), D(451));
    // Deleting the W-2 takes its wages and withholding away.
    fed->DeleteFormCopy(fed->GetFormCopy(fed->FindForm("USDW2"), 1));
    EXPECT_EQ(money(fed, "USF1040", "L7"), 0);
    EXPECT_EQ(fed->GetFieldValue("RefundOwe"), 0);
}

TEST_F(CalculationTest, IllinoisBuildsOnTheFederalReturn) {
    enterReturn(kScenarios[1]);
    const int w2 = fed->FindForm("USDW2");
    for (int ordinal : {1, 2}) {
        CFormCopy* copy = fed->GetFormCopy(w2, ordinal);
        enterText(field(copy, "STATE"), ordinal == 1 ? "il" : "IL");
        enterMoney(field(copy, "STWH"), ordinal == 1 ? D(1500) : D(1000));
    }
    // Federal AGI 65,500; 4 exemptions x 2,000 + 1 box (65) x 1,000 = 9,000; net 56,500;
    // tax 3 % = 1,695; withheld 2,500: refund 805.
    EXPECT_EQ(money(il, "IL1040", "FEDAGI"), D(65500));
    EXPECT_EQ(money(il, "IL1040", "EXEMPTALLOW"), D(9000));
    EXPECT_EQ(money(il, "IL1040", "TAX"), D(1695));
    EXPECT_EQ(il->GetFieldValue("RefundOwe"), D(805));
    // The spouse's box counts on a joint return.
    enterCheck(field(fed, "USF1040", 1, "SPBLIND"), 1);
    EXPECT_EQ(money(il, "IL1040", "EXEMPTALLOW"), D(10000));
    EXPECT_EQ(il->GetFieldValue("RefundOwe"), D(835));
    // An unlinked state no longer follows federal changes until it recalculates itself.
    fed->UnlinkStateModule(il);
    enterMoney(field(fed->GetFormCopy(w2, 1), "WAGES"), D(50000));
    EXPECT_EQ(money(il, "IL1040", "FEDAGI"), D(65500));
    il->RecalculateAll();
    EXPECT_EQ(money(il, "IL1040", "FEDAGI"), D(75500));
}

} // namespace
