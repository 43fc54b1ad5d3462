#include "ilcalculation.h"

#include "moduleformmanager.h"
#include "moduletext.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>

#include <algorithm>

namespace qv {
namespace {

constexpr std::int64_t dollars(std::int64_t d) {
    return d * 100;
}

// Illinois income tax withheld: box 17 of every federal W-2 whose state is Illinois.
std::int64_t illinoisWithholding(CFormManager* federal) {
    const int form = federal->FindForm("USDW2");
    const int stateField = federal->FindField(form, "STATE", 0);
    const int withheldField = federal->FindField(form, "STWH", 0);
    std::int64_t total = 0;
    for (int ordinal = 1; ordinal <= federal->GetCopyCount(form); ++ordinal) {
        CFormCopy* w2 = federal->GetFormCopy(form, ordinal);
        CField* state = w2 ? w2->GetField(stateField) : nullptr;
        CField* withheld = w2 ? w2->GetField(withheldField) : nullptr;
        char code[QV_NAME_SIZE] = "";
        if (state && withheld && state->GetText(code, sizeof code) > 0 && sameName(code, "IL"))
            total += withheld->GetMoney();
    }
    return total;
}

} // namespace

void calculateIllinois(ModuleFormManager& fm) {
    ModuleCopy* il = fm.firstCopy("IL1040");
    ModuleCopy* summary = fm.firstCopy("ILSummary");
    CFormManager* federal = fm.federal();
    if (!il || !summary || !federal)
        return;
    const auto line = [il](const char* name, std::int64_t value) {
        il->setCalculated(name, value);
        return il->value(name);
    };
    // Form IL-1040, line 1: federal adjusted gross income (Form 1040, line 35).
    const std::int64_t agi = line("FEDAGI", federal->GetFieldValue("FedAGI"));
    // Lines 4, 8 and 9: Illinois base income = total income less total subtractions.
    const std::int64_t base =
        line("BASEINCOME",
             std::max<std::int64_t>(0, agi + il->value("ADDITIONS") - il->value("SUBTRACTIONS")));
    // Line 10: $2,000 per exemption of the federal return, $1,000 more for each box of 65 or
    // older and of legal blindness (the spouse's on a joint return).
    const bool joint = federal->GetFieldValue("FS") == 1;
    const std::int64_t exemptions = line("EXEMPTCOUNT", federal->GetFieldValue("FedExemptions"));
    const std::int64_t ageBlind =
        line("AGEBLINDCOUNT",
             federal->GetFieldFlag("TP65") + federal->GetFieldFlag("TPBLIND") +
                 (joint ? federal->GetFieldFlag("SP65") + federal->GetFieldFlag("SPBLIND") : 0));
    const std::int64_t allowance =
        line("EXEMPTALLOW", dollars(2000) * exemptions + dollars(1000) * ageBlind);
    // Line 11: net income; line 12: tax at 3 %, rounded to the cent.
    const std::int64_t net = line("NETINCOME", std::max<std::int64_t>(0, base - allowance));
    const std::int64_t tax = line("TAX", (net * 3 + 50) / 100);
    const std::int64_t withheld = line("WITHHOLDING", illinoisWithholding(federal));
    const std::int64_t payments = line("PAYMENTS", withheld + il->value("ESTPAY"));

    summary->setCalculated("TAX", tax);
    summary->setCalculated("PAYMENTS", payments);
    summary->setCalculated("RefundOwe", payments - tax);
}

} // namespace qv
