// The federal module's form kinds beyond the 1040's data entry: which kinds may own which,
// default copies and limits, the names the program reaches by name, Forms 1040A, 1040EZ and
// 1040X, the review figures USFAudit's Prepare works out, and the depreciation worksheets.
#include "moduletest.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {

constexpr std::int64_t D(double dollars) {
    return std::int64_t(dollars * 100 + (dollars < 0 ? -0.5 : 0.5));
}

using FederalKindsTest = TaxModuleTest;

// Which parent kinds each child kind may be made under; every other pair is refused.
const std::map<std::string, std::set<std::string>> kPairs = {
    {"USF4562",
     {"USDPARTK1", "USSCHCSTEMP", "USDSCORPK1", "USSCHA", "USSCHEP1", "USSCHC", "USF2106",
      "USF4835", "USSCHF"}},
    {"USF6198",
     {"USDPARTK1", "USSCHCSTEMP", "USDSCORPK1", "USSCHEP1", "USSCHC", "USF4835", "USSCHF"}},
    {"USWCOVERDELL", {"USD1099R"}},
    {"USWSGR", {"USD1099R", "USDRRB1099R"}},
    {"USF8829", {"USSCHCSTEMP", "USSCHC"}},
    {"USWSEHEALTH", {"USDPARTK1", "USDSCORPK1", "USSCHC", "USSCHF"}},
    {"USDW2C", {"USDW2"}},
    {"USWVACHM", {"USSCHEP1"}},
    {"USD1099MISC", {"USSCHC"}},
    {"USW8814CGD", {"USF8814"}},
    {"USW4562AM", {"USF4562"}},
    {"USSCHCSTEMP", {"USDW2"}},
    {"USWLISTED", {"USWDEPR"}},
    {"USDBUSASSDEPR", {"USWDEPR"}},
    {"USWACRS", {"USF4562"}},
    {"USWAMORT", {"USF4562"}},
    {"USWDEPR", {"USF4562"}},
    {"USW4562P2", {"USF4562"}},
};

std::string upper(std::string s) {
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

TEST_F(FederalKindsTest, ParentAndChildKindsFollowThePairTable) {
    CFormManager* fm = formManager("FEDCALC.so");
    std::map<std::string, int> index;
    for (int form = 1; form <= fm->GetFormCount(); ++form)
        index[upper(text([&](char* b, int n) { fm->GetFormName(b, n, form); }))] = form;
    for (const auto& [childName, parents] : kPairs) {
        ASSERT_TRUE(index.count(childName)) << childName;
        ASSERT_TRUE(std::all_of(parents.begin(), parents.end(),
                                [&](const std::string& p) { return index.count(p) > 0; }));
    }
    for (const auto& [name, form] : index) {
        const auto pair = kPairs.find(name);
        const bool isChild = pair != kPairs.end();
        EXPECT_EQ(fm->IsMadeFromParent(form) != 0, isChild) << name;
        EXPECT_EQ(fm->IsMadeFromFederalParent(form), 0) << name;
        EXPECT_EQ(fm->GetParentFormCount(form), isChild ? int(pair->second.size()) : 0) << name;
        std::set<std::string> listed;
        for (int n = 1; n <= fm->GetParentFormCount(form); ++n) {
            const int parent = fm->GetParentForm(form, n);
            listed.insert(upper(text([&](char* b, int s) { fm->GetFormName(b, s, parent); })));
        }
        EXPECT_EQ(listed, isChild ? pair->second : std::set<std::string>{}) << name;
        for (const auto& [parentName, parent] : index) {
            const bool allowed = isChild && pair->second.count(parentName) > 0;
            EXPECT_EQ(fm->GetFormRelation(parent, form) != 0, allowed)
                << parentName << " -> " << name;
            EXPECT_EQ(fm->GetMaxChildCopies(parent, form) > 0, allowed)
                << parentName << " -> " << name;
        }
    }
}

// Three levels deep: a Schedule C owns a Form 4562, which owns an asset, which owns its sale.
TEST_F(FederalKindsTest, DeletingABusinessTakesItsWholeTree) {
    CFormManager* fm = formManager("FEDCALC.so");
    CFormCopy* business = newCopy(fm, "USSchC");
    CFormCopy* f4562 = newCopy(fm, "USF4562");
    CFormCopy* asset = newCopy(fm, "USWDEPR");
    CFormCopy* sale = newCopy(fm, "USDBUSASSDEPR");
    ASSERT_TRUE(business && f4562 && asset && sale);
    f4562->SetParentCopy(business, 1);
    asset->SetParentCopy(f4562, 1);
    sale->SetParentCopy(asset, 1);
    EXPECT_EQ(sale->GetParentCopy()->GetParentCopy()->GetParentCopy(), business);
    EXPECT_EQ(fm->CountRelatedCopies(business), 1);
    EXPECT_EQ(fm->GetRelatedCopy(fm->GetRelatedCopy(business, 1), 1), asset);
    EXPECT_EQ(fm->GetChildCopyCount(asset, fm->FindForm("USDBUSASSDEPR")), 1);
    fm->DeleteFormCopy(business);
    for (const char* kind : {"USSchC", "USF4562", "USWDEPR", "USDBUSASSDEPR"})
        EXPECT_EQ(fm->GetCopyCount(fm->FindForm(kind)), 0) << kind;
}

TEST_F(FederalKindsTest, DefaultCopiesAndLimits) {
    CFormManager* fm = formManager("FEDCALC.so");
    // Made by CreateDefaultForms, reached as copy number 1.
    for (const char* kind :
         {"USF1040", "USF1040A", "USF1040EZ", "USFAudit", "USFInterview", "USFInterviewA", "USWRec",
          "USW1040SUPP", "USWEFWksht", "USSchD", "USWFilingInst", "USWAverages", "USWEFQual"}) {
        const int form = fm->FindForm(kind);
        ASSERT_GT(form, 0) << kind;
        EXPECT_EQ(fm->GetCopyCount(form), 1) << kind;
        EXPECT_NE(fm->FindFormCopy(form, 1), nullptr) << kind;
        EXPECT_NE(fm->TestFormFlag(form, FMF_ALWAYS), 0) << kind;
    }
    // Made when the program opens or prints them.
    for (const char* kind : {"USDW4", "USF1040X", "USWJtVsSep", "USWPriorYr", "USWTaxCalc",
                             "USWRALAPP", "FEDERALSummary", "FDetails", "USWD1P1", "USWD1P2"}) {
        const int form = fm->FindForm(kind);
        ASSERT_GT(form, 0) << kind;
        EXPECT_EQ(fm->GetCopyCount(form), 0) << kind;
        EXPECT_EQ(fm->GetMaxCopies(form), 1) << kind;
    }
    // The summary keeps one copy numbered 1, also after it was deleted and made again.
    const int summary = fm->FindForm("federalsummary");
    CFormCopy* first = fm->AddFormCopy(summary, 1, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetCopyNumber(), 1);
    EXPECT_EQ(fm->AddFormCopy(summary, 1, 0), nullptr);
    fm->DeleteFormCopy(first);
    EXPECT_EQ(fm->AddFormCopy(summary, 1, 0)->GetCopyNumber(), 1);
    EXPECT_EQ(fm->GetCategoryOrder(summary, CAT_FORMS | CAT_DOCUMENTS | CAT_WORKSHEETS), 0);
    // Defaults are made once however often the program asks.
    fm->CreateDefaultForms();
    EXPECT_EQ(fm->GetCopyCount(fm->FindForm("USFAudit")), 1);
    // The review forms are the module's, not the user's data.
    CFormCopy* audit = fm->GetFormCopy(fm->FindForm("USFAudit"), 1);
    EXPECT_NE(audit->TestFlag(CF_REQUIRED), 0);
    EXPECT_NE(audit->TestFlag(CF_NOTDATA), 0);
    EXPECT_EQ(fm->GetFormCopy(fm->FindForm("USF1040"), 1)->TestFlag(CF_NOTDATA), 0);
}

// A reference form deleted in the explorer comes back at once (the explorer tells the user
// it was recreated); Schedule D comes back only while sales feed it.
TEST_F(FederalKindsTest, FormsMadeFromOthersAreRecreated) {
    CFormManager* fm = formManager("FEDCALC.so");
    const int ez = fm->FindForm("USF1040EZ");
    CFormCopy* copy = fm->GetFormCopy(ez, 1);
    EXPECT_EQ(copy->TestFlag(CF_REQUIRED), 0);
    ASSERT_EQ(fm->GetTransferFormCount(ez), 1); // made from the 1040
    EXPECT_EQ(fm->DeleteFormCopy(copy), 1);
    EXPECT_EQ(fm->GetCopyCount(ez), 1);
    const int schD = fm->FindForm("USSchD");
    fm->DeleteFormCopy(fm->GetFormCopy(schD, 1));
    EXPECT_EQ(fm->GetCopyCount(schD), 0);
    newCopy(fm, "USDCAPGAIN");
    fm->CreateDefaultForms();
    fm->DeleteFormCopy(fm->GetFormCopy(schD, 1));
    EXPECT_EQ(fm->GetCopyCount(schD), 1);
    EXPECT_EQ(fm->GetTransferFormCount(schD), 1);
}

// Form-qualified and module-global names the program reaches by name, with the types it
// reads them as.
TEST_F(FederalKindsTest, NamedFieldsHaveTheirTypes) {
    CFormManager* fm = formManager("FEDCALC.so");
    struct Qualified {
        const char* form;
        const char* field;
        int type;
    };
    for (const Qualified& q : {
             Qualified{"USF1040", "SSN", FT_SSN},
             {"USFInterviewA", "Step1Comp", FT_CHECK},
             {"USFInterview", "AlertsFromIV", FT_CHECK},
             {"USWRec", "NY", FT_CHECK},
             {"USWRec", "wv", FT_CHECK},
             {"USW1040SUPP", "STATENAME", FT_TEXT},
             {"USWEFWKSHT", "Onlyil", FT_CHECK},
             {"USWEFWksht", "SOnh", FT_CHECK},
             {"USWEFWksht", "piggybackOH", FT_OPTION},
             {"USWEFWksht", "TPSSPIN", FT_INTEGER},
             {"USWEFWksht", "SPSSPIN", FT_INTEGER},
             {"USWEFWksht", "EROPIN", FT_INTEGER},
             {"USSchD", "GAINSKEEPERIMPORT", FT_CHECK},
             {"USWDEPR", "DPIS", FT_DATE},
             {"USWDEPR", "VIEWPER", FT_TEXT},
             {"USWDEPR", "CYSEC179REP", FT_MONEY},
             {"USWDEPR", "STATEDEPR", FT_MONEY},
             {"USWACRS", "OTHMETH", FT_TEXT},
             {"USWACRS", "OTHDEPR", FT_MONEY},
             {"USWAMORT", "NYAMORT", FT_MONEY},
             {"USWAMORT", "BUSNAME", FT_TEXT},
             {"USDBUSASSDEPR", "ACQUIRED", FT_DATE},
             {"USDBUSASS", "GAIN", FT_MONEY},
             {"FDetails", "Exit", FT_CHECK},
         }) {
        const int form = fm->FindForm(q.form);
        const int number = fm->FindField(form, q.field, 0);
        ASSERT_GT(number, 0) << q.form << "." << q.field;
        CFormCopy* copy = fm->GetCopyCount(form) ? fm->GetFormCopy(form, 1) : newCopy(fm, q.form);
        EXPECT_EQ(copy->GetField(number)->GetType(), q.type) << q.form << "." << q.field;
    }
    EXPECT_EQ(fm->FindField(fm->FindForm("USWRec"), "TX", 0), 0); // no income tax there
    EXPECT_EQ(field(fm, "USWEFWksht", 1, "TPSSPIN")->GetLongMax(), 99999);

    struct Global {
        const char* name;
        int type;
    };
    for (const Global& g : {Global{"HaveRentInc", FT_CHECK},
                            {"HavePensions", FT_CHECK},
                            {"HaveKidTax", FT_CHECK},
                            {"EICMsg1", FT_CHECK},
                            {"LivesInOH", FT_CHECK},
                            {"LivesInWY", FT_CHECK},
                            {"LivesInEFState", FT_CHECK},
                            {"PiggyBackIL", FT_OPTION},
                            {"STATEQNAY", FT_CHECK},
                            {"StateEFOnly", FT_CHECK},
                            {"AllAlerts", FT_CHECK},
                            {"EFQualifiesAlerts", FT_CHECK},
                            {"EFByPass", FT_CHECK},
                            {"EFAlerted", FT_CHECK},
                            {"Overridden", FT_INTEGER},
                            {"HaveEFStatesAttached", FT_CHECK},
                            {"fedef", FT_CHECK},
                            {"EFN", FT_CHECK},
                            {"PiggyBackN", FT_CHECK},
                            {"OLState", FT_TEXT},
                            {"ClientState", FT_TEXT},
                            {"CC_Number", FT_TEXT},
                            {"ServiceCenter", FT_TEXT},
                            {"efefopin", FT_TEXT},
                            {"Step1Comp", FT_CHECK}}) {
        CField* f = fm->GetFieldByName(g.name);
        ASSERT_NE(f, nullptr) << g.name;
        EXPECT_EQ(f->GetType(), g.type) << g.name;
    }
    // Every name the program reads or writes without naming a form.
    std::vector<std::string> names = {"TaxpayerSSN",
                                      "TaxpayerLName",
                                      "TaxpayerFName",
                                      "TaxpayerMName",
                                      "ClientEmail",
                                      "CombNames",
                                      "TPSSN",
                                      "OLState",
                                      "CC_Type",
                                      "CC_Number",
                                      "ServiceCenter",
                                      "ClientState",
                                      "EFIN",
                                      "eftpsspin",
                                      "efspsspin",
                                      "eftpbdate",
                                      "efspbdate",
                                      "efdate",
                                      "efefopin",
                                      "RefundOwe",
                                      "StopPrint",
                                      "NoFormText",
                                      "HaveWages",
                                      "HaveInvInc",
                                      "HaveBusInc",
                                      "HaveRentInc",
                                      "HavePensions",
                                      "HaveStRefund",
                                      "HaveSSB",
                                      "HaveOthInc",
                                      "HaveIRA",
                                      "HaveEducation",
                                      "HaveOthAdj",
                                      "HaveTaxes",
                                      "HaveChildCare",
                                      "HaveKidTax",
                                      "HaveChildTax",
                                      "HaveUnderPay",
                                      "EICMsg1",
                                      "EICMsg2",
                                      "LivesInPBEFState",
                                      "LivesInEFState",
                                      "STATEQNAY",
                                      "FedStateEF",
                                      "StateEFOnly",
                                      "AllAlerts",
                                      "RedAlerts",
                                      "YellowAlerts",
                                      "GreenAlerts",
                                      "EFAlerts",
                                      "EFQualifiesAlerts",
                                      "EFByPass",
                                      "EFAlerted",
                                      "Modified",
                                      "HaveEFStatesAttached",
                                      "fedef",
                                      "StandAloneCA",
                                      "Overridden",
                                      "Otherma",
                                      "EFileFTPOK",
                                      "EFN",
                                      "PiggyBackN"};
    for (const char* code :
         {"AL", "AR", "AZ", "CA", "CO", "CT", "DC", "DE", "GA", "HI", "IA", "ID", "IL", "IN", "KS",
          "KY", "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MS", "MT", "NC", "ND", "NE", "NH", "NJ",
          "NM", "NY", "OH", "OK", "OR", "PA", "RI", "SC", "UT", "VA", "VT", "WI", "WV"}) {
        names.push_back(std::string("LivesIn") + code);
        if (std::string(code) != "NH")
            names.push_back(std::string("PiggyBack") + code);
    }
    for (const char* code : {"AK", "TX", "WA", "FL", "SD", "TN", "NV", "WY"})
        names.push_back(std::string("LivesIn") + code);
    for (const std::string& name : names)
        EXPECT_NE(fm->GetFieldByName(name.c_str()), nullptr) << name;
    EXPECT_EQ(fm->GetFieldByName("LivesInNH"), fm->GetFieldByName("livesinnh"));
    EXPECT_EQ(fm->GetFieldByName("PiggyBackNH"), nullptr); // NH returns are not e-filed
}

// The state a return rides with is one choice: choosing another clears the first, and the
// program's PiggyBack<XX> names read the same choice.
TEST_F(FederalKindsTest, PiggyBackStateIsOneChoice) {
    CFormManager* fm = formManager("FEDCALC.so");
    const int form = fm->FindForm("USWEFWksht");
    CFormCopy* ws = fm->FindFormCopy(form, 1);
    const int oh = fm->FindField(form, "piggybackOH", 0);
    const int il = fm->FindField(form, "piggybackIL", 0);
    ASSERT_GT(ws->GetOptionGroup(oh), 0);
    EXPECT_EQ(ws->GetOptionGroup(oh), ws->GetOptionGroup(il));
    ws->SelectOption(oh);
    EXPECT_NE(fm->GetFieldFlag("PiggyBackOH"), 0);
    ws->SelectOption(il);
    EXPECT_EQ(fm->GetFieldFlag("PiggyBackOH"), 0);
    EXPECT_NE(fm->GetFieldFlag("PiggyBackIL"), 0);
    // Where the taxpayer lives decides the e-file flags.
    enterCheck(fm->GetFieldByName("LivesInNH"), 1);
    EXPECT_EQ(fm->GetFieldFlag("LivesInEFState"), 0);
    EXPECT_EQ(fm->GetFieldFlag("LivesInPBEFState"), 0);
    enterCheck(fm->GetFieldByName("LivesInCA"), 1); // e-file, but not with the federal return
    EXPECT_NE(fm->GetFieldFlag("LivesInEFState"), 0);
    EXPECT_EQ(fm->GetFieldFlag("LivesInPBEFState"), 0);
    enterCheck(fm->GetFieldByName("LivesInOH"), 1);
    EXPECT_NE(fm->GetFieldFlag("LivesInPBEFState"), 0);
}

class ReferenceFormsTest : public TaxModuleTest {
protected:
    void SetUp() override { fm = formManager("FEDCALC.so"); }
    void singleReturn(std::int64_t wages, std::int64_t withheld, std::int64_t interest) {
        enterChoice(field(fm, "USF1040", 1, "FS"), 0);
        CFormCopy* w2 = newCopy(fm, "USDW2");
        enterMoney(field(w2, "WAGES"), wages);
        enterMoney(field(w2, "FEDWH"), withheld);
        if (interest)
            enterMoney(field(newCopy(fm, "USD1099INT"), "INTEREST"), interest);
    }
    bool qualifies(const char* form) { return field(fm, form, 1, "Qualifies")->IsSet() != 0; }
    CFormManager* fm = nullptr;
};

TEST_F(ReferenceFormsTest, Form1040AAndEZShowThe1040sFiguresProtected) {
    // 30,500 - 4,700 - 3,000 = 22,800; row 22,800-22,850 at 22,825: 600 + 15% x 16,825 =
    // 3,123.75 -> 3,124; withheld 3,500, refund 376.
    singleReturn(D(30000), D(3500), D(500));
    ASSERT_EQ(money(fm, "USF1040", "L71a"), D(376));
    const std::pair<const char*, const char*> lines1040A[] = {
        {"L7", "L7"},   {"L8a", "L8a"}, {"L15", "L22"},   {"L21", "L35"}, {"L24", "L38"},
        {"L26", "L40"}, {"L27", "L41"}, {"L28", "L42"},   {"L38", "L61"}, {"L39", "L62"},
        {"L43", "L69"}, {"L44", "L70"}, {"L45a", "L71a"}, {"L47", "L73"}};
    for (const auto& [line, from] : lines1040A)
        EXPECT_EQ(money(fm, "USF1040A", line), money(fm, "USF1040", from)) << line;
    const std::pair<const char*, std::int64_t> linesEZ[] = {
        {"L1", D(30000)}, {"L2", D(500)},  {"L4", D(30500)}, {"L5", D(7700)},  {"L6", D(22800)},
        {"L7", D(3500)},  {"L9", D(3500)}, {"L10", D(3124)}, {"L11a", D(376)}, {"L12", 0}};
    for (const auto& [line, value] : linesEZ)
        EXPECT_EQ(money(fm, "USF1040EZ", line), value) << line;
    EXPECT_TRUE(qualifies("USF1040A"));
    EXPECT_TRUE(qualifies("USF1040EZ"));
    // Every field is the module's: the user cannot type into either form.
    for (const char* form : {"USF1040A", "USF1040EZ"}) {
        const int f = fm->FindForm(form);
        for (int n = 1; n <= fm->GetFieldCount(f); ++n)
            EXPECT_NE(fm->GetFormCopy(f, 1)->GetField(n)->TestFlag(FF_PROTECTED), 0) << form;
        EXPECT_EQ(field(fm, form, 1, "Needed")->IsSet(), 0); // not printed with the return
    }
}

TEST_F(ReferenceFormsTest, WhichShortFormTheReturnQualifiesFor) {
    struct Case {
        const char* name;
        std::function<void(CFormManager*)> change;
        bool formA, formEZ;
    };
    const Case cases[] = {
        {"wages only", [](CFormManager*) {}, true, true},
        {"interest over 1,500",
         [](CFormManager* fm) {
             enterMoney(field(newCopy(fm, "USD1099INT"), "INTEREST"), D(1600));
         },
         true, false},
        {"a dependent", [](CFormManager* fm) { newCopy(fm, "USDDEP"); }, true, false},
        {"65 or older", [](CFormManager* fm) { enterCheck(field(fm, "USF1040", 1, "TP65"), 1); },
         true, false},
        {"head of household",
         [](CFormManager* fm) { enterChoice(field(fm, "USF1040", 1, "FS"), 3); }, true, false},
        {"IRA deduction",
         [](CFormManager* fm) { enterMoney(field(fm, "USF1040", 1, "TPIRA"), D(2000)); }, true,
         false},
        {"a business",
         [](CFormManager* fm) { enterMoney(field(newCopy(fm, "USSchC"), "L1"), D(5000)); }, false,
         false},
        {"a sale of stock",
         [](CFormManager* fm) { enterMoney(field(newCopy(fm, "USDCAPGAIN"), "SALES"), D(100)); },
         false, false},
        {"taxable income 100,000",
         [](CFormManager* fm) {
             enterMoney(field(newCopy(fm, "USDW2"), "WAGES"), D(100000 + 7700 - 20000));
         },
         false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fm->ClearAll();
        fm->CreateDefaultForms();
        singleReturn(D(20000), D(2000), 0);
        c.change(fm);
        EXPECT_EQ(qualifies("USF1040A"), c.formA);
        EXPECT_EQ(qualifies("USF1040EZ"), c.formEZ);
    }
}

// Worked by hand from the 2002 Form 1040X instructions. The original return left out 2,000 of
// wages: originally AGI 28,000 - 4,700 - 3,000 = 20,300, row 20,300-20,350 at 20,325:
// 600 + 15% x 14,325 = 2,748.75 -> 2,749, withheld 3,500, refunded 751.
// Corrected (the 1040 now): 30,000 - 4,700 - 3,000 = 22,300, tax 3,049 (row at 22,325).
// Line 17 payments 3,500; line 19 = 3,500 - 751 = 2,749; line 20 owed 3,049 - 2,749 = 300.
TEST_F(ReferenceFormsTest, AmendedReturnScenario) {
    singleReturn(D(30000), D(3500), 0);
    CFormCopy* x = newCopy(fm, "USF1040X");
    ASSERT_NE(x, nullptr);
    const std::pair<const char*, double> original[] = {
        {"L1A", 28000}, {"L2A", 4700}, {"L3A", 23300}, {"L4A", 3000}, {"L5A", 20300},
        {"L6A", 2749},  {"L8A", 2749}, {"L10A", 2749}, {"L11A", 3500}};
    for (const auto& [line, value] : original)
        enterMoney(field(x, line), D(value));
    enterMoney(field(x, "L18"), D(751));
    const std::pair<const char*, double> expected[] = {
        {"L1B", 2000}, {"L1C", 30000}, {"L5C", 22300}, {"L6B", 300}, {"L6C", 3049}, {"L10C", 3049},
        {"L11B", 0},   {"L17", 3500},  {"L19", 2749},  {"L20", 300}, {"L21", 0},    {"L22", 0}};
    for (const auto& [line, value] : expected)
        EXPECT_EQ(field(x, line)->GetMoney(), D(value)) << line;
    // Overpaid instead: 500 more withheld than first reported makes line 19 3,249, 200 over
    // the tax, all refunded.
    enterMoney(field(fm->GetFormCopy(fm->FindForm("USDW2"), 1), "FEDWH"), D(4000));
    EXPECT_EQ(field(x, "L20")->GetMoney(), 0);
    EXPECT_EQ(field(x, "L21")->GetMoney(), D(200));
    EXPECT_EQ(field(x, "L22")->GetMoney(), D(200));
}

// Worked by hand: the single return above has total tax 3,049 on AGI 30,000, an effective
// rate of 10.163 %, shown as 10.16; the prior-year worksheet shows 2002 less 2001.
TEST_F(ReferenceFormsTest, PlanningWorksheetsScenario) {
    singleReturn(D(30000), D(3500), 0);
    CFormCopy* calc = newCopy(fm, "USWTaxCalc");
    fm->RecalculateAll();
    EXPECT_EQ(field(calc, "TOTALTAX")->GetMoney(), D(3049));
    EXPECT_DOUBLE_EQ(field(calc, "RATE")->GetDouble(), 10.16);
    CFormCopy* prior = newCopy(fm, "USWPriorYr");
    enterMoney(field(prior, "PYAGI"), D(28000));
    EXPECT_EQ(field(prior, "CYAGI")->GetMoney(), D(30000));
    EXPECT_EQ(field(prior, "DIFFAGI")->GetMoney(), D(2000));
    CFormCopy* summary = newCopy(fm, "FEDERALSummary");
    fm->RecalculateAll();
    EXPECT_EQ(field(summary, "RefundOwe")->GetMoney(), fm->GetFieldValue("RefundOwe"));
    EXPECT_EQ(field(summary, "TAX")->GetMoney(), D(3049));
}

// Depreciation worked by hand: a machine bought for 10,000, 2,000 depreciated before 2002 and
// 1,500 this year, sold for 7,000: adjusted basis 10,000 - 3,500 = 6,500, gain 500. The Form
// 4562 totals 1,500 of depreciation and 800 of amortization.
TEST_F(FederalKindsTest, DepreciationWorksheetsScenario) {
    CFormManager* fm = formManager("FEDCALC.so");
    CFormCopy* business = newCopy(fm, "USSchC");
    enterText(field(business, "BUSNAME"), "Smith & Sons");
    CFormCopy* f4562 = newCopy(fm, "USF4562");
    f4562->SetParentCopy(business, 1);
    CFormCopy* asset = newCopy(fm, "USWDEPR");
    asset->SetParentCopy(f4562, 1);
    enterText(field(asset, "ASSETNAME"), "Lathe");
    enterText(field(asset, "DPIS"), "03/01/2000");
    enterMoney(field(asset, "BASIS"), D(10000));
    enterMoney(field(asset, "PRIOR"), D(2000));
    enterMoney(field(asset, "DEPR"), D(1500));
    CFormCopy* amort = newCopy(fm, "USWAMORT");
    amort->SetParentCopy(f4562, 1);
    enterMoney(field(amort, "AMORT"), D(800));
    CFormCopy* sale = newCopy(fm, "USDBUSASSDEPR");
    sale->SetParentCopy(asset, 1);
    enterMoney(field(sale, "SALES"), D(7000));
    fm->RecalculateAll();

    EXPECT_EQ(text([&](char* b, int n) { field(asset, "BUSNAME")->GetText(b, n); }),
              "Smith & Sons");
    EXPECT_EQ(text([&](char* b, int n) { field(amort, "BUSNAME")->GetText(b, n); }),
              "Smith & Sons");
    EXPECT_EQ(text([&](char* b, int n) { field(asset, "VIEWPER")->GetText(b, n); }), "100.000000%");
    field(asset, "BUSPCT")->SetDouble(62.5);
    field(asset, "BUSPCT")->Refresh();
    EXPECT_EQ(text([&](char* b, int n) { field(asset, "VIEWPER")->GetText(b, n); }), "62.500000%");
    EXPECT_EQ(field(f4562, "L22")->GetMoney(), D(1500));
    EXPECT_EQ(field(f4562, "L44")->GetMoney(), D(800));
    EXPECT_EQ(text([&](char* b, int n) { field(sale, "PROPERTY")->GetText(b, n); }), "Lathe");
    EXPECT_EQ(field(sale, "ACQUIRED")->GetDate(), field(asset, "DPIS")->GetDate());
    EXPECT_EQ(field(sale, "DEPR")->GetMoney(), D(3500));
    EXPECT_EQ(field(sale, "GAIN")->GetMoney(), D(500));
    // A sale of an asset never depreciated: 4,000 for what cost 5,000, a loss of 1,000.
    CFormCopy* plain = newCopy(fm, "USDBUSASS");
    enterMoney(field(plain, "BASIS"), D(5000));
    enterMoney(field(plain, "SALES"), D(4000));
    EXPECT_EQ(field(plain, "GAIN")->GetMoney(), -D(1000));
}

class AuditTest : public TaxModuleTest {
protected:
    void SetUp() override {
        fm = formManager("FEDCALC.so");
        audit = fm->FindFormCopy(fm->FindForm("USFAudit"), 1);
        ASSERT_NE(audit, nullptr);
    }
    std::int64_t value(const char* name) {
        CField* f = field(audit, name);
        EXPECT_NE(f, nullptr) << name;
        return f ? f->GetMoney() : -1;
    }
    CFormCopy* w2(std::int64_t ssWages, std::int64_t ssTax, const char* ein = "36-1234567") {
        CFormCopy* c = newCopy(fm, "USDW2");
        enterText(field(c, "EMPLOYER"), "Acme");
        enterText(field(c, "EIN"), ein);
        enterMoney(field(c, "WAGES"), ssWages);
        enterMoney(field(c, "SSWAGES"), ssWages);
        enterMoney(field(c, "SSWH"), ssTax);
        enterMoney(field(c, "MEDWAGES"), ssWages);
        enterMoney(field(c, "MEDWH"), (ssWages * 145 + 5000) / 10000);
        return c;
    }
    CFormManager* fm = nullptr;
    CFormCopy* audit = nullptr;
};

TEST_F(AuditTest, PrepareFindsWhatTheReviewReports) {
    // An empty return: no name, SSN or filing status, nothing to file.
    audit->Prepare();
    for (const char* on : {"NOTPNAME", "NOTPSSN", "NOFS", "NOINCOME", "NODOB"})
        EXPECT_EQ(value(on), 1) << on;
    EXPECT_EQ(value("NOSPSSN"), 0); // no spouse on the return yet
    EXPECT_EQ(value("EFQUALIFIES"), 0);

    // A joint return with a spouse lacking an SSN, a dependent with the taxpayer's SSN and one
    // without a name, two W-2s whose social security tax adds up past the limit (joint: not
    // worked out) and one with box 4 off its rate and no EIN.
    enterText(field(fm, "USF1040", 1, "FNAME"), "John");
    enterText(field(fm, "USF1040", 1, "LNAME"), "Smith");
    enterText(field(fm, "USF1040", 1, "SSN"), "123-45-6789");
    enterText(field(fm, "USF1040", 1, "TPDOB"), "05/01/1960");
    enterText(field(fm, "USF1040", 1, "SPFNAME"), "Mary");
    enterText(field(fm, "USF1040", 1, "SPLNAME"), "Smith");
    enterChoice(field(fm, "USF1040", 1, "FS"), 1);
    CFormCopy* dep = newCopy(fm, "USDDEP");
    enterText(field(dep, "FNAME"), "Ann");
    enterText(field(dep, "LNAME"), "Smith");
    enterText(field(dep, "SSN"), "123-45-6789");
    enterText(field(dep, "DOB"), "01/01/1995");
    field(dep, "MONTHS")->SetLong(12);
    newCopy(fm, "USDDEP");
    w2(D(60000), D(3720));
    w2(D(40000), D(2480));
    w2(D(1000), D(80), "");
    CField* withheld = field(fm->GetFormCopy(fm->FindForm("USDW2"), 1), "FEDWH");
    enterMoney(withheld, D(9000));
    withheld->SetFlag(FF_ESTIMATED, 1);
    field(fm, "USF1040", 1, "L21")->SetFlag(FF_OVERRIDDEN, 1); // not calculated: still counted
    audit->Prepare();
    const std::pair<const char*, std::int64_t> joint[] = {
        {"NOTPNAME", 0},     {"NOTPSSN", 0},        {"NOFS", 0},          {"NODOB", 0},
        {"NOSPNAME", 0},     {"NOSPSSN", 1},        {"DUPSSN", 1},        {"DEPNONAME", 1},
        {"DEPNOSSN", 1},     {"DEPNODOB", 1},       {"DEPMONTHS", 1},     {"W2NOEIN", 1},
        {"W2NOEMPLOYER", 0}, {"W2SSMISMATCH", 1},   {"W2MEDMISMATCH", 0}, {"W2MISMATCH", 1},
        {"W2WHOVER", 0},     {"SSWHTOTAL", 628000}, {"EXCESSSS", 0},      {"ESTIMATED", 1},
        {"Overridden", 1},   {"NOINCOME", 0},       {"EFQUALIFIES", 0}};
    for (const auto& [name, expected] : joint)
        EXPECT_EQ(value(name), expected) << name;
    // NOSPSSN, DUPSSN, DEPNONAME, DEPNOSSN, W2NOEIN.
    EXPECT_EQ(value("ERRORS"), 5);

    // Single with the same W-2s: 6,280 of social security tax is 1,016.20 over 5,263.80.
    enterChoice(field(fm, "USF1040", 1, "FS"), 0);
    audit->Prepare();
    EXPECT_EQ(value("NOSPSSN"), 0);
    EXPECT_EQ(value("EXCESSSSAMT"), D(1016.20));
    EXPECT_EQ(value("EXCESSSS"), 1);
    // The review leaves the return unmodified: its figures are the module's.
    EXPECT_NE(field(audit, "ERRORS")->TestFlag(FF_CALCULATED), 0);
    EXPECT_NE(audit->TestFlag(CF_NOTMODIFYING), 0);
}

TEST_F(AuditTest, CleanReturnQualifiesForElectronicFiling) {
    enterText(field(fm, "USF1040", 1, "FNAME"), "Jane");
    enterText(field(fm, "USF1040", 1, "LNAME"), "Doe");
    enterText(field(fm, "USF1040", 1, "SSN"), "987-65-4321");
    enterText(field(fm, "USF1040", 1, "TPDOB"), "07/04/1970");
    enterChoice(field(fm, "USF1040", 1, "FS"), 0);
    w2(D(30000), D(1860));
    CFormCopy* sale = newCopy(fm, "USDCAPGAIN");
    enterText(field(sale, "ACQUIRED"), "01/05/2002");
    enterText(field(sale, "SOLD"), "03/05/2002");
    audit->Prepare();
    EXPECT_EQ(value("ERRORS"), 0);
    EXPECT_EQ(value("WARNINGS"), 0);
    EXPECT_EQ(value("EFQUALIFIES"), 1);
    // A sale dated before its purchase, and one sold in 2001, stop it again.
    enterText(field(sale, "SOLD"), "01/01/2002");
    enterText(field(newCopy(fm, "USDCAPGAIN"), "SOLD"), "12/31/2001");
    audit->Prepare();
    EXPECT_EQ(value("CGSOLDFIRST"), 1);
    EXPECT_EQ(value("CGNOT2002"), 1);
    EXPECT_EQ(value("EFQUALIFIES"), 0);
}

} // namespace
