#include "federalcalculation.h"

#include "moduleformmanager.h"
#include "tax2002.h"

#include <algorithm>

namespace qv {
namespace {

using namespace tax2002;

std::string joinNames(const std::string& a, const std::string& b) {
    if (a.empty())
        return b;
    return b.empty() ? a : a + " " + b;
}

// "John & Mary Smith" for a couple of one name, "John Smith & Mary Jones" otherwise.
std::string combinedNames(ModuleCopy& f, bool joint) {
    const std::string first = f.text("FNAME");
    const std::string last = f.text("LNAME");
    const std::string spouseFirst = f.text("SPFNAME");
    const std::string spouseLast = f.text("SPLNAME");
    if (!joint || spouseFirst.empty())
        return joinNames(first, last);
    if (spouseLast.empty() || spouseLast == last)
        return joinNames(first + " & " + spouseFirst, last);
    return joinNames(first, last) + " & " + joinNames(spouseFirst, spouseLast);
}

} // namespace

void calculateFederal(ModuleFormManager& fm) {
    ModuleCopy* f = fm.firstCopy("USF1040");
    if (!f)
        return;
    // A calculated line the user has overridden keeps the user's amount, and the lines below
    // it build on that amount: every step reads back what the line holds.
    const auto line = [f](const char* name, std::int64_t value) {
        f->setCalculated(name, value);
        return f->value(name);
    };

    const std::int64_t fs = f->value("FS");
    const FilingStatus status = fs >= Single && fs <= Widow ? FilingStatus(fs) : Single;
    const bool joint = status == Joint;
    const bool dependent = f->isSet("TPDEPENDENT");

    // Form 1040, lines 6a-6d: yourself (unless someone can claim you), your spouse on a joint
    // return, and one exemption per dependent.
    const auto dependents = fm.copiesOf("USDDEP");
    const std::int64_t line6c = line("L6c", std::int64_t(dependents.size()));
    const std::int64_t line6d = line("L6d", (dependent ? 0 : 1) + (joint ? 1 : 0) + line6c);

    // Form 1040, line 7 (wages) and line 62 (federal income tax withheld): box 1 and box 2 of
    // every Form W-2.
    std::int64_t wages = 0;
    std::int64_t withheld = 0;
    const auto w2s = fm.copiesOf("USDW2");
    for (ModuleCopy* w2 : w2s) {
        wages += w2->value("WAGES");
        withheld += w2->value("FEDWH");
    }
    const std::int64_t line7 = line("L7", wages);

    // Form 1040, line 22: total income, the income lines this return carries.
    const std::int64_t line22 =
        line("L22", line7 + f->value("L8a") + f->value("L9") + f->value("L21"));
    // Form 1040, line 35: adjusted gross income (no adjustments on lines 23-33a here).
    const std::int64_t line35 = line("L35", line22);
    // Form 1040, line 36: amount from line 35.
    const std::int64_t line36 = line("L36", line35);
    // Form 1040, line 37a: boxes for 65 or older and blind; the spouse's on a joint return.
    const std::int64_t boxes =
        line("L37a", int(f->isSet("TP65")) + int(f->isSet("TPBLIND")) +
                         (joint ? int(f->isSet("SP65")) + int(f->isSet("SPBLIND")) : 0));
    // Form 1040, line 38: standard deduction; earned income for a dependent is the wages.
    const std::int64_t line38 =
        line("L38", standardDeduction(status, int(boxes), dependent, line7));
    // Form 1040, line 39: line 36 minus line 38.
    const std::int64_t line39 = line("L39", std::max<std::int64_t>(0, line36 - line38));
    // Form 1040, line 40: exemptions, with the phase-out above the status's threshold.
    const std::int64_t line40 = line("L40", exemptions(status, int(line6d), line36));
    // Form 1040, line 41: taxable income.
    const std::int64_t line41 = line("L41", std::max<std::int64_t>(0, line39 - line40));
    // Form 1040, line 42: tax.
    const std::int64_t line42 = line("L42", tax(status, line41));
    // Form 1040, line 61: total tax (no credits or other taxes on this return).
    const std::int64_t line61 = line("L61", line42);
    const std::int64_t line62 = line("L62", withheld);
    // Form 1040, line 69: total payments (withholding and estimated payments, line 63).
    const std::int64_t line69 = line("L69", line62 + f->value("L63"));
    // Form 1040, lines 70 and 71a: overpaid, all of it refunded; line 73: amount you owe.
    const std::int64_t line70 = line("L70", std::max<std::int64_t>(0, line69 - line61));
    const std::int64_t line71a = line("L71a", line70);
    const std::int64_t line73 = line("L73", std::max<std::int64_t>(0, line61 - line69));
    line("RefundOwe", line71a > 0 ? line71a : -line73);

    line("HaveWages", w2s.empty() ? 0 : 1);
    f->setCalculatedText("CombNames", combinedNames(*f, joint));
}

} // namespace qv
