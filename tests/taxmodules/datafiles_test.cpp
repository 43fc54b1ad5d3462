// The module data files the build packs into the program directory list exactly the form
// kinds their form managers have.
#include "moduletest.h"

#include "storage/datafile.h"

#include <sstream>

namespace {

using DataFilesTest = TaxModuleTest;

TEST_F(DataFilesTest, FormListsMatchTheFormManagers) {
    struct Case {
        const char* dat;
        const char* calc;
    };
    for (const Case& c : {Case{"FEDERAL.DAT", "FEDCALC.so"}, Case{"IL.DAT", "ILCALC.so"},
                          Case{"NH.DAT", "NHCALC.so"}}) {
        SCOPED_TRACE(c.dat);
        CDataFile file;
        ASSERT_EQ(file.Open(qvtest::env().progDir + c.dat), 1);
        std::string list(file.GetLength("formlist"), '\0');
        ASSERT_FALSE(list.empty());
        ASSERT_EQ(file.Get("FormList", list.data()), 1);
        file.Close();

        CFormManager* fm = formManager(c.calc);
        std::ostringstream expected;
        for (int form = 1; form <= fm->GetFormCount(); ++form)
            expected << text([&](char* b, int n) { fm->GetFormName(b, n, form); }) << '\t'
                     << text([&](char* b, int n) { fm->GetFormTitle(b, n, form); }) << '\n';
        EXPECT_EQ(list, expected.str());
    }
}

} // namespace
