#include "nhcalculation.h"

#include "moduleformmanager.h"

#include <quorva/formmanager.h>

#include <algorithm>

namespace qv {
namespace {

constexpr std::int64_t dollars(std::int64_t d) {
    return d * 100;
}

} // namespace

void calculateNewHampshire(ModuleFormManager& fm) {
    ModuleCopy* dp10 = fm.firstCopy("NHDP10");
    ModuleCopy* summary = fm.firstCopy("NHSummary");
    CFormManager* federal = fm.federal();
    if (!dp10 || !summary || !federal)
        return;
    const auto line = [dp10](const char* name, std::int64_t value) {
        dp10->setCalculated(name, value);
        return dp10->value(name);
    };
    // Form DP-10, lines 1-3: interest (the federal taxable interest plus other states'
    // tax-exempt interest) and dividends (the federal ordinary dividends).
    const std::int64_t interest = line("INTEREST", federal->GetFieldValue("FedInterest"));
    const std::int64_t dividends = line("DIVIDENDS", federal->GetFieldValue("FedDividends"));
    const std::int64_t gross = line("GROSS", interest + dp10->value("OTHERINT") + dividends);
    // Lines 4-5: less income that is not taxable in New Hampshire.
    const std::int64_t taxable =
        line("TAXABLE", std::max<std::int64_t>(0, gross - dp10->value("NONTAXABLE")));
    // Lines 6-8: $2,400 ($4,800 for a joint return), plus $1,200 for each person who is 65 or
    // older, blind or disabled (one amount per condition and person).
    const bool joint = federal->GetFieldValue("FS") == 1;
    const std::int64_t boxes =
        federal->GetFieldFlag("TP65") + federal->GetFieldFlag("TPBLIND") +
        (joint ? federal->GetFieldFlag("SP65") + federal->GetFieldFlag("SPBLIND") : 0) +
        std::clamp<std::int64_t>(dp10->value("DISABLED"), 0, joint ? 2 : 1);
    const std::int64_t exemptions =
        line("EXEMPTIONS", (joint ? dollars(4800) : dollars(2400)) + dollars(1200) * boxes);
    // Lines 9-10: net taxable income, tax at 5 % rounded to the cent.
    const std::int64_t net = line("NETINCOME", std::max<std::int64_t>(0, taxable - exemptions));
    const std::int64_t tax = line("TAX", (net * 5 + 50) / 100);
    // New Hampshire withholds nothing on interest and dividends: estimated payments only.
    const std::int64_t payments = line("PAYMENTS", dp10->value("ESTPAY"));

    summary->setCalculated("TAX", tax);
    summary->setCalculated("PAYMENTS", payments);
    summary->setCalculated("RefundOwe", payments - tax);
}

} // namespace qv
