#include "fakemodules.h"
#include "interview/condition.h"
#include "interview/interviewengine.h"
#include "referencereturn.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* line;
    bool result;
    const char* target;
    int error;
};

// On the reference return: Illinois active; TPBLIND checked on the 1040, SP65 and TP65 not;
// two W-2s, WAGES only on the second; one W-2 continuation under the first W-2.
class ConditionTest : public ReferenceReturnTest {
protected:
    void SetUp() override {
        loadModules();
        modules.FindByName("IL")->SetActive(true);
        check("USF1040", 1, "TPBLIND");
        const int w2 = form("USDW2");
        CFormCopy* first = fed->AddFormCopy(w2, 1, 0);
        CFormCopy* second = fed->AddFormCopy(w2, 1, 0);
        ASSERT_NE(nullptr, second);
        CField* wages = second->GetField(fed->FindField(w2, "WAGES", 0));
        ASSERT_NE(nullptr, wages);
        wages->SetMoney(100000);
        wages->Refresh();
        CFormCopy* child = fed->AddFormCopy(form("USDW2C"), 1, 0);
        ASSERT_NE(nullptr, child);
        child->SetParentCopy(first, 1);
        question.copyContext = {1, std::uint16_t(w2), std::uint16_t(second->GetCopyNumber())};
        engine = std::make_unique<InterviewEngine>(*set);
        engine->setCopyContext({1, std::uint16_t(w2), std::uint16_t(first->GetCopyNumber())});
    }

    void run(const Case& c, bool auditMode = false) {
        Condition condition(c.line, engine.get(), *set, &question, auditMode);
        EXPECT_EQ(c.result, condition.Evaluate()) << c.line;
        EXPECT_EQ(c.target, condition.GotoTarget()) << c.line;
        EXPECT_EQ(c.error, condition.ErrorCode()) << c.line;
    }

    Question question;
    std::unique_ptr<InterviewEngine> engine;
};

TEST_F(ConditionTest, EvaluatesLinesAgainstTheReturn) {
    const Case cases[] = {
        {"GOTO IV_USStep3", true, "IV_USSTEP3", 0},
        {"// IF TRUE GOTO IV_USStep3", false, "IV_USSTEP3", 0},
        {"TRUE", true, "", 0},
        {"FALSE", false, "", 0},
        {"WHEN TRUE GOTO X", false, "X", 0},
        {"IF NOT TRUE GOTO IV_USStep3", true, "IV_USSTEP3", 0},
        {"IF NOT FALSE GOTO A", false, "A", 0},
        {"IF NOT USF1040.TPBLIND,1 GOTO A", false, "A", 0},
        {"IF NOT(USF1040.SP65,1) GOTO A", true, "A", 0},
        // Equal precedence, left to right: (TPBLIND || SP65) && TP65.
        {"IF USF1040.TPBLIND,1 || USF1040.SP65,1 && USF1040.TP65,1 GOTO A", false, "A", 0},
        {"IF USF1040.SP65,1 || (USF1040.TPBLIND,1 && USF1040.TPBLIND,1) GOTO A", true, "A", 0},
        {"  if usf1040.tpblind,1 and usf1040.tp65,1 or true goto iv_usStep3 ", true, "IV_USSTEP3",
         0},
        {"if true and false goto a", false, "A", 0},
        {"IF TRUE & FALSE GOTO A", false, "A", 0},
        {"IF USF1040.TPBLIND(0) GOTO A", false, "A", 0}, // no copy part: ordinal 0
        {"IF USF1040.TPBLIND(0),1 GOTO A", true, "A", 0},
        {"IF USDW2.WAGES,2 GOTO A", true, "A", 0},
        {"IF USDW2.WAGES,1 GOTO A", false, "A", 0},
        {"IF USDW2.WAGES,CURRENTCOPY GOTO A", true, "A", 0},
        {"IF USDW2.WAGES,NEWCOPY GOTO A", false, "A", 0},
        {"IF USDW2.NOSUCHFIELD,2 || NYIT201.X,1 GOTO A", false, "A", 0},
        {"IF HAVEMODULE(IL) && HAVESTATES() && HAVECOPY(USDW2) GOTO A", true, "A", 0},
        {"IF HAVEMODULE(CA) || HAVECOPY(USDDEP) GOTO A", false, "A", 0},
        {"IF HAVEMODULE(US) GOTO A", true, "A", 0},
        {"IF HAVECHILDREN(USDW2,1,USDW2C) && NOT HAVECHILDREN(USDW2,2,USDW2C) GOTO A", true, "A",
         0},
        {"IF HAVENEXTCOPY(USDW2) GOTO A", true, "A", 0},
        {"IF HAVEGENERICSTATEMODULE_GTE(AA) GOTO IV_??Step1", true, "IV_ILSTEP1", 0},
        {"IF HAVEGENERICSTATEMODULE_GTE(IM) GOTO IV_??Step1", false, "IV_??STEP1", 0},
        {"IF NOTHAVETPSSN() && HAVEVALIDEMAIL() GOTO A", true, "A", 0},
        // Syntax errors stop the scan and keep what was accumulated.
        {"IF TRUE || USF1040 GOTO A", true, "A", -8},
        {"IF FALSE || USF1040.TPBLIND GOTO A", false, "A", -9},
        {"IF TRUE && USF1040.TPBLIND(1 GOTO A", true, "A", -11},
        {"IF TRUE ) || FALSE GOTO A", true, "A", -12},
        {"IF TRUE && # GOTO A", true, "A", -12},
        {"IF TRUE && AD_USNOTHING GOTO A", true, "A", -8},
    };
    for (const Case& c : cases)
        run(c);
}

// The other copy rule: in an audit script CURRENTCOPY is the engine's copy, not the question's.
TEST_F(ConditionTest, AuditModeTakesTheEnginesCopy) {
    run({"IF USDW2.WAGES,CURRENTCOPY GOTO A", false, "A", 0}, true);
    engine->setCopyContext(question.copyContext);
    run({"IF USDW2.WAGES,CURRENTCOPY GOTO A", true, "A", 0}, true);
    run({"IF HAVENEXTCOPY(USDW2) GOTO A", false, "A", 0}, true);
}

// The engine's entry point: the line becomes its target, and the question's script decides
// whether CURRENTCOPY is the engine's copy (audit scripts) or the question's.
TEST_F(ConditionTest, EngineEntryPointReplacesTheLineWithItsTarget) {
    std::string line = "IF USDW2.WAGES,CURRENTCOPY GOTO IV_USStep3_Review";
    question.script = "IV_USStep3";
    EXPECT_TRUE(engine->EvaluateCondition(line, question));
    EXPECT_EQ("IV_USSTEP3_REVIEW", line);
    line = "IF USDW2.WAGES,CURRENTCOPY GOTO IV_USStep3_Review";
    question.script = "ad_USAlerts";
    EXPECT_FALSE(engine->EvaluateCondition(line, question));
    line = "FALSE";
    EXPECT_FALSE(engine->EvaluateCondition(line, question));
    EXPECT_EQ("", line);
}

// Predicates over states and federal fields the reference module does not carry, on fakes.
class PredicateTest : public ::testing::Test {
protected:
    void SetUp() override {
        fedFm.addForm("USWREC", {"CA", "NY"});
        fedFm.addCopy(1);
        fedFm.addForm("USSCHC", {"X"});
        modules.add("FEDERAL", true, &fedFm);
        modules.add("CA", true, &ca);
        modules.add("NY", true, &ny);
        modules.add("NH", false, &nh);
        modules.add("TX", false, &tx);
        fedFm.globals["HaveEFStatesAttached"].value = 7;
    }
    bool eval(const std::string& line, std::string* target = nullptr) {
        Condition c(line, nullptr, modules, nullptr, false);
        const bool r = c.Evaluate();
        if (target)
            *target = c.GotoTarget();
        return r;
    }

    FakeFormManager fedFm, ca, ny, nh, tx;
    FakeModuleSet modules;
};

TEST_F(PredicateTest, StatePredicatesFillTheTargetWithTheFirstMatchingCode) {
    struct StateCase {
        const char* line;
        bool result;
        const char* target;
    } cases[] = {
        {"IF HAVEGENERICSTATEMODULE_GTE(AA) GOTO IV_??Step1", true, "IV_CASTEP1"},
        {"IF HAVEGENERICSTATEMODULE_GTE(CB) GOTO IV_??Step1", true, "IV_NYSTEP1"},
        {"IF HAVEGENERICSTATEMODULE_GTE(NZ) GOTO IV_??Step1", false, "IV_??STEP1"},
        {"IF HAVEGENERICSTATEMODULE_GTE(AA) GOTO IV_Step1", true, "IV_STEP1"},
        {"IF HAVEMODULE(TX) GOTO A", false, "A"},
        {"IF HAVEMULTIEFSTATES() GOTO A", true, "A"},
        {"IF HAVEUSWRECSTATE() GOTO AD_??", false, "AD_??"},
        {"IF SELECTEDANDHAVEMODULE() GOTO X??", false, "X??"},
        {"IF SELECTEDANDNOTHAVEMODULE() GOTO A", false, "A"},
        {"IF NOTHAVETPSSN() GOTO A", true, "A"},
        {"IF HAVEVALIDCARD() || HAVEINVALIDEMAIL() GOTO A", false, "A"},
        {"IF HAVEINVALIDCARD() GOTO A", true, "A"},
        {"IF COULDHAVEEFSTATE() || HAVEEFSTATE(NY) GOTO A", false, "A"},
        {"IF HAVEUSERMODIFIEDFORM(USWREC) GOTO A", false, "A"},
    };
    for (const StateCase& c : cases) {
        std::string target;
        EXPECT_EQ(c.result, eval(c.line, &target)) << c.line;
        EXPECT_EQ(c.target, target) << c.line;
    }

    fedFm.texts["OLState"] = "NY";
    fedFm.texts["TaxpayerSSN"] = "123-45-6789";
    fedFm.texts["CC_Type"] = "Visa";
    fedFm.texts["CC_Number"] = "4111 1111 1111 1111";
    fedFm.texts["ClientEmail"] = "www.example.com";
    fedFm.flags["LivesInEFState"] = 1;
    fedFm.forms[0].copies[0]->fields[2].value = 1; // USWRec.NY
    fedFm.forms[0].copies[0]->flags = CF_USERMODIFIED;
    const StateCase later[] = {
        {"IF SELECTEDANDHAVEMODULE() GOTO IV_??Step1", true, "IV_NYSTEP1"},
        {"IF HAVEUSWRECSTATE() GOTO AD_??", true, "AD_NY"},
        {"IF NOTHAVETPSSN() GOTO A", false, "A"},
        {"IF HAVEVALIDCARD() && HAVEINVALIDEMAIL() GOTO A", true, "A"},
        {"IF HAVEEFSTATE(NY) && NOT HAVEEFSTATE(TX) GOTO A", true, "A"},
        {"IF HAVEUSERMODIFIEDFORM(USWREC) GOTO A", true, "A"},
    };
    for (const StateCase& c : later) {
        std::string target;
        EXPECT_EQ(c.result, eval(c.line, &target)) << c.line;
        EXPECT_EQ(c.target, target) << c.line;
    }
}

// Nothing short-circuits: the attached-state flag is written even when the result is known.
TEST_F(PredicateTest, EfileStateFlagIsWrittenWhateverTheOtherOperands) {
    EXPECT_FALSE(eval("IF FALSE && HAVEEFSTATEATTACHED() GOTO A"));
    EXPECT_EQ(1, fedFm.globals["HaveEFStatesAttached"].value);
    EXPECT_EQ(1, fedFm.globals["HaveEFStatesAttached"].refreshes);
    modules.modules[1].active = false;
    modules.modules[2].active = false;
    modules.modules[3].active = true;
    EXPECT_TRUE(eval("IF TRUE || HAVEEFSTATEATTACHED() GOTO A"));
    EXPECT_EQ(0, fedFm.globals["HaveEFStatesAttached"].value); // NH files no e-file return
}

TEST(ConditionCheck, ReportsEveryErrorCodeWithItsText) {
    FakeModuleSet none;
    const struct {
        const char* line;
        bool audit;
        bool passes;
        int error;
    } cases[] = {
        {"IF NOT USF1040.TPBLIND,1 && (HAVEMODULE(IL)) || (AD_USX_Y) GOTO IV_A", false, true, 0},
        {"TRUE GOTO A", false, true, 0},
        {"IF TRUE", true, true, 0},
        {"", false, false, -1},
        {"WHEN TRUE GOTO A", false, false, -2},
        {"IF TRUE", false, false, -3},
        {"IF TRUE GOTO ", false, false, -5},
        {"IF (TRUE GOTO A", false, false, -6},
        {"IF USF1040 GOTO A", false, false, -8},
        {"IF USF1040.TPBLIND GOTO A", false, false, -9},
        {"IF USF1040.TPBLIND(1 GOTO A", false, false, -11},
        {"IF TRUE # FALSE GOTO A", false, false, -12},
        {"IF TRUE &&& FALSE GOTO A", false, false, -14},
        {"IF TRUE && GOTO A", false, false, -16},
    };
    for (const auto& c : cases) {
        Condition condition(c.line, nullptr, none, nullptr, c.audit);
        EXPECT_EQ(c.passes, condition.Check()) << c.line;
        EXPECT_EQ(c.error, condition.ErrorCode()) << c.line;
    }

    Condition op("IF TRUE &&& FALSE GOTO A", nullptr, none, nullptr, false);
    op.Check();
    EXPECT_EQ("\r\n\tInvalid Condition - invalid logical operator (and/or) in condition  near "
              "position 11 (IF TRUE &&& FALSE GOTO A)",
              op.ErrorText());
    Condition two("if true &&", nullptr, none, nullptr, false);
    EXPECT_FALSE(two.Check());
    EXPECT_EQ("\r\n\tInvalid Condition - missing goto in condition (IF TRUE &&)"
              "\r\n\tInvalid Condition - missing operand in condition (IF TRUE &&)",
              two.ErrorText());
}

TEST(ConditionCheck, CardNumbers) {
    const struct {
        const char* type;
        const char* number;
        bool valid;
    } cases[] = {
        {"VISA", "4111111111111111", true},
        {"visa", "4111-1111-1111-1111", true},
        {"Visa", "4111 1111 1111 1111", true},
        {"VISA", "4111111111111112", false},
        {"VISA", "4222222222222", true},
        {"VISA", "5111111111111118", false},
        {"VISA", "4111a11111111111", false},
        {"MASTERCARD", "5500000000000004", true},
        {"MASTERCARD", "5600000000000003", false},
        {"AMERICAN EXPRESS", "378282246310005", true},
        {"AMERICAN EXPRESS", "3411111111111111", false},
        {"DISCOVER", "6011111111111117", true},
        {"DINERS", "30569309025904", false},
        {"VISA", "", false},
        {"", "4111111111111111", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.valid, Condition::CheckCardNumber(c.type, c.number))
            << c.type << " " << c.number;
}

TEST(ConditionCheck, EmailAddresses) {
    const struct {
        const char* address;
        bool valid;
    } cases[] = {
        {"", true},
        {"  jo@example.com ", true},
        {"a..b@example.com", false},
        {"www.jo@example.com", false},
        {"jo@example", false},
        {"jo.example.com", false},
        {".jo@example.com", false},
        {"jo@example.com.", false},
        {"j o@example.com", false},
        {"jo@example,com", false},
        {"<jo@example.com>", false},
        {"jo@ex:ample.com", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.valid, Condition::CheckEmailAddress(c.address)) << c.address;
}

} // namespace
