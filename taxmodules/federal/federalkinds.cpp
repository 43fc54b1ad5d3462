#include "federalkinds.h"

#include "federalaudit.h"
#include "federalstates.h"

#include <quorva/formcopy.h>

#include <string>

namespace qv {
namespace {

FieldDef check(const char* name) {
    return input(name, FT_CHECK);
}

// Taken over from last year's return by the prior-year import.
FieldDef kept(FieldDef f) {
    f.carryForward = true;
    return f;
}

// A flag the program keeps for itself while it works (e-file progress, what a review showed):
// writing it does not make the return modified.
FieldDef progress(const char* name) {
    return makeField(name, FT_CHECK, FF_NOTMODIFYING);
}

FieldDef named(const std::string& name, int type) {
    return makeField(name, type);
}

FieldDef ranged(const char* name, int type, std::int64_t min, std::int64_t max) {
    FieldDef f = input(name, type);
    f.min = min;
    f.max = max;
    return f;
}

FormDef kind(const char* name, const char* title, const char* longTitle, unsigned category) {
    FormDef f;
    f.name = name;
    f.title = title;
    f.longTitle = longTitle;
    f.category = category;
    return f;
}

// A form the module keeps one copy of from the start; the program reaches it as copy 1.
FormDef always(const char* name, const char* title, const char* longTitle, unsigned category) {
    FormDef f = kind(name, title, longTitle, category);
    f.createByDefault = true;
    f.required = true;
    return f;
}

// A child kind: made only under a copy of one of `parents`, at most `perParent` each.
FormDef child(const char* name, const char* title, const char* longTitle, unsigned category,
              std::vector<std::string> parents, int perParent, int maxCopies) {
    FormDef f = kind(name, title, longTitle, category);
    f.parents = std::move(parents);
    f.maxChildCopies = perParent;
    f.maxCopies = maxCopies;
    return f;
}

// ---- Forms 1040A, 1040EZ, 1040X ----------------------------------------------------------

// Form 1040A as the 1040's figures would fill it; every line is for reference only.
FormDef form1040A() {
    FormDef f = always("USF1040A", "Form 1040A", "Form 1040A - U.S. Individual Income Tax Return",
                       CAT_FORMS);
    f.required = false; // deleting one brings a fresh copy back
    f.recreatedOnDelete = true;
    f.copyFlags = CF_NOTMODIFYING | CF_NOTDATA;
    f.transfers = {"USF1040"};
    f.flags = FMF_NOTRANSFERLIST;
    f.fields = {reference("Qualifies", FT_CHECK), reference("Needed", FT_CHECK)}; // filed on a 1040
    for (const char* line : {"L6d", "L7",  "L8a", "L8b", "L9",  "L10", "L15", "L17",  "L18", "L20",
                             "L21", "L22", "L24", "L25", "L26", "L27", "L28", "L33",  "L35", "L36",
                             "L38", "L39", "L40", "L41", "L42", "L43", "L44", "L45a", "L47"})
        f.fields.push_back(reference(line, std::string(line) == "L6d" ? FT_INTEGER : FT_MONEY));
    f.fields.push_back(reference("L23a", FT_INTEGER));
    return f;
}

FormDef form1040EZ() {
    FormDef f =
        always("USF1040EZ", "Form 1040EZ",
               "Form 1040EZ - Income Tax Return for Single and Joint Filers With No Dependents",
               CAT_FORMS);
    f.required = false; // deleting one brings a fresh copy back
    f.recreatedOnDelete = true;
    f.copyFlags = CF_NOTMODIFYING | CF_NOTDATA;
    f.transfers = {"USF1040"};
    f.flags = FMF_NOTRANSFERLIST;
    f.fields = {reference("Qualifies", FT_CHECK), reference("Needed", FT_CHECK)}; // filed on a 1040
    for (const char* line :
         {"L1", "L2", "L3", "L4", "L5", "L6", "L7", "L8", "L9", "L10", "L11a", "L12"})
        f.fields.push_back(reference(line));
    return f;
}

// Form 1040X: column A as originally reported (entered), column C the corrected amounts of
// this return, column B the change.
FormDef form1040X() {
    FormDef f = kind("USF1040X", "Form 1040X",
                     "Form 1040X - Amended U.S. Individual Income Tax Return", CAT_FORMS);
    f.transfers = {"USF1040"};
    f.newCopyTarget = "IV_USF1040X_Q1";
    f.copyTarget = "IV_USF1040X_Q1";
    // Filed on its own, never printed with the return.
    f.fields = {ranged("TAXYEAR", FT_INTEGER, 1990, 2002), input("EXPLANATION", FT_TEXT),
                calculated("Needed", FT_CHECK)};
    for (int line = 1; line <= 15; ++line) {
        const std::string n = "L" + std::to_string(line);
        f.fields.push_back(named(n + "A", FT_MONEY));
        f.fields.push_back(makeField(n + "B", FT_MONEY, FF_CALCULATED));
        f.fields.push_back(makeField(n + "C", FT_MONEY, FF_CALCULATED));
    }
    for (const char* line : {"L16", "L18", "L23"})
        f.fields.push_back(input(line));
    for (const char* line : {"L17", "L19", "L20", "L21", "L22"})
        f.fields.push_back(calculated(line));
    return f;
}

// ---- Review, interview, e-file and planning worksheets ----------------------------------

// The review: the alert filter the audit walk reads and the figures Prepare works out (see
// prepareAudit for what each one counts).
FormDef formAudit() {
    FormDef f = always("USFAudit", "Return Review", "Return Review Worksheet", CAT_HIDDEN);
    f.copyFlags = CF_NOTMODIFYING | CF_NOTDATA;
    f.prepare = prepareAudit;
    f.fields = {check("AllAlerts"),
                check("RedAlerts"),
                check("YellowAlerts"),
                check("GreenAlerts"),
                check("EFAlerts"),
                check("EFQualifiesAlerts"),
                input("Overridden", FT_INTEGER)};
    for (const char* flag :
         {"NOTPNAME", "NOTPSSN", "NOSPNAME", "NOSPSSN", "NOFS", "DUPSSN", "TPSSNDIED", "NODOB",
          "W2MISMATCH", "EXCESSSS", "BALDUE", "NOINCOME", "EFQUALIFIES"})
        f.fields.push_back(calculated(flag, FT_CHECK));
    for (const char* count :
         {"ESTIMATED", "DEPNOSSN", "DEPNONAME", "DEPNODOB", "DEPMONTHS", "W2NOEIN", "W2NOEMPLOYER",
          "W2SSMISMATCH", "W2MEDMISMATCH", "W2WHOVER", "W2STATENOWAGES", "CGNODATE", "CGNOT2002",
          "CGSOLDFIRST", "ERRORS", "WARNINGS"})
        f.fields.push_back(calculated(count, FT_INTEGER));
    f.fields.push_back(calculated("SSWHTOTAL"));
    f.fields.push_back(calculated("EXCESSSSAMT"));
    return f;
}

// The interview's own answers: where the taxpayer lives, the chosen state, the card paying for
// e-filing and the interview's flags.
FormDef formInterview() {
    FormDef f = always("USFInterview", "Interview", "Interview Answers", CAT_HIDDEN);
    f.copyFlags = CF_NOTDATA;
    f.fields = {check("AlertsFromIV"),
                check("STATEQNAY"),
                input("OLState", FT_TEXT),
                input("ClientState", FT_TEXT),
                input("CC_Type", FT_TEXT),
                input("CC_Number", FT_TEXT),
                calculated("LivesInEFState", FT_CHECK),
                calculated("LivesInPBEFState", FT_CHECK)};
    // Where the taxpayer lived last year is the first guess for this year.
    for (std::string_view code : states::kIncomeTax)
        f.fields.push_back(kept(named("LivesIn" + std::string(code), FT_CHECK)));
    for (std::string_view code : states::kNoIncomeTax)
        f.fields.push_back(kept(named("LivesIn" + std::string(code), FT_CHECK)));
    return f;
}

FormDef formInterviewA() {
    FormDef f = always("USFInterviewA", "Interview Steps", "Interview Steps Completed", CAT_HIDDEN);
    f.copyFlags = CF_NOTDATA;
    for (const char* step :
         {"Step1Comp", "Step2Comp", "Step3Comp", "Step4Comp", "Step5Comp", "Step6Comp"})
        f.fields.push_back(check(step));
    return f;
}

// The state returns the interview recommends: one check per income-tax state.
FormDef formRecommendations() {
    FormDef f =
        always("USWRec", "State Recommendations", "State Return Recommendations", CAT_HIDDEN);
    f.copyFlags = CF_NOTDATA;
    for (std::string_view code : states::kIncomeTax)
        f.fields.push_back(named(std::string(code), FT_CHECK));
    return f;
}

FormDef formSupplement() {
    FormDef f = always("USW1040SUPP", "Form 1040 Supplement", "Form 1040 Supplemental Information",
                       CAT_WORKSHEETS);
    f.fields = {kept(input("STATENAME", FT_TEXT)),    kept(input("OCCUPATION", FT_TEXT)),
                kept(input("SPOCCUPATION", FT_TEXT)), kept(input("PHONE", FT_PHONE)),
                kept(input("ADDRESS", FT_TEXT)),      kept(input("CITY", FT_TEXT)),
                kept(input("ZIP", FT_TEXT))};
    return f;
}

// The e-file worksheet. The state a return rides with is one choice among the piggy-back
// options, so choosing one clears the others; the program's PiggyBack<XX> names are these same
// fields. Only<xx> and SO<xx> ask for the state return alone.
FormDef formEfileWorksheet() {
    FormDef f =
        always("USWEFWksht", "E-file Worksheet", "Electronic Filing Worksheet", CAT_WORKSHEETS);
    f.fields = {check("FedStateEF"),
                check("StateEFOnly"),
                check("fedef"),
                check("StandAloneCA"),
                progress("EFByPass"),
                progress("EFAlerted"),
                progress("Otherma"),
                progress("EFileFTPOK"),
                progress("EFN"),
                progress("PiggyBackN"),
                progress("HaveEFStatesAttached"),
                ranged("TPSSPIN", FT_INTEGER, 0, 99999),
                ranged("SPSSPIN", FT_INTEGER, 0, 99999),
                ranged("EROPIN", FT_INTEGER, 0, 99999),
                input("EFIN", FT_TEXT),
                input("eftpsspin", FT_TEXT),
                input("efspsspin", FT_TEXT),
                input("eftpbdate", FT_TEXT),
                input("efspbdate", FT_TEXT),
                input("efdate", FT_TEXT),
                input("efefopin", FT_TEXT),
                input("ServiceCenter", FT_TEXT)};
    for (std::string_view code : states::kIncomeTax) {
        if (!states::isEfile(code))
            continue;
        FieldDef option = named("piggyback" + std::string(code), FT_OPTION);
        option.optionGroup = 1;
        f.fields.push_back(option);
    }
    for (std::string_view code : states::kIncomeTax) {
        std::string lower(code);
        for (char& c : lower)
            c = char(c - 'A' + 'a');
        f.fields.push_back(named("Only" + lower, FT_CHECK));
        f.fields.push_back(named("SO" + lower, FT_CHECK));
    }
    return f;
}

FormDef formRefundLoan() {
    FormDef f = kind("USWRALAPP", "Refund Loan Application", "Refund Anticipation Loan Application",
                     CAT_WORKSHEETS);
    FieldDef account = input("ACCTTYPE", FT_CHOICE);
    account.choices = {"Checking", "Savings"};
    f.fields = {input("BANKNAME", FT_TEXT), input("ROUTING", FT_TEXT),
                input("ACCOUNT", FT_TEXT),  account,
                calculated("REFUND"),       input("FEE"),
                calculated("NETREFUND")};
    return f;
}

// Form W-4 for 2003, Personal Allowances Worksheet lines A-H.
FormDef formW4() {
    FormDef f = kind("USDW4", "Form W-4", "Form W-4 - Employee's Withholding Allowance Certificate",
                     CAT_DOCUMENTS);
    FieldDef status = input("MARITAL", FT_CHOICE);
    status.choices = {"Single", "Married", "Married, but withhold at higher Single rate"};
    f.fields = {input("EMPLOYER", FT_TEXT), status};
    for (const char* line : {"A", "B", "C", "D", "E", "F", "G"})
        f.fields.push_back(ranged(line, FT_INTEGER, 0, 99));
    f.fields.push_back(calculated("H", FT_INTEGER));
    f.fields.push_back(input("ADDITIONAL"));
    f.fields.push_back(check("EXEMPT"));
    return f;
}

// Last year's figures (entered) beside this year's.
FormDef formPriorYear() {
    FormDef f =
        kind("USWPriorYr", "Prior Year Comparison", "2001 and 2002 Comparison", CAT_WORKSHEETS);
    for (const char* line : {"INCOME", "AGI", "DEDUCTIONS", "TAXABLE", "TAX", "PAYMENTS"}) {
        f.fields.push_back(input(("PY" + std::string(line)).c_str()));
        f.fields.push_back(makeField("CY" + std::string(line), FT_MONEY, FF_CALCULATED));
        f.fields.push_back(makeField("DIFF" + std::string(line), FT_MONEY, FF_CALCULATED));
    }
    return f;
}

FormDef formJointVsSeparate() {
    FormDef f = kind("USWJtVsSep", "Joint vs. Separate", "Married Filing Jointly vs. Separately",
                     CAT_WORKSHEETS);
    f.fields = {calculated("JOINTTAX"), input("TPSEPTAX"), input("SPSEPTAX"), calculated("SEPTAX"),
                calculated("SAVINGS")};
    return f;
}

FormDef formTaxCalculation() {
    FormDef f = kind("USWTaxCalc", "Tax Calculation", "Tax Calculation Summary", CAT_WORKSHEETS);
    f.fields = {calculated("INCOME"),          calculated("AGI"),     calculated("DEDUCTION"),
                calculated("EXEMPT"),          calculated("TAXABLE"), calculated("TAX"),
                calculated("CREDITS"),         calculated("OTHTAX"),  calculated("TOTALTAX"),
                calculated("RATE", FT_DECIMAL)};
    return f;
}

FormDef formAverages() {
    FormDef f = always("USWAverages", "National Averages",
                       "Deductions Compared to National Averages", CAT_WORKSHEETS);
    f.copyFlags = CF_NOTDATA;
    f.fields = {calculated("AGI"), calculated("MEDICAL"), calculated("TAXES"),
                calculated("INTEREST"), calculated("CHARITY")};
    return f;
}

FormDef formEfileQualification() {
    FormDef f = always("USWEFQual", "E-file Qualification", "Electronic Filing Qualification",
                       CAT_WORKSHEETS);
    f.copyFlags = CF_NOTDATA;
    f.fields = {check("FOREIGNADDR"), check("PRIORYEAR"), check("AMENDED"),
                calculated("QUALIFIES", FT_CHECK)};
    return f;
}

FormDef formFilingInstructions() {
    FormDef f = always("USWFilingInst", "Filing Instructions", "Federal Filing Instructions",
                       CAT_WORKSHEETS);
    f.copyFlags = CF_NOTDATA;
    f.fields = {calculated("REFUND"), calculated("OWE"), calculated("SIGNERS", FT_TEXT)};
    return f;
}

// The capital gains summaries open as reports; the worksheets hold their totals.
FormDef formGainsSummary(const char* name, const char* title) {
    FormDef f = kind(name, title, title, CAT_WORKSHEETS);
    f.copyFlags = CF_NOTDATA;
    f.transfers = {"USDCAPGAIN"};
    f.fields = {calculated("COUNT", FT_INTEGER), calculated("SALES"), calculated("BASIS"),
                calculated("GAIN")};
    return f;
}

// The tax summary's page: one copy, number 1, made when the summary first opens.
FormDef formSummary() {
    FormDef f = kind("FEDERALSummary", "Federal Summary", "Federal Return Summary", CAT_HIDDEN);
    f.copyFlags = CF_NOTDATA;
    f.fields = {calculated("INCOME"), calculated("AGI"),      calculated("TAXABLE"),
                calculated("TAX"),    calculated("PAYMENTS"), calculated("REFUND"),
                calculated("OWE"),    calculated("RefundOwe")};
    return f;
}

// The page line-item details are shown on: ten lines and their total.
FormDef formDetails() {
    FormDef f = kind("FDetails", "Line Item Details", "Line Item Details", CAT_HIDDEN);
    f.copyFlags = CF_NOTDATA | CF_NOTMODIFYING;
    FieldDef date = input("DATE", FT_DATE);
    date.elements = 10;
    FieldDef description = input("DESCRIPTION", FT_TEXT);
    description.elements = 10;
    FieldDef amount = input("AMOUNT");
    amount.elements = 10;
    f.fields = {input("FORMNAME", FT_TEXT), input("FIELDNAME", FT_TEXT), date, description, amount,
                calculated("TOTAL"),        input("Exit", FT_CHECK)};
    return f;
}

// ---- Business, rental, pension and depreciation kinds -----------------------------------

const std::vector<std::string> k4562Parents = {"USDPARTK1", "USSCHCSTEMP", "USDSCORPK1",
                                               "USSchA",    "USSCHEP1",    "USSchC",
                                               "USF2106",   "USF4835",     "USSCHF"};

// What the depreciation reports read of an asset.
std::vector<FieldDef> assetFields() {
    return {input("ASSETNAME", FT_TEXT),
            input("DPIS", FT_DATE),
            input("LIFE", FT_TEXT),
            input("CONV", FT_TEXT),
            input("METHOD", FT_TEXT),
            ranged("BUSPCT", FT_DECIMAL, 0, 100),
            calculated("VIEWPER", FT_TEXT),
            input("BASIS"),
            input("PRIORSEC179"),
            input("PRIORBONUS"),
            input("PRIOR"),
            input("CYSEC179REP"),
            input("BONUSDEPR"),
            input("DEPR"),
            input("NYDEPR"),
            input("PRIORSEC179STATE"),
            input("PRIORSTATEDEPR"),
            input("CYSEC179STATE"),
            input("STATEDEPR"),
            calculated("BUSNAME", FT_TEXT)};
}

FormDef businessParent(const char* name, const char* title, const char* longTitle,
                       unsigned category, std::vector<FieldDef> fields) {
    FormDef f = kind(name, title, longTitle, category);
    f.maxCopies = 20;
    f.titleFields = {"BUSNAME"};
    f.fields = {kept(input("BUSNAME", FT_TEXT))};
    f.fields.insert(f.fields.end(), fields.begin(), fields.end());
    return f;
}

} // namespace

std::vector<FormDef> federalReturnForms() {
    return {form1040A(), form1040EZ(), form1040X()};
}

std::vector<FormDef> federalReviewForms() {
    return {formAudit(),
            formInterview(),
            formInterviewA(),
            formRecommendations(),
            formSupplement(),
            formEfileWorksheet(),
            formRefundLoan(),
            formW4(),
            formPriorYear(),
            formJointVsSeparate(),
            formTaxCalculation(),
            formAverages(),
            formEfileQualification(),
            formFilingInstructions(),
            formGainsSummary("USWD1P1", "Short Term Capital Gains Summary"),
            formGainsSummary("USWD1P2", "Long Term Capital Gains Summary"),
            formSummary(),
            formDetails()};
}

std::vector<FormDef> federalBusinessForms() {
    std::vector<FormDef> out;
    // Root kinds that own children.
    out.push_back(businessParent("USDPARTK1", "Partnership K-1", "Schedule K-1 (Form 1065)",
                                 CAT_DOCUMENTS,
                                 {input("EIN", FT_EIN), input("L1"), input("L2"), input("L4")}));
    out.push_back(businessParent("USDSCORPK1", "S Corporation K-1", "Schedule K-1 (Form 1120S)",
                                 CAT_DOCUMENTS,
                                 {input("EIN", FT_EIN), input("L1"), input("L2"), input("L4")}));
    out.push_back(businessParent("USSCHEP1", "Schedule E",
                                 "Schedule E - Rental Real Estate and Royalties", CAT_FORMS,
                                 {input("RENTS"), input("ROYALTIES"), input("EXPENSES")}));
    out.back().newCopyTarget = "IV_USStep3_NewRentInc";
    out.back().copyTarget = "IV_USStep3_ReviewRentInc";
    out.push_back(businessParent("USSCHF", "Schedule F", "Schedule F - Profit or Loss From Farming",
                                 CAT_FORMS, {input("L11"), input("L35")}));
    out.push_back(businessParent("USF2106", "Form 2106", "Form 2106 - Employee Business Expenses",
                                 CAT_FORMS, {input("L1"), input("L4"), input("REIMB")}));
    out.push_back(businessParent("USF4835", "Form 4835",
                                 "Form 4835 - Farm Rental Income and Expenses", CAT_FORMS,
                                 {input("L7"), input("L33")}));
    {
        FormDef f =
            kind("USD1099R", "Form 1099-R",
                 "Form 1099-R - Distributions From Pensions, Annuities, IRAs", CAT_DOCUMENTS);
        f.maxCopies = 99;
        f.titleFields = {"PAYER"};
        f.newCopyTarget = "IV_USStep3_NewPensions";
        f.copyTarget = "IV_USStep3_ReviewPensions";
        f.fields = {kept(input("PAYER", FT_TEXT)), input("GROSS"), input("TAXABLE"), input("FEDWH"),
                    input("DISTCODE", FT_TEXT),    check("IRA")};
        out.push_back(f);
    }
    {
        FormDef f = kind("USDRRB1099R", "Form RRB-1099-R",
                         "Form RRB-1099-R - Railroad Retirement Benefits", CAT_DOCUMENTS);
        f.maxCopies = 20;
        f.fields = {input("GROSS"), input("CONTRIB"), input("FEDWH")};
        out.push_back(f);
    }
    {
        FormDef f = kind("USF8814", "Form 8814",
                         "Form 8814 - Parents' Election To Report Child's Interest and Dividends",
                         CAT_FORMS);
        f.maxCopies = 20;
        f.titleFields = {"CHILDNAME"};
        f.newCopyTarget = "IV_USStep3_NewKidTax";
        f.copyTarget = "IV_USStep3_ReviewKidTax";
        f.fields = {kept(input("CHILDNAME", FT_TEXT)), kept(input("CHILDSSN", FT_SSN)),
                    input("INTEREST"), input("DIVIDENDS")};
        out.push_back(f);
    }
    {
        FormDef f = kind("USDBUSASS", "Business Asset Sale",
                         "Sale of a Business Asset Not Depreciated", CAT_DOCUMENTS);
        f.maxCopies = 99;
        f.titleFields = {"PROPERTY"};
        f.fields = {input("PROPERTY", FT_TEXT),
                    input("ACQUIRED", FT_DATE),
                    input("SOLD", FT_DATE),
                    input("BASIS"),
                    input("DEPR"),
                    input("SALES"),
                    calculated("GAIN"),
                    input("BUSNAME", FT_TEXT)};
        out.push_back(f);
    }

    // Child kinds.
    {
        FormDef f = child("USF4562", "Form 4562", "Form 4562 - Depreciation and Amortization",
                          CAT_FORMS, k4562Parents, 1, 99);
        f.fields = {input("L1"),
                    input("L2"),
                    input("L3"),
                    input("L12"),
                    calculated("L22"),
                    calculated("L44"),
                    calculated("BUSNAME", FT_TEXT)};
        f.transfers = {"USWDEPR", "USWACRS", "USWAMORT"};
        out.push_back(f);
    }
    {
        FormDef f = child(
            "USF6198", "Form 6198", "Form 6198 - At-Risk Limitations", CAT_FORMS,
            {"USDPARTK1", "USSCHCSTEMP", "USDSCORPK1", "USSCHEP1", "USSchC", "USF4835", "USSCHF"},
            1, 99);
        f.fields = {input("L1"), input("L10b"), input("L21")};
        out.push_back(f);
    }
    {
        FormDef f = child("USWDEPR", "Depreciation Worksheet", "Asset Depreciation Worksheet",
                          CAT_WORKSHEETS, {"USF4562"}, 99, 999);
        f.titleFields = {"ASSETNAME"};
        f.fields = assetFields();
        out.push_back(f);
    }
    {
        FormDef f = child("USWACRS", "ACRS Worksheet", "ACRS and Other Depreciation Worksheet",
                          CAT_WORKSHEETS, {"USF4562"}, 99, 999);
        f.titleFields = {"ASSETNAME"};
        f.fields = assetFields();
        for (const char* name : {"OTHLIFE", "OTHCONV", "OTHMETH"})
            f.fields.push_back(input(name, FT_TEXT));
        f.fields.push_back(input("OTHPRIOR"));
        f.fields.push_back(input("OTHDEPR"));
        out.push_back(f);
    }
    {
        FormDef f = child("USWAMORT", "Amortization Worksheet", "Amortization Worksheet",
                          CAT_WORKSHEETS, {"USF4562"}, 99, 999);
        f.titleFields = {"ASSETNAME"};
        f.fields = {input("ASSETNAME", FT_TEXT),
                    input("DPIS", FT_DATE),
                    input("LIFE", FT_TEXT),
                    input("BASIS"),
                    input("PRIOR"),
                    input("AMORT"),
                    input("NYAMORT"),
                    calculated("BUSNAME", FT_TEXT)};
        out.push_back(f);
    }
    {
        FormDef f = child("USWLISTED", "Listed Property", "Listed Property Worksheet",
                          CAT_WORKSHEETS, {"USWDEPR"}, 1, 999);
        f.fields = {ranged("TOTALMILES", FT_INTEGER, 0, 999999),
                    ranged("BUSMILES", FT_INTEGER, 0, 999999), check("EVIDENCE"), check("WRITTEN")};
        out.push_back(f);
    }
    {
        // The sale of a depreciated asset: what was bought and the depreciation taken come from
        // the asset's worksheet.
        FormDef f =
            child("USDBUSASSDEPR", "Depreciated Asset Sale", "Sale of a Depreciated Business Asset",
                  CAT_DOCUMENTS, {"USWDEPR"}, 1, 999);
        f.titleFields = {"PROPERTY"};
        f.fields = {calculated("PROPERTY", FT_TEXT),
                    calculated("ACQUIRED", FT_DATE),
                    input("SOLD", FT_DATE),
                    calculated("BASIS"),
                    calculated("DEPR"),
                    input("SALES"),
                    calculated("GAIN"),
                    calculated("BUSNAME", FT_TEXT)};
        out.push_back(f);
    }
    {
        FormDef f = child("USW4562P2", "Form 4562 Part II", "Special Depreciation Allowance",
                          CAT_WORKSHEETS, {"USF4562"}, 1, 99);
        f.fields = {input("L14"), input("L15"), input("L16")};
        out.push_back(f);
    }
    {
        FormDef f =
            child("USW4562AM", "Form 4562 Part VI", "Amortization of Costs Beginning in 2002",
                  CAT_WORKSHEETS, {"USF4562"}, 1, 99);
        f.fields = {input("DESCRIPTION", FT_TEXT), input("BEGIN", FT_DATE),  input("AMOUNT"),
                    input("CODESEC", FT_TEXT),     input("PERIOD", FT_TEXT), input("AMORT")};
        out.push_back(f);
    }
    {
        FormDef f = child("USWSGR", "Simplified General Rule", "Simplified General Rule Worksheet",
                          CAT_WORKSHEETS, {"USD1099R", "USDRRB1099R"}, 1, 99);
        f.fields = {input("L1"), input("L2"), ranged("L3", FT_INTEGER, 0, 999), input("L4")};
        out.push_back(f);
    }
    {
        FormDef f =
            child("USWCOVERDELL", "Coverdell ESA Worksheet", "Coverdell ESA Distribution Worksheet",
                  CAT_WORKSHEETS, {"USD1099R"}, 1, 99);
        f.fields = {input("DISTRIB"), input("BASIS"), input("QUALEXP")};
        out.push_back(f);
    }
    {
        FormDef f =
            child("USF8829", "Form 8829", "Form 8829 - Expenses for Business Use of Your Home",
                  CAT_FORMS, {"USSCHCSTEMP", "USSchC"}, 1, 20);
        f.fields = {ranged("L1", FT_INTEGER, 0, 999999), ranged("L2", FT_INTEGER, 0, 999999),
                    input("L35")};
        out.push_back(f);
    }
    {
        FormDef f = child("USWSEHEALTH", "SE Health Insurance",
                          "Self-Employed Health Insurance Deduction Worksheet", CAT_WORKSHEETS,
                          {"USDPARTK1", "USDSCORPK1", "USSchC", "USSCHF"}, 1, 99);
        f.fields = {input("PREMIUMS"), input("L2"), check("SUBSIDIZED")};
        out.push_back(f);
    }
    {
        FormDef f = child("USWVACHM", "Vacation Home", "Vacation Home Worksheet", CAT_WORKSHEETS,
                          {"USSCHEP1"}, 1, 20);
        f.fields = {ranged("RENTDAYS", FT_INTEGER, 0, 366), ranged("OWNDAYS", FT_INTEGER, 0, 366),
                    input("RENTINC")};
        out.push_back(f);
    }
    {
        FormDef f = child("USD1099MISC", "Form 1099-MISC", "Form 1099-MISC - Miscellaneous Income",
                          CAT_DOCUMENTS, {"USSchC"}, 20, 99);
        f.titleFields = {"PAYER"};
        f.fields = {input("PAYER", FT_TEXT), input("PAYERID", FT_EIN), input("RENTS"),
                    input("ROYALTIES"),      input("OTHINC"),          input("FEDWH"),
                    input("NONEMPCOMP")};
        out.push_back(f);
    }
    {
        FormDef f =
            child("USW8814CGD", "Child's Capital Gain Distributions",
                  "Form 8814 Capital Gain Distributions", CAT_WORKSHEETS, {"USF8814"}, 1, 20);
        f.fields = {input("CGD"), input("RATE28")};
        out.push_back(f);
    }
    {
        FormDef f = child("USSCHCSTEMP", "Schedule C (Statutory Employee)",
                          "Schedule C - Statutory Employee", CAT_FORMS, {"USDW2"}, 1, 99);
        f.titleFields = {"BUSNAME"};
        f.fields = {input("BUSNAME", FT_TEXT), input("L1"), input("L28")};
        out.push_back(f);
    }
    return out;
}

std::vector<GlobalField> federalReviewGlobals() {
    std::vector<GlobalField> g;
    for (const char* name : {"AllAlerts", "RedAlerts", "YellowAlerts", "GreenAlerts", "EFAlerts",
                             "EFQualifiesAlerts", "Overridden"})
        g.push_back({name, "USFAudit", name});
    for (const char* name : {"AlertsFromIV", "STATEQNAY", "OLState", "ClientState", "CC_Type",
                             "CC_Number", "LivesInEFState", "LivesInPBEFState"})
        g.push_back({name, "USFInterview", name});
    for (std::string_view code : states::kIncomeTax)
        g.push_back({"LivesIn" + std::string(code), "USFInterview", "LivesIn" + std::string(code)});
    for (std::string_view code : states::kNoIncomeTax)
        g.push_back({"LivesIn" + std::string(code), "USFInterview", "LivesIn" + std::string(code)});
    g.push_back({"Step1Comp", "USFInterviewA", "Step1Comp"});
    for (const char* name :
         {"FedStateEF", "StateEFOnly", "fedef", "StandAloneCA", "EFByPass", "EFAlerted", "Otherma",
          "EFileFTPOK", "EFN", "PiggyBackN", "HaveEFStatesAttached", "EFIN", "eftpsspin",
          "efspsspin", "eftpbdate", "efspbdate", "efdate", "efefopin", "ServiceCenter"})
        g.push_back({name, "USWEFWksht", name});
    for (std::string_view code : states::kIncomeTax) {
        if (states::isEfile(code))
            g.push_back(
                {"PiggyBack" + std::string(code), "USWEFWksht", "piggyback" + std::string(code)});
    }
    g.push_back({"STATENAME", "USW1040SUPP", "STATENAME"});
    return g;
}

} // namespace qv
