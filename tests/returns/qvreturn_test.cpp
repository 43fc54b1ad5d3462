#include "testenv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

using qvtest::ToolRun;

ToolRun qvreturn(const std::vector<std::string>& args) {
    return qvtest::runTool("qvreturn", args);
}

// Runs a command that must succeed and answers its output.
std::string ok(const std::vector<std::string>& args) {
    const ToolRun r = qvreturn(args);
    EXPECT_EQ(0, r.status) << args[0] << ": " << r.err;
    return r.out;
}

TEST(Qvreturn, BuildsAndReadsBackAReturnOnTheReferenceModule) {
    const std::string file = qvtest::env().root + "Doe.ta2";
    ok({"new", file});
    ok({"set", file, "USF1040.FNAME", "John"});
    ok({"set", file, "USF1040.LNAME", "Doe"});
    ok({"set", file, "USF1040.FS", "0"});
    EXPECT_EQ("1\n", ok({"add", file, "USDW2"}));
    EXPECT_EQ("2\n", ok({"add", file, "USDW2"}));
    ok({"set", file, "USDW2.WAGES", "50,000"});
    ok({"set", file, "USDW2.FEDWH,2", "1,234.56"});
    ok({"set", file, "USDW2.EMPLOYER,2", "Acme Tools"});
    EXPECT_EQ("1\n", ok({"add", file, "USDDEP"}));
    ok({"set", file, "USDDEP.DOB", "03/15/2000"});
    ok({"set", file, "USDDEP.MONTHS,1", "12"});

    // Typed texts are read as the program reads them.
    ok({"set", file, "USF1040.SSN", "died"});
    EXPECT_EQ("DIED\n", ok({"get", file, "USF1040.SSN"}));
    ok({"set", file, "USDDEP.DOB,1", "inherited"});
    EXPECT_EQ("Inherit\n", ok({"get", file, "USDDEP.DOB"}));
    ok({"set", file, "USDDEP.DOB", "03/15/2000"});

    EXPECT_EQ("50,000.00\n", ok({"get", file, "USDW2.WAGES,1"}));
    EXPECT_EQ("1,234.56\n", ok({"get", file, "USDW2.FEDWH,2"}));
    EXPECT_EQ("Acme Tools\n", ok({"get", file, "USDW2.EMPLOYER,2"}));
    EXPECT_EQ("03/15/2000\n", ok({"get", file, "USDDEP.DOB"}));
    EXPECT_EQ("Single\n", ok({"get", file, "USF1040.FS"}));
    EXPECT_EQ("John Doe\n", ok({"get", file, "CombNames"}));
    // Single, wages 50,000, one dependent: taxable 50,000 - 4,700 - 2 x 3,000 = 39,300, tax
    // 6,964 from the 2002 table, less 1,234.56 withheld: 5,729.44 owed.
    const std::string owe = ok({"get", file, "RefundOwe"});
    EXPECT_EQ("-5,729.44\n", owe);
    EXPECT_EQ(owe, ok({"get", file, "USF1040.RefundOwe"}));

    // A long-term sale: 6,000 gain. Taxable 45,300 = 39,300 ordinary + 6,000 at 20 % (the
    // 15 % bracket ends at 27,950): 6,964 + 1,200 = 8,164, less than the 8,584 of the table
    // on 45,300; less 1,234.56 withheld: 6,929.44 owed.
    EXPECT_EQ("1\n", ok({"add", file, "USDCAPGAIN"}));
    ok({"set", file, "USDCAPGAIN.PROPERTY", "100 sh Acme"});
    ok({"set", file, "USDCAPGAIN.ACQUIRED", "01/05/1999"});
    ok({"set", file, "USDCAPGAIN.SOLD", "06/01/2002"});
    ok({"set", file, "USDCAPGAIN.SALES", "10,000"});
    ok({"set", file, "USDCAPGAIN.BASIS", "4,000"});
    EXPECT_EQ("01/05/1999\n", ok({"get", file, "USDCAPGAIN.ACQUIRED"}));
    EXPECT_EQ("6,000.00\n", ok({"get", file, "USF1040.L13"}));
    EXPECT_EQ("-6,929.44\n", ok({"get", file, "RefundOwe"}));

    const std::string shown = ok({"show", file, "USDW2"});
    EXPECT_NE(std::string::npos, shown.find("USDW2,2 (copy 2): Acme Tools\n")) << shown;
    EXPECT_NE(std::string::npos, shown.find("  FEDWH = 1,234.56\n")) << shown;
    EXPECT_EQ(std::string::npos, shown.find("USF1040")) << shown;
}

TEST(Qvreturn, RefusesWhatIsNotThereWithItsReason) {
    const std::string file = qvtest::env().root + "R.ta2";
    ok({"new", file});
    const struct {
        std::vector<std::string> args;
        const char* reason;
    } cases[] = {
        {{"get", qvtest::env().root + "none.ta2", "RefundOwe"}, "no such file"},
        {{"add", file, "USNOSUCH"}, "no form USNOSUCH"},
        {{"get", file, "USF1040.NOSUCH"}, "no field NOSUCH on USF1040"},
        {{"get", file, "USDW2.WAGES"}, "no copy 1 of USDW2"},
        {{"get", file, "NoSuchGlobal"}, "no field NoSuchGlobal"},
        {{"set", file, "USF1040.L21", "100000000"},
         "Please enter a dollar amount between $-99,999,999.99 and $99,999,999.99"},
        {{"set", file, "USF1040.SSN", "123-45-678"}, "Please enter a SSN as ###-##-####"},
        {{"set", file, "USF1040.SSN", "123456789"}, "Please enter a SSN as ###-##-####"},
        {{"set", file, "USF1040.FS", "9"}, "a choice takes an index from 0 to 4"},
        {{"set", file, "USF1040.TP65", "yes"}, "a check box takes 1 or 0"},
        {{"set", file, "USF1040.RefundOwe", "5"}, "the field is calculated"},
        {{"get", file, "USF1040.FNAME,x"}, "bad copy ordinal"},
    };
    for (const auto& c : cases) {
        const ToolRun r = qvreturn(c.args);
        EXPECT_EQ(1, r.status) << c.reason;
        EXPECT_NE(std::string::npos, r.err.find(c.reason)) << r.err;
    }
    EXPECT_EQ(2, qvreturn({"set", file}).status); // usage
}

} // namespace
