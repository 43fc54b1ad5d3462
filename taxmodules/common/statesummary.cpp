#include "statesummary.h"

namespace qv {

FormDef stateSummaryForm(const std::string& code, const std::string& stateName) {
    FormDef f;
    f.name = code + "Summary";
    f.title = stateName + " Summary";
    f.longTitle = stateName + " Return Summary";
    f.category = CAT_WORKSHEETS;
    f.createByDefault = true;
    f.required = true;
    f.fields = {makeField("TAX", FT_MONEY, FF_CALCULATED),
                makeField("PAYMENTS", FT_MONEY, FF_CALCULATED),
                makeField("RefundOwe", FT_MONEY, FF_CALCULATED),
                makeField("StopPrint", FT_CHECK, FF_CALCULATED),
                makeField("NoFormText", FT_TEXT, FF_CALCULATED)};
    return f;
}

std::vector<GlobalField> stateSummaryGlobals(const std::string& code) {
    const std::string form = code + "Summary";
    return {{"RefundOwe", form, "RefundOwe"},
            {"StopPrint", form, "StopPrint"},
            {"NoFormText", form, "NoFormText"}};
}

} // namespace qv
