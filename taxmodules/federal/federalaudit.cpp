#include "federalaudit.h"

#include "moduleformmanager.h"
#include "moduletext.h"

#include <cstdlib>
#include <set>

namespace qv {
namespace {

// Social security wage base and tax rate for 2002: 84,900 at 6.2 %, so at most 5,263.80 of
// social security tax per employee; Medicare 1.45 % of all Medicare wages.
constexpr std::int64_t kWageBase = 8490000;
constexpr std::int64_t kMaxSocialSecurity = 526380;
// A withholding box more than a dollar away from its rate counts as a mismatch: employers
// round per pay period.
constexpr std::int64_t kTolerance = 100;

std::int64_t rateOf(std::int64_t cents, int basisPoints) {
    return (cents * basisPoints + 5000) / 10000;
}

bool completeSsn(const std::string& ssn) {
    return ssn.size() == 11 || ssn == "DIED";
}

bool sameYear(std::int32_t day, int year) {
    int y = 0, m = 0, d = 0;
    return dateOf(day, y, m, d) && y == year;
}

} // namespace

// What the review scripts test, worked out from the whole return each time the review starts.
// Flags (check fields) mark a problem of the return as a whole; counts (integer fields) tell
// how many copies have the problem, so a script can both test and name it.
//   NOTPNAME, NOTPSSN   the taxpayer's first or last name, or a complete SSN, is missing
//   TPSSNDIED           the taxpayer's SSN reads DIED (no electronic filing)
//   NOSPNAME, NOSPSSN   the same for the spouse, on a joint or separate return
//   NOFS                no filing status chosen
//   NODOB               no birth date for the taxpayer (age-based amounts cannot be checked)
//   DUPSSN              one SSN given twice among taxpayer, spouse and dependents
//   DEPNONAME, DEPNOSSN, DEPNODOB, DEPMONTHS   dependents without a name, SSN, birth date, or
//                       months lived in the home
//   W2NOEMPLOYER, W2NOEIN   W-2s without the employer's name or a complete EIN
//   W2SSMISMATCH        box 4 not 6.2 % of box 3, or box 3 above the 84,900 wage base
//   W2MEDMISMATCH       box 6 not 1.45 % of box 5
//   W2WHOVER            box 2 (federal tax withheld) larger than box 1
//   W2STATENOWAGES      a state withholding without state wages, or state wages without a state
//   W2MISMATCH          any of the W-2 counts above
//   SSWHTOTAL, EXCESSSSAMT, EXCESSSS   social security tax withheld on all W-2s and what lies
//                       above 5,263.80 with two or more employers (line 65 of the 1040). A W-2
//                       names no owner, so a joint return, where the limit is per spouse, is
//                       left out.
//   CGNODATE, CGNOT2002, CGSOLDFIRST   sales without a sale date, sold outside 2002, or sold
//                       before they were bought
//   ESTIMATED, Overridden   fields marked as estimates and overridden calculations in the
//                       module (the program writes Overridden too, with the same count)
//   BALDUE, NOINCOME    a balance due; no income at all
//   ERRORS, WARNINGS    the number of problems that stop filing and of those to review
//   EFQUALIFIES         no errors, no overrides, and the e-file qualification worksheet clear
void prepareAudit(ModuleFormManager& fm, ModuleCopy& audit) {
    ModuleCopy* f = fm.firstCopy("USF1040");
    if (!f)
        return;
    const auto flag = [&](const char* name, bool on) {
        audit.setCalculated(name, on ? 1 : 0);
        return on ? 1 : 0;
    };
    const auto count = [&](const char* name, std::int64_t n) {
        audit.setCalculated(name, n);
        return n;
    };

    const std::int64_t fs = f->value("FS");
    const bool spouse = fs == 1 || fs == 2;
    std::int64_t errors = 0;
    std::int64_t warnings = 0;
    const std::string ssn = f->text("SSN");
    errors += flag("NOTPNAME", f->text("FNAME").empty() || f->text("LNAME").empty());
    errors += flag("NOTPSSN", !completeSsn(ssn));
    warnings += flag("TPSSNDIED", ssn == "DIED");
    errors +=
        flag("NOSPNAME", spouse && (f->text("SPFNAME").empty() || f->text("SPLNAME").empty()));
    errors += flag("NOSPSSN", spouse && !completeSsn(f->text("SPSSN")));
    errors += flag("NOFS", fs < 0);
    warnings += flag("NODOB", f->value("TPDOB") <= 0);

    std::set<std::string> seen;
    bool duplicate = false;
    const auto note = [&](const std::string& s) {
        if (s.size() == 11 && !seen.insert(s).second)
            duplicate = true;
    };
    note(ssn);
    if (spouse)
        note(f->text("SPSSN"));
    std::int64_t noName = 0, noSsn = 0, noDob = 0, noMonths = 0;
    for (ModuleCopy* d : fm.copiesOf("USDDEP")) {
        noName += d->text("FNAME").empty() || d->text("LNAME").empty();
        noSsn += d->text("SSN").size() != 11;
        noDob += d->value("DOB") <= 0;
        noMonths += d->value("MONTHS") == 0;
        note(d->text("SSN"));
    }
    errors += flag("DUPSSN", duplicate);
    errors += count("DEPNONAME", noName);
    errors += count("DEPNOSSN", noSsn);
    warnings += count("DEPNODOB", noDob);
    warnings += count("DEPMONTHS", noMonths);

    std::int64_t noEmployer = 0, noEin = 0, ss = 0, medicare = 0, over = 0, state = 0;
    std::int64_t ssWithheld = 0;
    const auto w2s = fm.copiesOf("USDW2");
    for (ModuleCopy* w : w2s) {
        noEmployer += w->text("EMPLOYER").empty();
        noEin += w->text("EIN").size() != 10;
        const std::int64_t ssWages = w->value("SSWAGES");
        ss +=
            ssWages > kWageBase || std::llabs(w->value("SSWH") - rateOf(ssWages, 620)) > kTolerance;
        medicare += std::llabs(w->value("MEDWH") - rateOf(w->value("MEDWAGES"), 145)) > kTolerance;
        over += w->value("FEDWH") > w->value("WAGES");
        const bool hasState = !w->text("STATE").empty();
        state += (w->value("STWH") > 0 && w->value("STWAGES") == 0) ||
                 (w->value("STWAGES") > 0 && !hasState);
        ssWithheld += w->value("SSWH");
    }
    errors += count("W2NOEMPLOYER", noEmployer);
    errors += count("W2NOEIN", noEin);
    warnings += count("W2SSMISMATCH", ss);
    warnings += count("W2MEDMISMATCH", medicare);
    errors += count("W2WHOVER", over);
    warnings += count("W2STATENOWAGES", state);
    flag("W2MISMATCH", noEmployer + noEin + ss + medicare + over + state > 0);
    count("SSWHTOTAL", ssWithheld);
    const std::int64_t excess = fs != 1 && w2s.size() >= 2 && ssWithheld > kMaxSocialSecurity
                                    ? ssWithheld - kMaxSocialSecurity
                                    : 0;
    count("EXCESSSSAMT", excess);
    warnings += flag("EXCESSSS", excess > 0);

    std::int64_t noDate = 0, notThisYear = 0, soldFirst = 0;
    for (ModuleCopy* c : fm.copiesOf("USDCAPGAIN")) {
        const std::int32_t sold = std::int32_t(c->value("SOLD"));
        const std::int32_t acquired = std::int32_t(c->value("ACQUIRED"));
        noDate += sold <= 0;
        notThisYear += sold > 0 && !sameYear(sold, 2002);
        soldFirst += sold > 0 && acquired > 0 && sold < acquired;
    }
    errors += count("CGNODATE", noDate);
    errors += count("CGNOT2002", notThisYear);
    errors += count("CGSOLDFIRST", soldFirst);

    std::int64_t estimated = 0, overridden = 0;
    for (int form = 1; form <= fm.GetFormCount(); ++form) {
        for (int ordinal = 1; ordinal <= fm.GetCopyCount(form); ++ordinal) {
            CFormCopy* copy = fm.GetFormCopy(form, ordinal);
            for (int n = 1; n <= fm.GetFieldCount(form); ++n) {
                CField* field = copy->GetField(n);
                estimated += field->TestFlag(FF_ESTIMATED) != 0;
                overridden += field->TestFlag(FF_OVERRIDDEN) != 0;
            }
        }
    }
    warnings += count("ESTIMATED", estimated);
    count("Overridden", overridden);
    flag("BALDUE", f->value("RefundOwe") < 0);
    warnings += flag("NOINCOME", f->value("L22") == 0 && w2s.empty());

    count("ERRORS", errors);
    count("WARNINGS", warnings);
    ModuleCopy* qual = fm.firstCopy("USWEFQual");
    flag("EFQUALIFIES",
         errors == 0 && overridden == 0 && ssn != "DIED" && (!qual || qual->isSet("QUALIFIES")));
}

} // namespace qv
