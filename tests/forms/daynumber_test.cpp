#include "forms/daynumber.h"

#include <quorva/field.h>

#include <gtest/gtest.h>

namespace {

struct KnownDay {
    int month, day, year;
    std::int32_t number;
};

// Numbers from an independent proleptic-Gregorian day count.
TEST(DayNumber, KnownDatesAndRoundTrip) {
    const KnownDay known[] = {{1, 2, 1, 1},         {2, 29, 2000, 730178}, {3, 1, 1900, 693654},
                              {1, 1, 2002, 730850}, {7, 4, 1776, 648490},  {12, 31, 9999, 3652058}};
    for (const KnownDay& k : known) {
        EXPECT_EQ(k.number, qv::DayNumber(k.month, k.day, k.year)) << k.month << "/" << k.day;
        int m = 0, d = 0, y = 0;
        ASSERT_TRUE(qv::SplitDayNumber(k.number, m, d, y));
        EXPECT_EQ(k.month * 100000 + k.day * 10000 + k.year, m * 100000 + d * 10000 + y);
    }
    // Every day across two century turns comes back as itself.
    for (std::int32_t n = qv::DayNumber(1, 1, 1899); n <= qv::DayNumber(1, 1, 2101); ++n) {
        int m = 0, d = 0, y = 0;
        ASSERT_TRUE(qv::SplitDayNumber(n, m, d, y)) << n;
        ASSERT_EQ(n, qv::DayNumber(m, d, y)) << m << "/" << d << "/" << y;
    }
    int m = 0, d = 0, y = 0;
    EXPECT_FALSE(qv::SplitDayNumber(0, m, d, y));
    EXPECT_FALSE(qv::SplitDayNumber(3652059, m, d, y));
}

TEST(DayNumber, Validity) {
    EXPECT_TRUE(qv::IsValidDate(2, 29, 2000));
    EXPECT_TRUE(qv::IsValidDate(2, 29, 2004));
    EXPECT_FALSE(qv::IsValidDate(2, 29, 1900));
    EXPECT_FALSE(qv::IsValidDate(2, 29, 2002));
    EXPECT_FALSE(qv::IsValidDate(4, 31, 2002));
    EXPECT_FALSE(qv::IsValidDate(13, 1, 2002));
    EXPECT_FALSE(qv::IsValidDate(0, 1, 2002));
    EXPECT_FALSE(qv::IsValidDate(1, 0, 2002));
    EXPECT_FALSE(qv::IsValidDate(1, 1, 10000));
    EXPECT_EQ(0, qv::DayNumber(2, 30, 2002));
}

TEST(DateText, Parsing) {
    const std::int32_t today = qv::TodayDayNumber();
    ASSERT_GT(today, qv::DayNumber(1, 1, 2002));
    struct Case {
        const char* text;
        std::int32_t expected; // 0: no value
    } cases[] = {
        {"12/31/2002", qv::DayNumber(12, 31, 2002)},
        {"1/15", qv::DayNumber(1, 15, 2002)}, // no year: the tax year
        {"02/28/03", qv::DayNumber(2, 28, 2003)},
        {"12-25-0", qv::DayNumber(12, 25, 2000)},
        {"06/30/99", qv::DayNumber(6, 30, 1999)},
        {"6.30.4", qv::DayNumber(6, 30, 1904)},
        {"6 30 100", qv::DayNumber(6, 30, 100)},
        {"7/4/1776", qv::DayNumber(7, 4, 1776)},
        {"Current", today},
        {"cur", today},
        {"TODAY", today},
        {"var", DATE_VARIOUS},
        {"Various", DATE_VARIOUS},
        {"INHERITED", DATE_INHERITED},
        {"bank", DATE_BANKRUPT},
        {"Bankrupt", DATE_BANKRUPT},
        {"2/30/2002", 0},
        {"13/01/2002", 0},
        {"2/29/2002", 0},
        {"12", 0},
        {"Tomorrow", 0},
        {"ban", 0},
        {"99999999999/1/2002", 0},
        {"", 0},
    };
    for (const Case& c : cases) {
        const std::optional<std::int32_t> got = qv::ParseDate(c.text);
        if (c.expected == 0)
            EXPECT_FALSE(got.has_value()) << c.text;
        else
            EXPECT_EQ(c.expected, got.value_or(0)) << c.text;
    }
}

TEST(DateText, Formatting) {
    const std::int32_t july4 = qv::DayNumber(7, 4, 2002);
    EXPECT_EQ("07/04/2002", qv::FormatDate(july4));
    EXPECT_EQ("July 4, 2002", qv::FormatDate(july4, true));
    EXPECT_EQ("01/02/0001", qv::FormatDate(1));
    EXPECT_EQ("December 31, 9999", qv::FormatDate(3652058, true));
    EXPECT_EQ("Various", qv::FormatDate(DATE_VARIOUS));
    EXPECT_EQ("Bankrupt", qv::FormatDate(DATE_BANKRUPT, true));
    EXPECT_EQ("Inherit", qv::FormatDate(DATE_INHERITED));
    EXPECT_EQ("Inherited", qv::FormatDate(DATE_INHERITED, true));
    for (std::int32_t none : {0, -1, -4, -6, 3652059})
        EXPECT_EQ("", qv::FormatDate(none)) << none;
    // What is shown reads back as the same day.
    EXPECT_EQ(july4, qv::ParseDate(qv::FormatDate(july4)).value_or(0));
    EXPECT_EQ(DATE_INHERITED, qv::ParseDate(qv::FormatDate(DATE_INHERITED)).value_or(0));
}

} // namespace
