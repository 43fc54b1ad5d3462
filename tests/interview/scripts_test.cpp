#include "interview/compiledscript.h"
#include "interview/condition.h"
#include "interview/interviewengine.h"
#include "interview/textscript.h"
#include "platform/text.h"
#include "referencereturn.h"
#include "testenv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string run(const std::string& command) {
    std::string output;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, p))
            output += buffer;
        if (pclose(p) != 0)
            ADD_FAILURE() << command << " failed";
    }
    return output;
}

class ScriptTest : public ReferenceReturnTest {
protected:
    void install(const char* file) {
        fs::copy_file(qvtest::fixture(std::string("interview/") + file),
                      qvtest::env().progDir + file, fs::copy_options::overwrite_existing);
    }
    // FEDERAL.DAT of the test's program directory with the compiled form of a fixture added.
    void compileIntoFederal(const char* script) {
        const std::string compiled = qvtest::env().root + script + ".bin";
        run(qvtest::binDir() + "qvdat compile-script " + qvtest::fixture("interview/") + script +
            ".ivs " + compiled);
        CMemDataFile dat;
        ASSERT_EQ(1, dat.Open(qvtest::buildProgDir() + "FEDERAL.DAT"));
        const std::string entry = qvtest::readFile(compiled);
        ASSERT_EQ(1, dat.Put(script, entry.data(), std::uint32_t(entry.size())));
        fs::remove(qvtest::env().progDir + "FEDERAL.DAT");
        ASSERT_EQ(1, dat.Save(qvtest::env().progDir + "FEDERAL.DAT"));
    }
    InterviewEngine& engine() {
        if (!m_engine) {
            m_engine = std::make_unique<InterviewEngine>(*set);
            m_engine->setHistoryAdd([this](Question&) { return ++historyIds; });
        }
        return *m_engine;
    }
    Question top() { return *engine().branchStack().back(); }

    int historyIds = 0;
    std::unique_ptr<InterviewEngine> m_engine;
};

TEST_F(ScriptTest, TextAndCompiledFormsReadTheSameQuestion) {
    compileIntoFederal("IV_USTest");
    install("IV_USTest.ivs");
    loadModules();

    ASSERT_TRUE(engine().LoadScript("IV_USTest_Step1"));
    const Question fromText = top();
    EXPECT_EQ("<p>First line\r\nsecond line</p><b>more</b>", fromText.text);
    EXPECT_EQ("TGX_STEP1", fromText.tgxHelpId);
    EXPECT_EQ("IV_USAdvisor", fromText.advisorScript);
    EXPECT_EQ((std::vector<std::string>{"USF1040.TPBLIND,1=1", "USF1040.TP65,1=0"}),
              fromText.setFields);
    // The line with a comment after its target is dropped whole.
    EXPECT_EQ((std::vector<std::string>{"IF USF1040.TPBLIND,1 GOTO IV_USTEST_STEP2",
                                        "IF TRUE GOTO IV_USTEST_STEP2"}),
              fromText.nextQuestions);
    EXPECT_EQ("IV_USTest", fromText.script);
    EXPECT_EQ("Step1", fromText.name);
    EXPECT_EQ("None", fromText.parentTarget);
    EXPECT_EQ(1, fromText.keep);
    EXPECT_EQ(1, fromText.done);
    EXPECT_EQ(1, fromText.historyId);

    fs::remove(qvtest::env().progDir + "IV_USTest.ivs");
    EXPECT_FALSE(engine().ScriptFileExists("iv_ustest.IVS"));
    ASSERT_TRUE(engine().LoadScript("IV_USTest_Step1"));
    EXPECT_EQ(1u, engine().branchStack().size()); // the same question replaces the top
    Question fromEntry = top();
    EXPECT_EQ("<p>First line  second line</p><b>more</b>", fromEntry.text);
    fromEntry.text = fromText.text;
    fromEntry.historyId = fromText.historyId;
    EXPECT_EQ(fromText, fromEntry);

    const std::string listing = run(qvtest::binDir() + "qvdat questions " + qvtest::env().progDir +
                                    "FEDERAL.DAT IV_USTest");
    EXPECT_NE(std::string::npos, listing.find("Step1\tform=USF1040,1\tnextAudit=\tsetFields=2"
                                              "\tnextQuestions=2\tconditions=1"))
        << listing;
    EXPECT_NE(std::string::npos, listing.find("Step3\tform=USDW2,NEWCOPY")) << listing;
}

TEST_F(ScriptTest, TagsReadAlikeInAnyLetterCase) {
    install("IV_USTest.ivs");
    loadModules();
    ASSERT_TRUE(engine().LoadScript("IV_USTest_Step2"));
    Question upper = top();
    ASSERT_TRUE(engine().LoadScript("step3")); // a bare name: the current script
    Question lower = top();
    EXPECT_EQ("Same page", lower.text);
    EXPECT_EQ("A9", lower.nextAudit);
    lower.name = upper.name;
    lower.historyId = upper.historyId;
    EXPECT_EQ(upper, lower);
}

TEST_F(ScriptTest, PlacingOnTheBranchStack) {
    install("IV_USTest.ivs");
    loadModules();
    InterviewEngine& e = engine();
    ASSERT_TRUE(e.LoadScript("IV_USTest_Step1"));
    e.branchStack().back()->done = 0; // an open question becomes the parent of the next
    ASSERT_TRUE(e.LoadScript("IV_USTest_Step2"));
    EXPECT_EQ("IV_USTest_Step1", top().parentTarget);
    ASSERT_TRUE(e.LoadScript("Step2"));
    EXPECT_EQ(2u, e.branchStack().size());
    e.setPendingBackTarget("IV_USOther_Back");
    ASSERT_TRUE(e.LoadScript("Step3"));
    EXPECT_EQ("IV_USOther_Back", top().parentTarget);
    EXPECT_EQ("", e.pendingBackTarget());
    EXPECT_EQ(3u, e.branchStack().size());

    // A branch takes the place of the top unless the top is kept.
    ASSERT_TRUE(e.LoadScript("IV_USTest_Step1", true, false, false));
    EXPECT_EQ(3u, e.branchStack().size());
    EXPECT_EQ(1, top().branch);
    EXPECT_EQ("Step2", e.branchStack()[1]->name);
    ASSERT_TRUE(e.LoadScript("IV_USTest_Step3", true, true, false));
    EXPECT_EQ(4u, e.branchStack().size());
    EXPECT_EQ(e.currentQuestion(), e.branchStack().back().get());

    // Nothing loads for an unknown module, question or script; load-only leaves the stack.
    EXPECT_FALSE(e.LoadScript("IV_ZZTest_Step1"));
    EXPECT_FALSE(e.LoadScript("IV_USTest_Step9"));
    EXPECT_FALSE(e.LoadScript("IV_USNone_Step1"));
    EXPECT_TRUE(e.LoadScript("IV_USTest_Step1", false, false, true));
    EXPECT_EQ(4u, e.branchStack().size());
}

TEST_F(ScriptTest, AuditWalkStopsAtTheFirstAlertAndFollowsNextAudit) {
    install("IV_USTest.ivs");
    install("AD_USAlerts.ivs");
    install("AD_USMore.ivs");
    loadModules();
    InterviewEngine& e = engine();
    const CopyContext context{1, 1, 1};
    e.setCopyContext(context);

    ASSERT_TRUE(e.LoadScript("AD_USAlerts_A1"));
    EXPECT_FALSE(e.interviewMode());
    ASSERT_EQ(1u, e.branchStack().size());
    EXPECT_EQ("A1", top().name);
    EXPECT_EQ("AD_USAlerts", top().script);

    // With green alerts filtered out the walk passes A1, does not fire on A2, follows its
    // Next Audit into another script and there fires into an interview question.
    e.ClearStack();
    e.setAlertFilter([](const Question& q) { return q.lhImages != "IDB_GREENALERT"; });
    ASSERT_TRUE(e.LoadScript("AD_USAlerts_A1"));
    EXPECT_TRUE(e.interviewMode());
    ASSERT_EQ(3u, e.branchStack().size());
    const Question& a2 = *e.branchStack()[0];
    EXPECT_EQ("A2", a2.name);
    EXPECT_EQ("AD_USALERTS", a2.script);
    EXPECT_EQ(context, a2.copyContext);
    EXPECT_EQ(1, a2.keep);
    EXPECT_EQ(0, a2.done);
    EXPECT_EQ("B1", e.branchStack()[1]->name);
    EXPECT_EQ("AD_USMORE", e.branchStack()[1]->script);
    EXPECT_EQ("Step2", top().name);
    EXPECT_TRUE(pf::iequals("IV_USTest", top().script));
    EXPECT_EQ(e.currentQuestion(), e.branchStack().back().get());

    // An audit term loads without placing anything.
    e.ClearStack();
    e.setAlertFilter(nullptr);
    Condition term("IF (AD_USAlerts_A1) && NOT (AD_USAlerts_A7) GOTO X", &e, *set, nullptr, false);
    EXPECT_TRUE(term.Evaluate());
    EXPECT_TRUE(e.branchStack().empty());
    EXPECT_TRUE(e.interviewMode());
}

// A Next Audit that leads back to where it started ends the walk instead of running forever;
// so does an audit term that names its own question.
TEST_F(ScriptTest, CyclesInAuditScriptsEnd) {
    qvtest::writeFile(qvtest::env().progDir + "AD_USLoop.ivs",
                      "<Script>\n<Question>\n<Name>\nA1\n<Conditions>\nIF FALSE GOTO X\n"
                      "</Conditions>\n<Next Audit>\nAD_USLoop_A1\n</Question>\n<Question>\n"
                      "<Name>\nA2\n<Conditions>\nIF (AD_USLoop_A2) GOTO X\n</Conditions>\n"
                      "</Question>\n</Script>\n");
    loadModules();
    EXPECT_FALSE(engine().LoadScript("AD_USLoop_A1"));
    EXPECT_FALSE(engine().branchStack().empty());
    engine().ClearStack();
    EXPECT_FALSE(engine().LoadScript("AD_USLoop_A2"));
}

TEST(TextScriptReader, QuestionsEndAtTheirCloseTagOrTheEndOfTheFile) {
    TextScript script;
    script.SetContent("<Script>\r\n<Question>\r\n<Name>\r\nA\r\n<Conditions>\r\nTRUE\r\n"
                      "</Question>\r\n<Question>\r\n<Name>\r\nB\r\n<Form>\r\nUSDW2,1\r\n"
                      "</Question>\r\n<Question>\r\n<Name>\r\nC\r\n<Form>\r\nUSF1040,1");
    Question a, b, c;
    ASSERT_TRUE(script.FindAndRead("a", a));
    EXPECT_EQ(std::vector<std::string>{"TRUE"}, a.conditions);
    EXPECT_EQ("", a.form); // the list's closing question tag ends the question
    ASSERT_TRUE(script.FindAndRead("B", b));
    EXPECT_EQ("USDW2,1", b.form);
    ASSERT_TRUE(script.FindAndRead("C", c));
    EXPECT_EQ("USF1040,1", c.form);
    EXPECT_FALSE(script.FindAndRead("A", a)); // searching goes on forward only
    script.Rewind();
    EXPECT_TRUE(script.FindAndRead("A", a));
}

// Records cut short or claiming more than their entry holds read nothing beyond the entry.
TEST(CompiledScriptReader, LengthsRunningPastTheEntryReadNothingBeyondIt) {
    Question q;
    q.name = "Q1";
    q.text = std::string(40, 't');
    q.form = "USF1040,1";
    q.conditions = {"TRUE"};
    std::string entry;
    ASSERT_TRUE(CompiledScript::Write(entry, q));
    std::string tooLong = entry;
    tooLong[302] = char(0xFF); // text length 65535
    tooLong[303] = char(0xFF);
    for (const std::string& base : {entry, tooLong}) {
        for (std::size_t cut = 0; cut <= base.size(); ++cut) {
            const std::string buffer = base.substr(0, cut) + std::string(64, 'Z');
            Question read;
            std::size_t next = 0;
            if (CompiledScript::ReadRecord(buffer.data(), cut, 0, read, next)) {
                for (const std::string* t : {&read.text, &read.form, &read.rhControls})
                    EXPECT_EQ(std::string::npos, t->find('Z')) << cut;
                for (const std::string& line : read.conditions)
                    EXPECT_EQ(std::string::npos, line.find('Z')) << cut;
            }
        }
    }
    Question back;
    ASSERT_TRUE(CompiledScript::Find(entry.data(), entry.size(), "q1", back));
    EXPECT_EQ(q, back);
}

} // namespace
