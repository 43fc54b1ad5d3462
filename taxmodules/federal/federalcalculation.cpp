#include "federalcalculation.h"

#include "federalkindcalculation.h"

#include "moduleformmanager.h"
#include "tax2002.h"

#include "moduletext.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

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

constexpr std::int64_t dollars(std::int64_t d) {
    return d * 100;
}

// Cents times a rate in tenths of a percent, rounded half up.
std::int64_t percentOf(std::int64_t amount, int tenths) {
    return (amount * tenths + (amount >= 0 ? 500 : -500)) / 1000;
}

// The sum of lines entered as they stand.
std::int64_t sumOf(ModuleCopy& copy, std::initializer_list<const char*> names) {
    std::int64_t sum = 0;
    for (const char* name : names)
        sum += copy.value(name);
    return sum;
}

int birthYear(std::int32_t day) {
    int year = 0, month = 0, dayOfMonth = 0;
    return dateOf(day, year, month, dayOfMonth) ? year : 0;
}

std::string lower(std::string text) {
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A son, daughter, stepchild, grandchild, adopted or foster child; with `relatives` also a
// brother, sister or their descendant (the earned income credit's wider circle).
bool childRelation(const std::string& relation, bool relatives) {
    const std::string r = lower(relation);
    const auto has = [&r](const char* word) { return r.find(word) != std::string::npos; };
    if (has("mother") || has("father") || has("parent"))
        return false;
    if (has("son") || has("daughter") || has("child") || has("grand") || has("adopted"))
        return true;
    return relatives && (has("brother") || has("sister") || has("niece") || has("nephew"));
}

// Long term when held more than one year: sold after the anniversary of the purchase (a
// purchase on 29 February has its anniversary on 28 February). `years` 5 tells the
// qualified 5-year holding.
bool heldMoreThan(std::int32_t acquired, std::int32_t sold, int years) {
    int y = 0, m = 0, d = 0;
    if (!dateOf(acquired, y, m, d))
        return false;
    std::int32_t anniversary = dayNumber(y + years, m, d);
    if (anniversary == 0)
        anniversary = dayNumber(y + years, m, d - 1);
    return sold > anniversary;
}

struct CapitalGains {
    std::int64_t shortSales = 0, shortGain = 0, longSales = 0, longGain = 0;
    std::int64_t rate28 = 0, fiveYear = 0;
    bool any = false;
};

// Each sale's gain into its term's column. A wash-sale loss is disallowed (it moves into the
// basis of the replacement shares), a wash-sale gain stays.
CapitalGains capitalGains(ModuleFormManager& fm) {
    CapitalGains g;
    for (ModuleCopy* c : fm.copiesOf("USDCAPGAIN")) {
        g.any = true;
        const std::int64_t sales = c->value("SALES");
        std::int64_t gain = sales - c->value("BASIS");
        const bool wash = c->isSet("WASHSALE");
        if (wash && gain < 0)
            gain = 0;
        const std::int32_t acquired = std::int32_t(c->value("ACQUIRED"));
        const std::int32_t sold = std::int32_t(c->value("SOLD"));
        bool longTerm = false;
        bool fiveYears = false;
        if (acquired > 0) {
            longTerm = heldMoreThan(acquired, sold, 1);
            fiveYears = heldMoreThan(acquired, sold, 5);
        } else {
            // "Various" or no date: the term the broker reported; inherited property is
            // always long term.
            const std::string term = lower(c->text("LONGSHORT"));
            longTerm = acquired == DATE_INHERITED ||
                       (term.find("short") == std::string::npos &&
                        (term.find("long") != std::string::npos || acquired == DATE_VARIOUS));
        }
        c->setCalculated("HTMLGAIN", gain);
        c->setCalculated("STGAIN", longTerm ? 0 : gain);
        c->setCalculated("MIDLTGAIN", longTerm && !fiveYears ? gain : 0);
        c->setCalculated("LONGLTGAIN", fiveYears ? gain : 0);
        c->setCalculatedText("YESWASHSALE", wash ? "Yes" : "");
        if (longTerm) {
            const std::int64_t part28 = c->value("LTGAIN28");
            g.longSales += sales;
            g.longGain += gain;
            g.rate28 += part28;
            if (fiveYears && gain > 0)
                g.fiveYear += std::max<std::int64_t>(0, gain - part28);
        } else {
            g.shortSales += sales;
            g.shortGain += gain;
        }
    }
    return g;
}

// Schedule A, lines 1-28 and the Itemized Deductions Worksheet.
std::int64_t itemizedDeductions(ModuleCopy& a, FilingStatus status, std::int64_t agi) {
    // Schedule A, line 4: medical and dental expenses over 7.5 % of line 36.
    const std::int64_t l4 = std::max<std::int64_t>(0, a.value("L1") - percentOf(agi, 75));
    a.setCalculated("L4", l4);
    // Line 9: taxes you paid, lines 5-8.
    const std::int64_t l9 = a.value("L5") + a.value("L6") + a.value("L7") + a.value("L8");
    a.setCalculated("L9", l9);
    // Line 14: interest you paid, lines 10-13.
    const std::int64_t l14 = a.value("L10") + a.value("L11") + a.value("L12") + a.value("L13");
    a.setCalculated("L14", l14);
    // Line 18: gifts to charity, lines 15-17.
    const std::int64_t l18 = a.value("L15") + a.value("L16") + a.value("L17");
    a.setCalculated("L18", l18);
    // Line 26: job expenses and most other miscellaneous deductions (lines 20-22) over 2 %
    // of line 36.
    const std::int64_t l23 = a.value("L20") + a.value("L21") + a.value("L22");
    const std::int64_t l26 = std::max<std::int64_t>(0, l23 - percentOf(agi, 20));
    a.setCalculated("L26", l26);
    const std::int64_t total = l4 + l9 + l14 + l18 + a.value("L19") + l26 + a.value("L27");
    // Line 28 with the Itemized Deductions Worksheet above $137,300 ($68,650 separate):
    // 80 % of the deductions other than medical, investment interest, casualty and gambling
    // losses, but no more than 3 % of the excess of line 36 over the limit.
    const std::int64_t limit = status == Separate ? dollars(68650) : dollars(137300);
    std::int64_t reduction = 0;
    const std::int64_t exempt = l4 + a.value("L13") + a.value("L19") + a.value("GAMBLING");
    if (agi > limit && total > exempt)
        reduction = std::min(percentOf(total - exempt, 800), percentOf(agi - limit, 30));
    a.setCalculated("L28", total - reduction);
    return a.value("L28");
}

// IRA Deduction Worksheet for one spouse: the contribution up to $3,000 ($3,500 at 50 or
// older), phased out over $10,000 of modified AGI from the status's start when an employer
// plan covers this spouse (or, for the other one, the spouse). The reduced limit rounds up to
// the next $10 and is never below $200.
std::int64_t iraDeduction(std::int64_t contribution, bool fifty, bool covered, bool spouseCovered,
                          FilingStatus status, std::int64_t magi) {
    if (contribution <= 0)
        return 0;
    const std::int64_t cap = fifty ? dollars(3500) : dollars(3000);
    std::int64_t start = -1;
    if (status == Separate && (covered || spouseCovered))
        start = 0;
    else if (covered)
        start = status == Joint || status == Widow ? dollars(54000) : dollars(34000);
    else if (spouseCovered && status == Joint)
        start = dollars(150000);
    std::int64_t limit = cap;
    if (start >= 0 && magi > start) {
        const std::int64_t left = start + dollars(10000) - magi;
        if (left <= 0)
            return 0;
        limit = (cap * left / dollars(10000) + dollars(10) - 1) / dollars(10) * dollars(10);
        limit = std::max(limit, dollars(200));
    }
    return std::min(contribution, limit);
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
    const auto set = [](ModuleCopy* c, const char* name, std::int64_t value) {
        if (!c)
            return value;
        c->setCalculated(name, value);
        return c->value(name);
    };

    const std::int64_t fs = f->value("FS");
    const FilingStatus status = fs >= Single && fs <= Widow ? FilingStatus(fs) : Single;
    const bool joint = status == Joint;
    const bool dependent = f->isSet("TPDEPENDENT");
    const int tpBorn = birthYear(std::int32_t(f->value("TPDOB")));
    const int spBorn = joint ? birthYear(std::int32_t(f->value("SPDOB"))) : 0;

    // Form 1040, lines 6a-6d: yourself (unless someone can claim you), your spouse on a joint
    // return, and one exemption per dependent.
    const auto dependents = fm.copiesOf("USDDEP");
    const std::int64_t line6c = line("L6c", std::int64_t(dependents.size()));
    const std::int64_t line6d = line("L6d", (dependent ? 0 : 1) + (joint ? 1 : 0) + line6c);
    // Children for the child tax credit (under 17 at the end of 2002) and for the earned
    // income credit (under 19, living with the taxpayer more than half the year).
    int creditChildren = 0;
    int eicChildren = 0;
    for (ModuleCopy* d : dependents) {
        const int born = birthYear(std::int32_t(d->value("DOB")));
        const std::string relation = d->text("RELATION");
        if (born >= 1986 && born <= 2002 && childRelation(relation, false))
            ++creditChildren;
        if (born >= 1984 && born <= 2002 && d->value("MONTHS") > 6 && childRelation(relation, true))
            ++eicChildren;
    }

    // Form 1040, line 7 (wages) and line 62 (federal income tax withheld): box 1 and box 2 of
    // every Form W-2.
    std::int64_t wages = 0;
    std::int64_t withheld = 0;
    std::int64_t ssWages = 0;
    std::int64_t ssMedicareWithheld = 0;
    const auto w2s = fm.copiesOf("USDW2");
    for (ModuleCopy* w2 : w2s) {
        wages += w2->value("WAGES");
        withheld += w2->value("FEDWH");
        ssWages += w2->value("SSWAGES");
        ssMedicareWithheld += w2->value("SSWH") + w2->value("MEDWH");
    }
    const std::int64_t line7 = line("L7", wages);

    // Schedule B, line 2: interest from every Form 1099-INT; line 4 less excludable savings
    // bond interest (line 3) is Form 1040, line 8a.
    ModuleCopy* schB = fm.firstCopy("USSchB");
    std::int64_t interest = 0;
    const auto ints = fm.copiesOf("USD1099INT");
    for (ModuleCopy* c : ints)
        interest += c->value("INTEREST");
    interest = set(schB, "L2", interest);
    const std::int64_t line8a =
        line("L8a", set(schB, "L4", interest - (schB ? schB->value("L3") : 0)));
    // Schedule B, line 6: ordinary dividends, box 1 of every Form 1099-DIV; Form 1040, line 9.
    std::int64_t dividends = 0;
    std::int64_t distributions = 0;
    const auto divs = fm.copiesOf("USD1099DIV");
    for (ModuleCopy* c : divs) {
        dividends += c->value("ORDDIV");
        distributions += c->value("CAPGAINDIST");
    }
    const std::int64_t line9 = line("L9", set(schB, "L6", dividends));
    // Schedule B is needed when either part is over $400.
    set(schB, "Needed", line8a > dollars(400) || line9 > dollars(400));

    // Schedule C, line 31: net profit, line 7 (gross income: receipts less returns and cost
    // of goods sold, plus other income) less line 28 (expenses) and line 30 (home office).
    std::int64_t business[2] = {0, 0};
    const auto schCs = fm.copiesOf("USSchC");
    for (ModuleCopy* c : schCs) {
        const std::int64_t l7 =
            set(c, "L7", c->value("L1") - c->value("L2") - c->value("L4") + c->value("L6"));
        business[joint && c->isSet("SPOUSE") ? 1 : 0] +=
            set(c, "L31", l7 - c->value("L28") - c->value("L30"));
    }
    // Form 1040, line 12: business income or loss.
    const std::int64_t line12 = line("L12", business[0] + business[1]);
    // Schedule SE, line 4: 92.35 % of net profit; line 12: self-employment tax. Only the
    // taxpayer's W-2 social security wages are known (a W-2 names no owner), so they reduce
    // the taxpayer's wage base.
    ModuleCopy* se = fm.firstCopy("USSchSE");
    std::int64_t seTax = 0;
    std::int64_t seEarnings = 0;
    for (int who = 0; who < 2; ++who) {
        const std::int64_t net = std::max<std::int64_t>(0, business[who]) * 9235 / 10000;
        const std::int64_t tax = selfEmploymentTax(net, who == 0 ? ssWages : 0);
        if (se) {
            se->setCalculated("L4", net, who);
            se->setCalculated("L12", tax, who);
        }
        seTax += tax;
        if (tax > 0)
            seEarnings += net;
    }
    set(se, "Needed", seTax > 0);
    // Form 1040, line 29: one-half of self-employment tax.
    const std::int64_t line29 = line("L29", (seTax + 1) / 2);

    // Schedule D: line 7 net short-term (sales less the 2001 carryover on line 6), line 16
    // net long-term (sales, capital gain distributions on line 13, less the carryover on
    // line 14), line 15 the 28 % rate gain, line 17 the sum; a net loss is allowed on line 18
    // up to $3,000 ($1,500 married filing separately).
    ModuleCopy* schD = fm.firstCopy("USSchD");
    const CapitalGains gains = capitalGains(fm);
    const std::int64_t stCarry = schD ? schD->value("L6") : 0;
    const std::int64_t ltCarry = schD ? schD->value("L14") : 0;
    set(schD, "L3", gains.shortSales);
    const std::int64_t d7 = set(schD, "L7", gains.shortGain - stCarry);
    set(schD, "L10", gains.longSales);
    set(schD, "L13", distributions);
    const std::int64_t d15 = set(schD, "L15", gains.rate28);
    const std::int64_t d16 = set(schD, "L16", gains.longGain + distributions - ltCarry);
    const std::int64_t d17 = set(schD, "L17", d7 + d16);
    const std::int64_t lossLimit = status == Separate ? dollars(1500) : dollars(3000);
    const std::int64_t d18 = set(schD, "L18", d17 < 0 ? -std::min(-d17, lossLimit) : 0);
    set(schD, "Needed", gains.any || stCarry != 0 || ltCarry != 0 || distributions != 0);
    // Form 1040, line 13: capital gain, or the allowed loss.
    const std::int64_t line13 = line("L13", d17 >= 0 ? d17 : d18);

    // Form 1040, line 22: total income, lines 7 through 21 (the entered lines 10, 11, 14,
    // 15b, 16b, 17 to 19 and 20b as they stand).
    const std::int64_t enteredIncome =
        sumOf(*f, {"L10", "L11", "L14", "L15b", "L16b", "L17", "L18", "L19", "L20b", "L21"});
    const std::int64_t line22 =
        line("L22", line7 + line8a + line9 + line12 + line13 + enteredIncome);

    // Form 1040, line 24: IRA deduction; modified AGI is line 22 less the other adjustments
    // apart from lines 24-26. Compensation caps the pair's deductions.
    const std::int64_t iraMagi = line22 - line29;
    const std::int64_t compensation = std::max<std::int64_t>(0, line7 + seEarnings - line29);
    const bool tpCovered = f->isSet("TPCOVERED");
    const bool spCovered = joint && f->isSet("SPCOVERED");
    std::int64_t ira = iraDeduction(f->value("TPIRA"), tpBorn > 0 && tpBorn <= 1952, tpCovered,
                                    spCovered, status, iraMagi);
    if (joint)
        ira += iraDeduction(f->value("SPIRA"), spBorn > 0 && spBorn <= 1952, spCovered, tpCovered,
                            status, iraMagi);
    const std::int64_t line24 = line("L24", std::min(ira, compensation));

    // Form 1040, line 25 (Student Loan Interest Deduction Worksheet): up to $2,500, reduced
    // by the share of modified AGI over $50,000 ($100,000 joint) in $15,000 ($30,000), the
    // share rounded to three places; none married filing separately or as a dependent.
    std::int64_t studentLoan = 0;
    if (status != Separate && !dependent) {
        const std::int64_t paid = std::min(f->value("STUDENTINT"), dollars(2500));
        const std::int64_t magi = line22 - line24 - line29;
        const std::int64_t start = joint ? dollars(100000) : dollars(50000);
        const std::int64_t range = joint ? dollars(30000) : dollars(15000);
        std::int64_t share = 0; // thousandths
        if (magi > start)
            share = std::min<std::int64_t>(1000, ((magi - start) * 2000 / range + 1) / 2);
        studentLoan = std::max<std::int64_t>(0, paid - (paid * share + 500) / 1000);
    }
    const std::int64_t line25 = line("L25", studentLoan);
    // Form 1040, line 34: total adjustments; line 35: adjusted gross income.
    // Lines 23, 26 to 28 and 30 to 33a are entered as they stand.
    const std::int64_t line34 =
        line("L34", line24 + line25 + line29 +
                        sumOf(*f, {"L23", "L26", "L27", "L28", "L30", "L31", "L32", "L33a"}));
    const std::int64_t line35 = line("L35", line22 - line34);
    // Form 1040, line 36: amount from line 35.
    const std::int64_t line36 = line("L36", line35);
    // Form 1040, line 37a: boxes for 65 or older and blind; the spouse's on a joint return.
    const std::int64_t boxes =
        line("L37a", int(f->isSet("TP65")) + int(f->isSet("TPBLIND")) +
                         (joint ? int(f->isSet("SP65")) + int(f->isSet("SPBLIND")) : 0));
    // Form 1040, line 38: itemized deductions (Schedule A, line 28) when they are larger or
    // the taxpayer chooses them, else the standard deduction; earned income for a dependent is
    // the wages and the net self-employment earnings.
    const std::int64_t standard =
        standardDeduction(status, int(boxes), dependent, line7 + seEarnings - line29);
    ModuleCopy* schA = fm.firstCopy("USSchA");
    const std::int64_t itemized = schA ? itemizedDeductions(*schA, status, line36) : 0;
    const bool itemizing = schA && (f->isSet("ITEMIZE") || itemized > standard);
    line("Itemizing", itemizing);
    const std::int64_t line38 = line("L38", itemizing ? itemized : standard);
    // Form 1040, line 39: line 36 minus line 38.
    const std::int64_t line39 = line("L39", std::max<std::int64_t>(0, line36 - line38));
    // Form 1040, line 40: exemptions, with the phase-out above the status's threshold.
    const std::int64_t line40 = line("L40", exemptions(status, int(line6d), line36));
    // Form 1040, line 41: taxable income.
    const std::int64_t line41 = line("L41", std::max<std::int64_t>(0, line39 - line40));
    // Form 1040, line 42: tax; with a net capital gain (lines 16 and 17 both gains) the
    // Schedule D, Part IV tax on the smaller of the two.
    std::int64_t tax42 = tax(status, line41);
    const bool partIV = d16 > 0 && d17 > 0;
    if (partIV) {
        // The 28 % rate gain is reduced by a net short-term loss.
        const std::int64_t rate28 = std::max<std::int64_t>(0, d15 + std::min<std::int64_t>(0, d7));
        tax42 = capitalGainTax(status, line41, std::min(d16, d17), rate28, gains.fiveYear);
    }
    set(schD, "QUAL5YR", gains.fiveYear);
    set(schD, "TAX", partIV ? tax42 : 0);
    const std::int64_t line42 = line("L42", tax42);
    // Form 1040, line 44: lines 42 and 43 (the alternative minimum tax as entered).
    const std::int64_t line44 = line("L44", line42 + f->value("L43"));
    // Lines 45 to 49: the credits the Child Tax Credit Worksheet takes first (line 2).
    const std::int64_t creditsBefore50 = sumOf(*f, {"L45", "L46", "L47", "L48", "L49"});

    // Form 1040, line 50 (Child Tax Credit Worksheet): $600 per child under 17, less $50 for
    // each $1,000 or part of it by which modified AGI (line 36) is over $75,000 ($110,000
    // joint, $55,000 separate); no more than the tax on line 44.
    std::int64_t childCredit = dollars(600) * creditChildren;
    const std::int64_t ctcStart = joint                ? dollars(110000)
                                  : status == Separate ? dollars(55000)
                                                       : dollars(75000);
    if (line36 > ctcStart)
        childCredit = std::max<std::int64_t>(
            0,
            childCredit - dollars(50) * ((line36 - ctcStart + dollars(1000) - 1) / dollars(1000)));
    const std::int64_t line50 =
        line("L50", std::min(childCredit, std::max<std::int64_t>(0, line44 - creditsBefore50)));
    // Form 1040, lines 54 and 55: total credits, lines 45 through 53, and the tax after them.
    const std::int64_t line54 =
        line("L54", creditsBefore50 + line50 + sumOf(*f, {"L51", "L52", "L53"}));
    const std::int64_t line55 = line("L55", std::max<std::int64_t>(0, line44 - line54));
    // Form 1040, line 56: self-employment tax (Schedule SE).
    const std::int64_t line56 = line("L56", seTax);
    // Form 1040, line 61: total tax.
    // Form 1040, line 61: total tax, lines 55 through 60 (57 to 60 as entered).
    const std::int64_t line61 =
        line("L61", line55 + line56 + sumOf(*f, {"L57", "L58", "L59", "L60"}));
    const std::int64_t line62 = line("L62", withheld);
    // Form 1040, line 63: 2002 estimated tax payments and the 2001 overpayment applied.
    ModuleCopy* est = fm.firstCopy("USWESTPMT");
    std::int64_t estimated = 0;
    if (est) {
        estimated = est->value("PRIOR");
        for (int q = 0; q < 4; ++q)
            estimated += est->value("PAID", q);
        estimated = set(est, "TOTAL", estimated);
    }
    const std::int64_t line63 = line("L63", estimated);

    // Form 1040, line 64 (Earned Income Credit Worksheet): the table amount for earned income
    // and, from the phase-out start on, for line 36 when that is smaller. Not married filing
    // separately, not with investment income over $2,550, not as a dependent; without a
    // qualifying child only from 25 to 64 years.
    const std::int64_t earned = line7 + seEarnings - line29;
    const std::int64_t investment =
        line8a + f->value("L8b") + line9 + std::max<std::int64_t>(0, line13);
    bool eicAllowed = status != Separate && !dependent && investment <= dollars(2550);
    if (eicAllowed && eicChildren == 0) {
        const auto ofAge = [](int born) { return born >= 1938 && born <= 1977; };
        eicAllowed = ofAge(tpBorn) || (joint && ofAge(spBorn));
    }
    std::int64_t eic = 0;
    if (eicAllowed) {
        eic = earnedIncomeCreditTable(eicChildren, joint, earned);
        const std::int64_t start =
            (eicChildren == 0 ? dollars(6150) : dollars(13520)) + (joint ? dollars(1000) : 0);
        if (line36 >= start && line36 != earned)
            eic = std::min(eic, earnedIncomeCreditTable(eicChildren, joint, line36));
    }
    const std::int64_t line64 = line("L64", eic);

    // Form 1040, line 66 (Form 8812): the child tax credit not allowed on line 50, up to 10 %
    // of earned income over $10,350; with three or more children the social security and
    // Medicare taxes paid (withheld and half the self-employment tax) less the earned income
    // credit, when that is larger.
    const std::int64_t unallowed = childCredit - line50;
    std::int64_t additional = 0;
    if (unallowed > 0) {
        std::int64_t cap = std::max<std::int64_t>(0, percentOf(earned - dollars(10350), 100));
        if (creditChildren >= 3)
            cap = std::max(cap, ssMedicareWithheld + line29 - line64);
        additional = std::min(unallowed, cap);
    }
    const std::int64_t line66 = line("L66", additional);

    // Form 1040, line 69: total payments.
    // Form 1040, line 69: total payments, lines 62 through 68 (65, 67 and 68 as entered).
    const std::int64_t line69 =
        line("L69", line62 + line63 + line64 + line66 + sumOf(*f, {"L65", "L67", "L68"}));
    // Form 1040, line 70: overpaid; line 71a: refunded, less what line 72 applies to the 2003
    // estimated tax; line 73: amount you owe, including the line 74 estimated tax penalty.
    const std::int64_t line70 = line("L70", std::max<std::int64_t>(0, line69 - line61));
    const std::int64_t line71a =
        line("L71a", line70 - std::clamp<std::int64_t>(f->value("L72"), 0, line70));
    const std::int64_t line73 =
        line("L73", std::max<std::int64_t>(0, line61 - line69) + f->value("L74"));
    line("RefundOwe", line71a > 0 ? line71a : -line73);

    line("HaveWages", w2s.empty() ? 0 : 1);
    line("HaveInvInc", !ints.empty() || !divs.empty() || gains.any);
    line("HaveBusInc", !schCs.empty());
    line("HaveOthInc", f->value("L21") != 0);
    line("HaveIRA", f->value("TPIRA") != 0 || f->value("SPIRA") != 0);
    line("HaveEducation", f->value("STUDENTINT") != 0);
    line("HaveOthAdj", line29 != 0);
    line("HaveTaxes", schA != nullptr);
    line("HaveChildTax", creditChildren > 0);
    line("HaveUnderPay", est != nullptr);
    line("HaveDependents", !dependents.empty());
    f->setCalculatedText("CombNames", combinedNames(*f, joint));
    calculateFederalKinds(fm);
}

} // namespace qv
