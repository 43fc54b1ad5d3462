#include "nhforms.h"

#include "nhcalculation.h"
#include "statesummary.h"

namespace qv {
namespace {

FormDef formDP10() {
    FormDef f;
    f.name = "NHDP10";
    f.title = "Form DP-10";
    f.longTitle = "Form DP-10 - New Hampshire Interest and Dividends Tax Return";
    f.category = CAT_FORMS;
    f.createByDefault = true;
    f.required = true;
    f.fields = {
        calculated("INTEREST"),
        input("OTHERINT"), // tax-exempt interest from other states' obligations
        calculated("DIVIDENDS"),  calculated("GROSS"),           input("NONTAXABLE"),
        calculated("TAXABLE"),    input("DISABLED", FT_INTEGER), // taxpayer and spouse, 0-2
        calculated("EXEMPTIONS"), calculated("NETINCOME"),       calculated("TAX"),
        input("ESTPAY"),          calculated("PAYMENTS"),
    };
    return f;
}

ModuleDef makeNewHampshire() {
    ModuleDef m;
    m.name = "NH";
    m.title = "New Hampshire";
    m.version = "2002.1 1";
    m.federal = false;
    m.forms = {formDP10(), stateSummaryForm("NH", "New Hampshire")};
    m.globals = stateSummaryGlobals("NH");
    m.calculate = calculateNewHampshire;
    return m;
}

} // namespace

const ModuleDef& newHampshireModule() {
    static const ModuleDef def = makeNewHampshire();
    return def;
}

} // namespace qv
