#include "returntest.h"

#include "storage/historyblob.h"

namespace {

Question page(const std::string& script, const std::string& name) {
    Question q;
    q.script = script;
    q.name = name;
    q.parentTarget = "None";
    q.nextAudit = "AUDIT1";
    q.form = "USF1040,1";
    q.copyContext = {1, 1, 1};
    q.setFields = {"USF1040.FS=1"};
    q.nextQuestions = {"GOTO IV_USInterview_Step2"};
    return q;
}

std::vector<std::string> names(const qv::PageStack& stack) {
    std::vector<std::string> out;
    for (const Question& q : stack.pages())
        out.push_back(q.name);
    return out;
}

qv::HistoryEntry entry(std::uint8_t kind, const std::string& title) {
    qv::HistoryEntry e;
    e.kind = kind;
    e.title = title;
    e.module = "FEDERAL";
    e.ref = {1, 2, 3, 4};
    return e;
}

using History = ReturnTest;

TEST_F(History, PageStackKeepsTheFirstPageAndTheNewestOnesThatQualify) {
    for (const auto& [script, name] :
         std::vector<std::pair<const char*, const char*>>{{"IV_USInterview", "P0"},
                                                          {"AD_USAudit", "P1"},
                                                          {"IV_USInterview", "P2"},
                                                          {"IV_USInterview", "P3-AUDIT-GLUE"},
                                                          {"IV_USInterview", "P4"},
                                                          {"IV_USInterview", "P5"}})
        pages.push(page(script, name));
    qv::PageStack back;
    ASSERT_TRUE(qv::ParsePageStack(qv::SerializePageStack(pages, 4), back));
    EXPECT_EQ((std::vector<std::string>{"P0", "P4", "P5"}), names(back));
    EXPECT_EQ(pages.at(5), back.at(2)); // every member the record holds comes back

    qv::PageStack all;
    ASSERT_TRUE(qv::ParsePageStack(qv::SerializePageStack(pages, 200), all));
    EXPECT_EQ((std::vector<std::string>{"P0", "P2", "P4", "P5"}), names(all));

    // The marker and the closing zero byte frame the records.
    const std::string one = [&] {
        qv::PageStack single;
        single.push(page("IV_USInterview", "P0"));
        return qv::SerializePageStack(single, 200);
    }();
    EXPECT_EQ(std::string("PA\0", 3), one.substr(0, 3));
    EXPECT_EQ('\0', one.back());
}

TEST_F(History, AnUnsetOrZeroLimitBecomes200AndIsWritten) {
    for (const int stored : {-1, 0, -7}) {
        if (stored == -1)
            pf::Profile::app().deleteEntry("DATA", "MAXHISTORY");
        else
            pf::Profile::app().writeInt("DATA", "MAXHISTORY", stored);
        CMemDataFile f;
        EXPECT_EQ(1, qv::SaveHistoryBlobs(f, history, pages));
        EXPECT_EQ(200, pf::Profile::app().getInt("DATA", "MAXHISTORY", 0)) << stored;
        EXPECT_EQ(0, f.Exists("AppF02PtrArray")); // nothing to keep: no entry
        EXPECT_EQ(0, f.Exists("AppFinal02History"));
    }
}

TEST_F(History, RecordsAreWrittenByteForByte) {
    history.add(entry(qv::HistoryEntry::FieldVisit, "Federal Form 1040"));
    qv::HistoryEntry report = entry(qv::HistoryEntry::Report, "");
    report.module.clear();
    report.subKind = 2;
    history.setIndex(history.add(report));
    using namespace std::string_literals;
    EXPECT_EQ("\x01\x00"
              "Federal Form 1040\0FEDERAL\0"
              "\x01\x00\x02\x00\x03\x00\x04\x00"
              "\x20\x02\0\0"
              "\0"s,
              qv::SerializeHistory(history));
}

TEST_F(History, TheHistoryComesBackWithTheReturn) {
    const std::string path = savedReturn("Places.ta2", "Acme Tools");
    history.add(entry(qv::HistoryEntry::FieldVisit, "Federal Form 1040"));
    qv::HistoryEntry withFlags = entry(qv::HistoryEntry::FieldVisitWithFlags, "Federal Form W-2");
    withFlags.flags = 2;
    history.setIndex(history.add(withFlags));
    qv::HistoryEntry visit = entry(qv::HistoryEntry::InterviewPage, "Basic Information");
    visit.page = page("IV_USInterview", "Step1");
    visit.page->setFields.clear(); // the history keeps a page without its lists
    visit.page->nextQuestions.clear();
    visit.page->nextAudit.clear();
    history.setIndex(history.add(visit));
    qv::HistoryEntry report = entry(qv::HistoryEntry::Report, "");
    report.subKind = 1;
    history.setIndex(history.add(report));
    history.setIndex(history.add(entry(qv::HistoryEntry::ExplorerPosition, "Forms Explorer")));
    pages.push(page("IV_USInterview", "Step1"));
    const std::vector<qv::HistoryEntry> saved = history.entries();
    doc->SetReturnModified(true);
    ASSERT_TRUE(doc->DoFileSave());
    EXPECT_EQ(1, pf::Profile::app().getInt("DATA", "LOADHISTORY", 0));

    ASSERT_TRUE(doc->OnNewDocument());
    EXPECT_TRUE(history.empty());
    EXPECT_TRUE(pages.empty());
    ASSERT_TRUE(doc->OpenDocumentFile(path));
    ASSERT_EQ(saved.size(), history.size());
    for (std::size_t i = 0; i < saved.size(); ++i) {
        qv::HistoryEntry expected = saved[i];
        if (expected.kind == qv::HistoryEntry::Report)
            expected.title = "Depreciation Summary";
        if (expected.kind == qv::HistoryEntry::Report ||
            expected.kind == qv::HistoryEntry::InterviewPage)
            expected.ref = {}; // these kinds keep no field reference
        EXPECT_EQ(expected, history.at(i)) << i;
    }
    EXPECT_EQ(int(saved.size()) - 1, history.index());
    EXPECT_EQ((std::vector<std::string>{"Step1"}), names(pages));
}

TEST_F(History, ALimitOf100DropsTheOldestAndANewPlaceDropsForward) {
    for (int i = 0; i < 100; ++i)
        history.setIndex(history.add(entry(qv::HistoryEntry::FieldVisit, std::to_string(i))));
    qv::HistoryEntry visit = entry(qv::HistoryEntry::InterviewPage, "page");
    visit.page = page("IV_USInterview", "Step1");
    visit.page->historyId = 99;
    history.setIndex(history.add(visit));
    EXPECT_EQ(100u, history.size());
    EXPECT_EQ("1", history.at(0).title);
    EXPECT_EQ(99, history.index());
    history.setIndex(50);
    // Full: the oldest goes first and the position moves down with it.
    EXPECT_EQ(50, history.add(entry(qv::HistoryEntry::FieldVisit, "new")));
    EXPECT_EQ(51u, history.size());
    EXPECT_EQ("new", history.at(50).title);
    EXPECT_EQ(49, pf::Profile::app().getInt("DATA", "HISTORY INDEX", -1));
    EXPECT_EQ(99, visit.page->historyId);
}

// A run that stopped during a save leaves DATA/CLOSED at 0.
class HistoryAfterCrash : public ReturnTest {
protected:
    void SetUp() override {}
};

TEST_F(HistoryAfterCrash, AReturnOpensWithoutItsHistoryAfterAnUncleanExit) {
    pf::Profile::app().writeInt("DATA", "CLOSED", 1);
    load({});
    const std::string path = savedReturn("Crash.ta2", "Acme Tools");
    history.setIndex(history.add(entry(qv::HistoryEntry::FieldVisit, "Federal Form 1040")));
    pages.push(page("IV_USInterview", "Step1"));
    doc->SetReturnModified(true);
    ASSERT_TRUE(doc->DoFileSave());
    doc.reset();
    modules.UnloadAll();

    pf::Profile::app().writeInt("DATA", "CLOSED", 0);
    load({});
    ASSERT_TRUE(doc->OpenDocumentFile(path));
    EXPECT_TRUE(history.empty());
    EXPECT_TRUE(pages.empty());
    EXPECT_EQ("Acme Tools", text("USDW2", 1, "EMPLOYER"));
    // The next open in the same run reads the flag as this run's last close left it.
    pf::Profile::app().writeInt("DATA", "CLOSED", 1);
    ASSERT_TRUE(doc->OpenDocumentFile(path));
    EXPECT_EQ(1u, history.size());

    pf::Profile::app().writeInt("DATA", "LOADHISTORY", 0);
    ASSERT_TRUE(doc->OpenDocumentFile(path));
    EXPECT_TRUE(history.empty());
}

} // namespace
