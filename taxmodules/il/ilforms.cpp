#include "ilforms.h"

#include "ilcalculation.h"
#include "statesummary.h"

namespace qv {
namespace {

FormDef formIL1040() {
    FormDef f;
    f.name = "IL1040";
    f.title = "Form IL-1040";
    f.longTitle = "Form IL-1040 - Illinois Individual Income Tax Return";
    f.category = CAT_FORMS;
    f.createByDefault = true;
    f.required = true;
    f.fields = {
        calculated("FEDAGI"),
        input("ADDITIONS"),
        input("SUBTRACTIONS"),
        calculated("BASEINCOME"),
        calculated("EXEMPTCOUNT", FT_INTEGER),
        calculated("AGEBLINDCOUNT", FT_INTEGER),
        calculated("EXEMPTALLOW"),
        calculated("NETINCOME"),
        calculated("TAX"),
        calculated("WITHHOLDING"),
        input("ESTPAY"),
        calculated("PAYMENTS"),
    };
    return f;
}

ModuleDef makeIllinois() {
    ModuleDef m;
    m.name = "IL";
    m.title = "Illinois";
    m.version = "2002.1 1";
    m.federal = false;
    m.forms = {formIL1040(), stateSummaryForm("IL", "Illinois")};
    m.globals = stateSummaryGlobals("IL");
    m.calculate = calculateIllinois;
    return m;
}

} // namespace

const ModuleDef& illinoisModule() {
    static const ModuleDef def = makeIllinois();
    return def;
}

} // namespace qv
