#include "federalkindcalculation.h"

#include "federalstates.h"
#include "moduleformmanager.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace qv {
namespace {

constexpr std::int64_t dollars(std::int64_t d) {
    return d * 100;
}

// Copies one line of the 1040 into a form that shows it.
void mirror(ModuleCopy* to, const char* name, ModuleCopy& f1040, const char* line) {
    to->setCalculated(name, f1040.value(line));
}

// Can the return be filed on Form 1040A? Taxable income under $100,000, no itemizing, and
// income only from wages, interest, dividends and capital gain distributions; the only
// adjustments the IRA and student loan interest deductions (2002 Form 1040A instructions,
// "Do you have to file?" / "Which form should you use?").
bool qualifies1040A(ModuleFormManager& fm, ModuleCopy& f) {
    ModuleCopy* d = fm.firstCopy("USSchD");
    const bool sales =
        !fm.copiesOf("USDCAPGAIN").empty() || (d && (d->value("L6") != 0 || d->value("L14") != 0));
    return f.value("L41") < dollars(100000) && !f.isSet("Itemizing") && f.value("L12") == 0 &&
           fm.copiesOf("USSchC").empty() && !sales && f.value("L21") == 0 && f.value("L29") == 0 &&
           f.value("L56") == 0;
}

// Form 1040EZ: single or joint, no dependents, both under 65 and not blind, taxable income
// under $100,000, only wages and up to $1,500 of taxable interest, no adjustments, no credit
// but the earned income credit and no estimated payments (2002 Form 1040EZ instructions).
bool qualifies1040EZ(ModuleFormManager& fm, ModuleCopy& f) {
    const std::int64_t fs = f.value("FS");
    return qualifies1040A(fm, f) && (fs == 0 || fs == 1) && f.value("L6c") == 0 &&
           f.value("L37a") == 0 && f.value("L8a") <= dollars(1500) && f.value("L8b") == 0 &&
           f.value("L9") == 0 && f.value("L13") == 0 && f.value("L34") == 0 &&
           f.value("L54") == 0 && f.value("L63") == 0 && f.value("L66") == 0;
}

void form1040A(ModuleFormManager& fm, ModuleCopy& f, bool qualifies) {
    ModuleCopy* a = fm.firstCopy("USF1040A");
    if (!a)
        return;
    a->setCalculated("Qualifies", qualifies);
    // The 1040A's lines in the 1040's words: line 10 capital gain distributions is the 1040's
    // line 13 on a return without sales; lines 29-34 the same credits as the 1040's 46-51.
    static const std::pair<const char*, const char*> lines[] = {
        {"L6d", "L6d"}, {"L7", "L7"},   {"L8a", "L8a"},   {"L8b", "L8b"},   {"L9", "L9"},
        {"L10", "L13"}, {"L15", "L22"}, {"L17", "L24"},   {"L18", "L25"},   {"L20", "L34"},
        {"L21", "L35"}, {"L22", "L36"}, {"L23a", "L37a"}, {"L24", "L38"},   {"L25", "L39"},
        {"L26", "L40"}, {"L27", "L41"}, {"L28", "L42"},   {"L33", "L50"},   {"L35", "L54"},
        {"L36", "L55"}, {"L38", "L61"}, {"L39", "L62"},   {"L40", "L63"},   {"L41", "L64"},
        {"L42", "L66"}, {"L43", "L69"}, {"L44", "L70"},   {"L45a", "L71a"}, {"L47", "L73"}};
    for (const auto& [line, from] : lines)
        mirror(a, line, f, from);
}

void form1040EZ(ModuleFormManager& fm, ModuleCopy& f, bool qualifies) {
    ModuleCopy* ez = fm.firstCopy("USF1040EZ");
    if (!ez)
        return;
    ez->setCalculated("Qualifies", qualifies);
    mirror(ez, "L1", f, "L7");
    mirror(ez, "L2", f, "L8a");
    ez->setCalculated("L3", 0); // unemployment compensation: not part of this return
    mirror(ez, "L4", f, "L35");
    // Line 5: the standard deduction and exemptions ($7,700 single, $13,850 joint) or, for
    // someone another can claim, the worksheet amount: the 1040's lines 38 and 40 together.
    ez->setCalculated("L5", f.value("L38") + f.value("L40"));
    mirror(ez, "L6", f, "L41");
    mirror(ez, "L7", f, "L62");
    mirror(ez, "L8", f, "L64");
    // Line 9: payments, lines 7 and 8; line 10 tax; line 11a refund, line 12 amount owed.
    const std::int64_t payments = ez->value("L7") + ez->value("L8");
    ez->setCalculated("L9", payments);
    mirror(ez, "L10", f, "L42");
    const std::int64_t tax = ez->value("L10");
    ez->setCalculated("L11a", std::max<std::int64_t>(0, payments - tax));
    ez->setCalculated("L12", std::max<std::int64_t>(0, tax - payments));
}

// Form 1040X: column C is this return, column B the change from column A (entered). Lines
// 17-23 follow the 2002 Form 1040X: total payments (column C of lines 11-15 and line 16),
// less the original overpayment, against the corrected tax on line 10.
void form1040X(ModuleFormManager& fm, ModuleCopy& f) {
    static const char* const from[] = {"L35", "L38", "L39", "L40", "L41", "L42", "L54",  "L55",
                                       "L56", "L61", "L62", "L63", "L64", "L66", nullptr};
    for (ModuleCopy* x : fm.copiesOf("USF1040X")) {
        std::int64_t payments = x->value("L16");
        for (int line = 1; line <= 15; ++line) {
            const std::string n = "L" + std::to_string(line);
            const char* source = from[line - 1];
            x->setCalculated(n + "C", source ? f.value(source) : 0);
            const std::int64_t c = x->value(n + "C");
            x->setCalculated(n + "B", c - x->value(n + "A"));
            if (line >= 11)
                payments += c;
        }
        x->setCalculated("L17", payments);
        const std::int64_t l19 = payments - x->value("L18");
        x->setCalculated("L19", l19);
        const std::int64_t tax = x->value("L10C");
        x->setCalculated("L20", std::max<std::int64_t>(0, tax - l19));
        const std::int64_t l21 = std::max<std::int64_t>(0, l19 - tax);
        x->setCalculated("L21", l21);
        x->setCalculated("L22", std::max<std::int64_t>(0, l21 - x->value("L23")));
    }
}

void planningWorksheets(ModuleFormManager& fm, ModuleCopy& f) {
    if (ModuleCopy* t = fm.firstCopy("USWTaxCalc")) {
        static const std::pair<const char*, const char*> lines[] = {
            {"INCOME", "L22"},  {"AGI", "L35"},     {"DEDUCTION", "L38"},
            {"EXEMPT", "L40"},  {"TAXABLE", "L41"}, {"TAX", "L42"},
            {"CREDITS", "L54"}, {"OTHTAX", "L56"},  {"TOTALTAX", "L61"}};
        for (const auto& [line, from] : lines)
            mirror(t, line, f, from);
        // Effective rate: total tax as a percentage of adjusted gross income, two places.
        const std::int64_t agi = t->value("AGI");
        const double rate =
            agi > 0 ? std::round(double(t->value("TOTALTAX")) * 10000.0 / double(agi)) / 100.0
                    : 0.0;
        t->setCalculatedReal("RATE", rate);
    }
    for (ModuleCopy* p : fm.copiesOf("USWPriorYr")) {
        static const std::pair<const char*, const char*> lines[] = {
            {"INCOME", "L22"},  {"AGI", "L35"}, {"DEDUCTIONS", "L38"},
            {"TAXABLE", "L41"}, {"TAX", "L61"}, {"PAYMENTS", "L69"}};
        for (const auto& [line, from] : lines) {
            const std::string name(line);
            p->setCalculated("CY" + name, f.value(from));
            p->setCalculated("DIFF" + name, p->value("CY" + name) - p->value("PY" + name));
        }
    }
    for (ModuleCopy* j : fm.copiesOf("USWJtVsSep")) {
        const bool joint = f.value("FS") == 1;
        j->setCalculated("JOINTTAX", joint ? f.value("L61") : 0);
        const std::int64_t separate = j->value("TPSEPTAX") + j->value("SPSEPTAX");
        j->setCalculated("SEPTAX", separate);
        j->setCalculated("SAVINGS", joint && separate > 0 ? separate - j->value("JOINTTAX") : 0);
    }
    if (ModuleCopy* avg = fm.firstCopy("USWAverages")) {
        mirror(avg, "AGI", f, "L35");
        ModuleCopy* a = fm.firstCopy("USSchA");
        avg->setCalculated("MEDICAL", a ? a->value("L4") : 0);
        avg->setCalculated("TAXES", a ? a->value("L9") : 0);
        avg->setCalculated("INTEREST", a ? a->value("L14") : 0);
        avg->setCalculated("CHARITY", a ? a->value("L18") : 0);
    }
    for (ModuleCopy* ral : fm.copiesOf("USWRALAPP")) {
        mirror(ral, "REFUND", f, "L71a");
        ral->setCalculated("NETREFUND",
                           std::max<std::int64_t>(0, ral->value("REFUND") - ral->value("FEE")));
    }
    for (ModuleCopy* w4 : fm.copiesOf("USDW4")) {
        std::int64_t total = 0;
        for (const char* line : {"A", "B", "C", "D", "E", "F", "G"})
            total += w4->value(line);
        w4->setCalculated("H", total);
    }
    if (ModuleCopy* fi = fm.firstCopy("USWFilingInst")) {
        mirror(fi, "REFUND", f, "L71a");
        mirror(fi, "OWE", f, "L73");
        fi->setCalculatedText("SIGNERS", f.value("FS") == 1 ? "You and your spouse" : "You");
    }
    if (ModuleCopy* s = fm.firstCopy("FEDERALSummary")) {
        static const std::pair<const char*, const char*> lines[] = {
            {"INCOME", "L22"},   {"AGI", "L35"},
            {"TAXABLE", "L41"},  {"TAX", "L61"},
            {"PAYMENTS", "L69"}, {"REFUND", "L71a"},
            {"OWE", "L73"},      {"RefundOwe", "RefundOwe"}};
        for (const auto& [line, from] : lines)
            mirror(s, line, f, from);
    }
    if (ModuleCopy* d = fm.firstCopy("FDetails")) {
        std::int64_t total = 0;
        for (int e = 0; e < 10; ++e)
            total += d->value("AMOUNT", e);
        d->setCalculated("TOTAL", total);
    }
    if (ModuleCopy* q = fm.firstCopy("USWEFQual")) {
        const std::string ssn = f.text("SSN");
        q->setCalculated("QUALIFIES", ssn.size() == 11 && !q->isSet("FOREIGNADDR") &&
                                          !q->isSet("PRIORYEAR") && !q->isSet("AMENDED"));
    }
}

// The capital gains summaries follow the reports' split: short term when STGAIN holds a
// gain or loss, long term when MIDLTGAIN or LONGLTGAIN does.
void gainsSummaries(ModuleFormManager& fm) {
    ModuleCopy* shortTerm = fm.firstCopy("USWD1P1");
    ModuleCopy* longTerm = fm.firstCopy("USWD1P2");
    if (!shortTerm && !longTerm)
        return;
    std::int64_t totals[2][4] = {};
    for (ModuleCopy* c : fm.copiesOf("USDCAPGAIN")) {
        const int term = c->isSet("STGAIN")                                ? 0
                         : c->isSet("MIDLTGAIN") || c->isSet("LONGLTGAIN") ? 1
                                                                           : -1;
        if (term < 0)
            continue;
        totals[term][0] += 1;
        totals[term][1] += c->value("SALES");
        totals[term][2] += c->value("BASIS");
        totals[term][3] += c->value("HTMLGAIN");
    }
    ModuleCopy* forms[2] = {shortTerm, longTerm};
    for (int term = 0; term < 2; ++term) {
        if (!forms[term])
            continue;
        forms[term]->setCalculated("COUNT", totals[term][0]);
        forms[term]->setCalculated("SALES", totals[term][1]);
        forms[term]->setCalculated("BASIS", totals[term][2]);
        forms[term]->setCalculated("GAIN", totals[term][3]);
    }
}

std::string percentText(double pct) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6f%%", pct > 0 ? pct : 100.0);
    return buf;
}

ModuleCopy* ownParent(ModuleFormManager& fm, ModuleCopy& c) {
    CFormCopy* p = c.GetParentCopy();
    return p && p->GetFormManager() == &fm ? static_cast<ModuleCopy*>(p) : nullptr;
}

// Depreciation: each asset names its business (the copy the asset's Form 4562 belongs to);
// Form 4562 line 22 totals the section 179 expense and the depreciation of its assets, line 44
// the amortization; the sale of a depreciated asset takes the asset's figures, and its gain is
// the sales price less the adjusted basis (cost less depreciation allowed).
void depreciation(ModuleFormManager& fm) {
    const auto businessName = [&](ModuleCopy& c) {
        ModuleCopy* p = ownParent(fm, c);
        return p ? p->text("BUSNAME") : std::string();
    };
    std::map<ModuleCopy*, std::int64_t> depreciationOf;
    std::map<ModuleCopy*, std::int64_t> amortizationOf;
    for (ModuleCopy* f4562 : fm.copiesOf("USF4562"))
        f4562->setCalculatedText("BUSNAME", businessName(*f4562));
    for (const char* kind : {"USWDEPR", "USWACRS"}) {
        for (ModuleCopy* asset : fm.copiesOf(kind)) {
            asset->setCalculatedText("VIEWPER", percentText(asset->field("BUSPCT")->real()));
            asset->setCalculatedText("BUSNAME", businessName(*asset));
            const std::int64_t other = asset->value("OTHDEPR");
            const std::int64_t current = other > 0 ? other : asset->value("DEPR");
            if (ModuleCopy* f4562 = ownParent(fm, *asset))
                depreciationOf[f4562] += current + asset->value("BONUSDEPR");
        }
    }
    for (ModuleCopy* amort : fm.copiesOf("USWAMORT")) {
        amort->setCalculatedText("BUSNAME", businessName(*amort));
        if (ModuleCopy* f4562 = ownParent(fm, *amort))
            amortizationOf[f4562] += amort->value("AMORT");
    }
    for (ModuleCopy* f4562 : fm.copiesOf("USF4562")) {
        f4562->setCalculated("L22", f4562->value("L12") + depreciationOf[f4562]);
        f4562->setCalculated("L44", amortizationOf[f4562]);
    }
    for (ModuleCopy* sale : fm.copiesOf("USDBUSASSDEPR")) {
        ModuleCopy* asset = ownParent(fm, *sale);
        if (asset) {
            sale->setCalculatedText("PROPERTY", asset->text("ASSETNAME"));
            sale->setCalculated("ACQUIRED", asset->value("DPIS"));
            sale->setCalculated("BASIS", asset->value("BASIS"));
            std::int64_t allowed = 0;
            for (const char* line :
                 {"PRIORSEC179", "PRIORBONUS", "PRIOR", "CYSEC179REP", "BONUSDEPR", "DEPR"})
                allowed += asset->value(line);
            sale->setCalculated("DEPR", allowed);
            sale->setCalculatedText("BUSNAME", asset->text("BUSNAME"));
        }
        sale->setCalculated("GAIN",
                            sale->value("SALES") - (sale->value("BASIS") - sale->value("DEPR")));
    }
    for (ModuleCopy* sale : fm.copiesOf("USDBUSASS"))
        sale->setCalculated("GAIN",
                            sale->value("SALES") - (sale->value("BASIS") - sale->value("DEPR")));
}

void interviewFlags(ModuleFormManager& fm, ModuleCopy& f) {
    if (ModuleCopy* iv = fm.firstCopy("USFInterview")) {
        bool efile = false, piggyBack = false;
        for (std::string_view code : states::kIncomeTax) {
            if (!iv->isSet("LivesIn" + std::string(code)))
                continue;
            efile = efile || states::isEfile(code);
            piggyBack = piggyBack || states::isPiggyBack(code);
        }
        iv->setCalculated("LivesInEFState", efile);
        iv->setCalculated("LivesInPBEFState", piggyBack);
    }
    // Steps-panel flags for the topics whose forms this module holds.
    const auto any = [&fm](std::initializer_list<const char*> kinds) {
        return std::any_of(kinds.begin(), kinds.end(),
                           [&fm](const char* k) { return fm.firstCopy(k) != nullptr; });
    };
    f.setCalculated("HaveRentInc", any({"USSCHEP1", "USF4835"}));
    f.setCalculated("HavePensions", any({"USD1099R", "USDRRB1099R"}));
    f.setCalculated("HaveKidTax", any({"USF8814"}));
    f.setCalculated("HaveStRefund", 0);
    f.setCalculated("HaveSSB", 0);
    f.setCalculated("HaveChildCare", 0);
    // Earned income credit messages: EICMsg2 when the return gets the credit, EICMsg1 when
    // there is earned income but no credit (too much income, investment income, status).
    const bool credit = f.value("L64") > 0;
    const bool earned = f.value("L7") > 0 || f.value("L12") > 0;
    f.setCalculated("EICMsg2", credit);
    f.setCalculated("EICMsg1", earned && !credit);
}

} // namespace

void calculateFederalKinds(ModuleFormManager& fm) {
    ModuleCopy* f = fm.firstCopy("USF1040");
    if (!f)
        return;
    const bool a = qualifies1040A(fm, *f);
    form1040A(fm, *f, a);
    form1040EZ(fm, *f, a && qualifies1040EZ(fm, *f));
    form1040X(fm, *f);
    gainsSummaries(fm);
    planningWorksheets(fm, *f);
    depreciation(fm);
    interviewFlags(fm, *f);
}

} // namespace qv
