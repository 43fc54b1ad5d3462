// Page directives resolved against a return of the reference modules.
#include "htmltestutil.h"
#include "pagereturn.h"
#include "testenv.h"

#include "app/config.h"
#include "html/htmlwindow.h"
#include "html/pagepreprocessor.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* page;
    const char* expected;
};

class Preprocessor : public PageReturnTest {
protected:
    void SetUp() override {
        PageReturnTest::SetUp();
        enter(field("USF1040", 1, "FNAME"), "Ann");
        enter(field("USF1040", 1, "LNAME"), "A<B>&C");
        enterMoney(field("USF1040", 1, "L21"), -123456);
        CField* whole = field("USF1040", 1, "L8b");
        enterMoney(whole, 100000);
        whole->SetFlag(FF_WHOLEDOLLARS, 1);
        w2a = addCopy("USDW2");
        w2b = addCopy("USDW2");
        ASSERT_NE(nullptr, w2b);
        enterMoney(field(w2a, "WAGES"), 500000);
        enterMoney(field(w2b, "WAGES"), 700000);
        w2b->SetCopyFlag(CF_HASENTRIES | CF_USERMODIFIED, 0);
        pp.setModules(set.get());
    }
    void run(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            pp.resetConditions();
            std::string out;
            pp.Preprocess(out, c.page);
            EXPECT_EQ(c.expected, out) << "page: " << c.page;
        }
    }
    PagePreprocessor pp;
    CFormCopy* w2a = nullptr;
    CFormCopy* w2b = nullptr;
};

TEST_F(Preprocessor, ResolvesEveryDirectiveAgainstTheReturn) {
    pf::Profile::app().writeString("Settings", "Company", "Grove & Sons");
    const std::string version =
        std::to_string(qv::config::kVersionMajor) + "." + std::to_string(qv::config::kVersionMinor);
    const std::string half = "a\xBD"
                             "b\xBC\xBE";
    run({
        // Conditions on fields, with ELSE and nesting.
        {"<!IF FIELD=USF1040.FNAME>yes<!ELSE>no<!ENDIF>", "yes"},
        {"<!IF FIELD=USF1040.MNAME>yes<!ELSE>no<!ENDIF>", "no"},
        {"<!IF FIELD=USF1040.FNAME>a<!IF FIELD=USF1040.MNAME>b<!ELSE>c<!ENDIF>d<!ENDIF>e", "acde"},
        {"<!IF FIELD=USF1040.MNAME>a<!IF FIELD=USF1040.FNAME>b<!ELSE>c<!ENDIF>d<!ELSE>f<!ENDIF>",
         "f"},
        {"<!IF FIELD=USF1040.NOSUCH>a<!ELSE>b<!ENDIF>", "b"},
        {"<!IF>a<!ELSE>b<!ENDIF>", "b"},
        {"<!ENDIF>a<!ELSE>b", "ab"},
        {"<!IF FIELD=\"USF1040.FNAME\">q<!ENDIF>", "q"},
        // STATUS on fields and forms; a form reference that finds no copy falls back to any
        // copy of the form.
        {"<!IF STATUS=USERMODIFIED FIELD=USF1040.FNAME>u<!ENDIF>", "u"},
        {"<!IF STATUS=IMPORTED FIELD=USF1040.FNAME>i<!ENDIF>", ""},
        {"<!IF STATUS=HASVALUE FIELD=USF1040.MNAME>v<!ENDIF>", ""},
        {"<!IF STATUS=ENTRIES FORM=USDW2,2>e<!ELSE>n<!ENDIF>", "n"},
        {"<!IF STATUS=ENTRIES FORM=USDW2,3>e<!ELSE>n<!ENDIF>", "e"},
        {"<!IF STATUS=IMPORTED FORM=USDW2,3>e<!ELSE>n<!ENDIF>", "n"},
        {"<!IF STATUS=IMPORTED>s<!ENDIF>", ""},
        {"<!IF MODULE=il>il<!ELSE>none<!ENDIF><!IFHAVESTATES>states<!ENDIF>", "none"},
        // Field values: amounts with and without cents, escaped text, the copy part.
        {"<!FORMFIELD FIELD=USF1040.L21>", "$-1,234.56"},
        {"<!FORMFIELD FIELD=USF1040.L8b>", "$1,000"},
        {"<!FORMFIELD FIELD=USF1040.LNAME>", "A&lt;B&gt;&amp;C"},
        {"<!FORMFIELD FIELD=USF1040.LNAME ISHTML>", "A<B>&C"},
        {"<!formfield field = usf1040.fname>", "Ann"},
        {"<!FORMFIELD FIELD =USF1040.FNAME>|<!FORMFIELD FIELD= USF1040.FNAME>", "|"},
        {"<!FORMFIELD FIELD=USDW2.WAGES,2>/<!FORMFIELD FIELD=USDW2.WAGES>", "$7,000.00/$5,000.00"},
        {"<!IF FIELD=USF1040.MNAME><!FORMFIELD FIELD=USF1040.FNAME><!ENDIF>", ""},
        {"<!FORMFIELD FIELD=ILF1040.NAME>x", "x"},
        // Fixed and settings texts.
        {"<!YEAR> <!LASTYEAR> <!NEXTYEAR> <!NEXT2YEAR>", "2002 2001 2003 2004"},
        {"<!STATE>", "your state"},
        {"<!PRODUCT> by <!COMPANY>", "Quorva by Grove &amp; Sons"},
        {"<!VERSION>", version.c_str()},
        // Everything else passes, three bytes become entities, an open directive ends the page.
        {"<p class=x>t</p><!-- c --><!DOCTYPE html>", "<p class=x>t</p><!-- c --><!DOCTYPE html>"},
        {half.c_str(), "a&frac12;b&frac14;&frac34;"},
        {"a<!YEAR", "a2002"},
    });
}

TEST_F(Preprocessor, CurrentCopyAndActiveStates) {
    pp.setCurrentCopy(w2b);
    modules.FindByName("IL")->SetActive(true);
    run({
        {"<!FORMFIELD FIELD=USDW2.WAGES>", "$7,000.00"},
        {"<!FORMFIELD FIELD=USDW2.WAGES,1>", "$5,000.00"},
        {"<!IF MODULE=il>il<!ENDIF><!IFHAVESTATES> states<!ENDIF>", "il states"},
    });
}

TEST_F(Preprocessor, PageWindowRunsItOnEveryLoadAndResetsOpenConditions) {
    HtmlWindow page;
    page.resize(400, 300);
    page.setReturnContext(set.get(), 1, nullptr);
    ASSERT_TRUE(page.LoadText("<p>Hello <!FORMFIELD FIELD=USF1040.FNAME><!IF FIELD=USF1040.MNAME>"
                              "never"));
    EXPECT_EQ("P\nS:Hello Ann\n", qvtest::dump(page.document().body()));
    // The open IF of the last page does not hide this one.
    ASSERT_TRUE(page.LoadText("<p>Shown in <!YEAR>"));
    EXPECT_EQ("P\nS:Shown in 2002\n", qvtest::dump(page.document().body()));
}

} // namespace
