#include "interview/bytereader.h"
#include "interview/questioncodec.h"

#include <gtest/gtest.h>

#include <string>

using qv::PageRecordForm;

namespace {

Question samplePage() {
    Question q;
    q.waiting = 1;
    q.branch = 2;
    q.done = 0;
    q.keep = 1;
    q.historyId = 0x01020304;
    q.reopened = 1;
    q.copyContext = {1, 0x0203, 7};
    q.script = "IV_USStep3";
    q.name = "NewWages";
    q.parentTarget = "IV_USStep3_Wages";
    q.nextAudit = "A2";
    q.form = "USDW2,NEWCOPY";
    q.setFields = {"USF1040.L7,1=1"};
    q.conditions = {"TRUE", "IF X.Y GOTO Z"};
    return q;
}

// A string literal with its embedded zero bytes.
template <std::size_t N>
std::string lit(const char (&text)[N]) {
    return std::string(text, N - 1);
}

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s.push_back(char(v));
    return s;
}

TEST(PageRecord, HistoryFormHasWordTwoFirstThenFourTexts) {
    std::string out;
    qv::WritePageRecord(out, samplePage(), PageRecordForm::History);
    const std::string expected = bytes({2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 4, 3,
                                        2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 3, 2, 7, 0, 0, 0}) +
                                 lit("IV_USStep3\0NewWages\0IV_USStep3_Wages\0USDW2,NEWCOPY\0");
    EXPECT_EQ(expected, out);

    Question back;
    ASSERT_TRUE(qv::ReadPageRecord(out.data(), out.size(), back, PageRecordForm::History));
    Question want = samplePage();
    want.nextAudit.clear();
    want.setFields.clear();
    want.conditions.clear();
    EXPECT_EQ(want, back);
}

TEST(PageRecord, PageStackFormCarriesNextAuditAndTheThreeLists) {
    std::string out;
    qv::WritePageRecord(out, samplePage(), PageRecordForm::PageStack);
    const std::string tail =
        lit("IV_USStep3_Wages\0A2\0USDW2,NEWCOPY\0USF1040.L7,1=1\0\0\0TRUE\0IF X.Y GOTO Z\0\0");
    ASSERT_GE(out.size(), tail.size());
    EXPECT_EQ(tail, out.substr(out.size() - tail.size()));

    Question back;
    qv::ByteReader in(out.data(), out.size());
    ASSERT_TRUE(qv::ReadPageRecord(in, back, PageRecordForm::PageStack));
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(samplePage(), back);
}

// Every cut of a record fails cleanly, and a reader over a part of a buffer never reads the
// bytes after its part.
TEST(PageRecord, TruncatedRecordsFailWithoutReadingPastTheirEnd) {
    for (PageRecordForm form : {PageRecordForm::History, PageRecordForm::PageStack}) {
        std::string out;
        qv::WritePageRecord(out, samplePage(), form);
        for (std::size_t cut = 0; cut < out.size(); ++cut) {
            std::string buffer = out.substr(0, cut) + lit("X\0\0\0\0\0");
            qv::ByteReader in(buffer.data(), cut);
            Question q;
            EXPECT_FALSE(qv::ReadPageRecord(in, q, form)) << cut;
            EXPECT_LE(in.pos(), cut);
            EXPECT_EQ(std::string::npos, q.form.find('X')) << cut;
        }
    }
}

} // namespace
