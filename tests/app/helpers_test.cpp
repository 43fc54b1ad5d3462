#include "app/money.h"
#include "app/statenames.h"
#include "app/texthelpers.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct TokenCase {
    std::string text;
    int n;
    char separator;
    std::string expected;
};

TEST(TextHelpers, ReadToken) {
    const TokenCase cases[] = {
        {"a  b", 2, ' ', "b"},
        {"x_\"y_z\"_w", 2, '_', "y_z"},
        {"x_\"y_z\"_w", 3, '_', "w"},
        {"  lead trail  ", 1, ' ', "lead"},
        {"2002 DELUXE FINAL 1.0", 3, ' ', "FINAL"},
        {"a,,c", 2, ',', ""},
        {"a,,c", 3, ',', "c"},
        {"one", 2, ' ', ""},
        {"one", 0, ' ', ""},
        {"", 1, ' ', ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ReadToken(c.text, c.n, c.separator)) << c.text << " #" << c.n;
}

TEST(TextHelpers, ReadArgument) {
    const std::pair<std::pair<const char*, int>, const char*> cases[] = {
        {{"HAVEFORM( USF1040 , 2 )", 1}, "USF1040"},
        {{"HAVEFORM( USF1040 , 2 )", 2}, "2"},
        {{"HAVEFORM( USF1040 , 2 )", 3}, ""},
        {{"F(\"a,b\", c)", 1}, "a,b"},
        {{"F(g(1,2), h)", 1}, "g(1,2)"},
        {{"F(g(1,2), h)", 2}, "h"},
        {{"F(a) , b", 2}, ""},
        {{"no parentheses", 1}, ""},
        {{"F(\"(\", x)", 2}, "x"},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(expected, ReadArgument(input.first, input.second)) << input.first;
}

TEST(TextHelpers, ReplaceAllAndCapitalize) {
    std::string text = "aXbXXc";
    EXPECT_EQ(3, ReplaceAll(text, "X", "YY"));
    EXPECT_EQ("aYYbYYYYc", text);
    std::string grow = "aa";
    EXPECT_EQ(2, ReplaceAll(grow, "a", "aa")); // replacements are not searched again
    EXPECT_EQ("aaaa", grow);
    EXPECT_EQ(0, ReplaceAll(grow, "", "z"));
    EXPECT_EQ("John Q Public", CapitalizeWords("  jOHN q PUBLIC "));
}

TEST(Money, ParseMoney) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {"1,234.567", 123456},
        {"-5", -500},
        {"12.", 1200},
        {"+3.5", 350},
        {"0.09", 9},
        {"", 0},
        {"12a34", 1200},
        {"1.2.3", 120},
        {"-", 0},
        {".5", 50},
        {"1,2,3", 12300},
    };
    for (const auto& [text, cents] : cases)
        EXPECT_EQ(cents, ParseMoney(text)) << text;
    const std::int64_t max = std::numeric_limits<std::int64_t>::max() / 100 * 100;
    EXPECT_EQ(max, ParseMoney("999999999999999999999999"));
    EXPECT_EQ(-max, ParseMoney("-999999999999999999999999"));
}

TEST(Money, FormatMoney) {
    EXPECT_EQ("-1,234.56", FormatMoney(0, -123456));
    EXPECT_EQ("-1,234", FormatMoney(MF_WHOLE_DOLLARS, -123456));
    EXPECT_EQ("-1,234.00", FormatMoney(MF_WHOLE_DOLLARS | MF_APPEND_ZERO_CENTS, -123456));
    EXPECT_EQ("0.05", FormatMoney(0, 5));
    EXPECT_EQ("999.99", FormatMoney(0, 99999));
    EXPECT_EQ("1,000,000.00", FormatMoney(0, 100000000));
    EXPECT_EQ("-92,233,720,368,547,758.08",
              FormatMoney(0, std::numeric_limits<std::int64_t>::min()));
}

TEST(Money, FormatDecimal) {
    EXPECT_EQ("1.500000", FormatDecimal(1.5, 0));
    EXPECT_EQ("1.500000", FormatDecimal(1.5, 9));
    EXPECT_EQ("0.13", FormatDecimal(0.125, 2)); // 0.125 moved outwards rounds up
    EXPECT_EQ("-0.13", FormatDecimal(-0.125, 2));
    EXPECT_EQ("3.", FormatDecimal(3.0, 0).substr(0, 2));
}

TEST(StateNames, BothDirections) {
    EXPECT_EQ("WV", StateCodeFromName("West Virginia"));
    EXPECT_EQ("VA", StateCodeFromName("virginia"));
    EXPECT_EQ("AR", StateCodeFromName("Arkansas"));
    EXPECT_EQ("KS", StateCodeFromName("KANSAS"));
    EXPECT_EQ("DC", StateCodeFromName("District of Columbia"));
    EXPECT_EQ("IL", StateCodeFromName("Illinois Return"));
    EXPECT_EQ("", StateCodeFromName("Federal"));
    EXPECT_EQ("New Hampshire", StateNameFromCode("nh"));
    EXPECT_EQ("", StateNameFromCode("XX"));
}

} // namespace
