#include "federalforms.h"

#include "federalcalculation.h"
#include "federalkinds.h"

namespace qv {
namespace {

FieldDef kept(const char* name, int type) {
    FieldDef f = makeField(name, type);
    f.carryForward = true;
    return f;
}

FormDef form1040() {
    FormDef f;
    f.name = "USF1040";
    f.title = "Form 1040";
    f.longTitle = "Form 1040 - U.S. Individual Income Tax Return";
    f.category = CAT_FORMS;
    f.createByDefault = true;
    f.required = true;
    f.transfers = {"USDW2", "USDDEP"};
    f.copyTarget = "IV_USInterview_Step1";
    FieldDef status = kept("FS", FT_CHOICE);
    status.choices = {"Single", "Married filing jointly", "Married filing separately",
                      "Head of household", "Qualifying widow(er)"};
    FieldDef modified = input("Modified", FT_CHECK);
    modified.flags = FF_NOTMODIFYING;
    FieldDef stopPrint = calculated("StopPrint", FT_CHECK);
    FieldDef noFormText = calculated("NoFormText", FT_TEXT);
    f.fields = {
        kept("FNAME", FT_TEXT),
        kept("MNAME", FT_TEXT),
        kept("LNAME", FT_TEXT),
        kept("SSN", FT_SSN),
        kept("SPFNAME", FT_TEXT),
        kept("SPMNAME", FT_TEXT),
        kept("SPLNAME", FT_TEXT),
        kept("SPSSN", FT_SSN),
        kept("EMAIL", FT_TEXT),
        status,
        input("TPDEPENDENT", FT_CHECK), // someone can claim the taxpayer as a dependent
        input("TP65", FT_CHECK),
        input("TPBLIND", FT_CHECK),
        kept("TPDOB", FT_DATE),
        kept("SPDOB", FT_DATE),
        input("SP65", FT_CHECK),
        input("SPBLIND", FT_CHECK),
        calculated("L6c", FT_INTEGER),
        calculated("L6d", FT_INTEGER),
        calculated("L7", FT_MONEY),
        calculated("L8a", FT_MONEY),
        input("L8b", FT_MONEY),
        calculated("L9", FT_MONEY),
        input("L10", FT_MONEY),
        input("L11", FT_MONEY),
        calculated("L12", FT_MONEY),
        calculated("L13", FT_MONEY),
        input("L14", FT_MONEY),
        input("L15b", FT_MONEY),
        input("L16b", FT_MONEY),
        input("L17", FT_MONEY),
        input("L18", FT_MONEY),
        input("L19", FT_MONEY),
        input("L20b", FT_MONEY),
        input("L21", FT_MONEY),
        calculated("L22", FT_MONEY),
        // IRA contributions for 2002 and whether an employer plan covered each spouse.
        input("TPIRA", FT_MONEY),
        input("SPIRA", FT_MONEY),
        input("TPCOVERED", FT_CHECK),
        input("SPCOVERED", FT_CHECK),
        input("STUDENTINT", FT_MONEY), // student loan interest paid in 2002
        input("ITEMIZE", FT_CHECK),    // itemize even when the standard deduction is larger
        input("L23", FT_MONEY),
        input("L26", FT_MONEY),
        input("L27", FT_MONEY),
        input("L28", FT_MONEY),
        input("L30", FT_MONEY),
        input("L31", FT_MONEY),
        input("L32", FT_MONEY),
        input("L33a", FT_MONEY),
        calculated("L24", FT_MONEY),
        calculated("L25", FT_MONEY),
        calculated("L29", FT_MONEY),
        calculated("L34", FT_MONEY),
        calculated("L35", FT_MONEY),
        calculated("L36", FT_MONEY),
        calculated("L37a", FT_INTEGER),
        calculated("L38", FT_MONEY),
        calculated("L39", FT_MONEY),
        calculated("L40", FT_MONEY),
        calculated("L41", FT_MONEY),
        calculated("L42", FT_MONEY),
        input("L43", FT_MONEY),
        calculated("L44", FT_MONEY),
        input("L45", FT_MONEY),
        input("L46", FT_MONEY),
        input("L47", FT_MONEY),
        input("L48", FT_MONEY),
        input("L49", FT_MONEY),
        calculated("L50", FT_MONEY),
        input("L51", FT_MONEY),
        input("L52", FT_MONEY),
        input("L53", FT_MONEY),
        calculated("L54", FT_MONEY),
        calculated("L55", FT_MONEY),
        calculated("L56", FT_MONEY),
        input("L57", FT_MONEY),
        input("L58", FT_MONEY),
        input("L59", FT_MONEY),
        input("L60", FT_MONEY),
        calculated("L61", FT_MONEY),
        calculated("L62", FT_MONEY),
        calculated("L63", FT_MONEY),
        calculated("L64", FT_MONEY),
        input("L65", FT_MONEY),
        calculated("L66", FT_MONEY),
        input("L67", FT_MONEY),
        input("L68", FT_MONEY),
        calculated("L69", FT_MONEY),
        calculated("L70", FT_MONEY),
        calculated("L71a", FT_MONEY),
        input("L72", FT_MONEY),
        calculated("L73", FT_MONEY),
        input("L74", FT_MONEY),
        calculated("RefundOwe", FT_MONEY),
        calculated("CombNames", FT_TEXT),
        calculated("HaveWages", FT_CHECK),
        // The steps panel's flags: a topic with entries goes to its review question.
        calculated("HaveInvInc", FT_CHECK),
        calculated("HaveBusInc", FT_CHECK),
        calculated("HaveOthInc", FT_CHECK),
        calculated("HaveIRA", FT_CHECK),
        calculated("HaveEducation", FT_CHECK),
        calculated("HaveOthAdj", FT_CHECK),
        calculated("HaveTaxes", FT_CHECK),
        calculated("HaveChildTax", FT_CHECK),
        calculated("HaveUnderPay", FT_CHECK),
        calculated("HaveDependents", FT_CHECK),
        calculated("Itemizing", FT_CHECK),
        stopPrint,
        noFormText,
        modified,
        calculated("HaveRentInc", FT_CHECK),
        calculated("HavePensions", FT_CHECK),
        calculated("HaveStRefund", FT_CHECK),
        calculated("HaveSSB", FT_CHECK),
        calculated("HaveChildCare", FT_CHECK),
        calculated("HaveKidTax", FT_CHECK),
        calculated("EICMsg1", FT_CHECK),
        calculated("EICMsg2", FT_CHECK),
    };
    return f;
}

FormDef formW2() {
    FormDef f;
    f.name = "USDW2";
    f.title = "Form W-2";
    f.longTitle = "Form W-2 - Wage and Tax Statement";
    f.category = CAT_DOCUMENTS;
    f.maxCopies = 99;
    f.titleFields = {"EMPLOYER"};
    f.newCopyTarget = "IV_USStep3_NewWages";
    f.copyTarget = "IV_USStep3_ReviewWages";
    f.fields = {
        kept("EMPLOYER", FT_TEXT),   kept("EIN", FT_EIN),        input("WAGES", FT_MONEY),
        input("FEDWH", FT_MONEY),    input("SSWAGES", FT_MONEY), input("SSWH", FT_MONEY),
        input("MEDWAGES", FT_MONEY), input("MEDWH", FT_MONEY),   kept("STATE", FT_TEXT),
        input("STWAGES", FT_MONEY),  input("STWH", FT_MONEY),
    };
    return f;
}

// Further box 12-14 entries of one W-2, made from that W-2.
FormDef formW2Continuation() {
    FormDef f;
    f.name = "USDW2C";
    f.title = "Form W-2 Continuation";
    f.longTitle = "Form W-2 Continuation - Additional Entries";
    f.category = CAT_HIDDEN;
    f.maxCopies = 99;
    f.parents = {"USDW2"};
    f.maxChildCopies = 5;
    f.titleFields = {"CODE"};
    f.fields = {kept("CODE", FT_TEXT), input("AMOUNT", FT_MONEY)};
    return f;
}

FormDef formDependent() {
    FormDef f;
    f.name = "USDDEP";
    f.title = "Dependent";
    f.longTitle = "Dependent Information";
    f.category = CAT_WORKSHEETS;
    f.maxCopies = 50;
    f.titleFields = {"FNAME", "LNAME"};
    FieldDef months = kept("MONTHS", FT_INTEGER);
    months.min = 0;
    months.max = 12;
    f.fields = {kept("FNAME", FT_TEXT),    kept("LNAME", FT_TEXT), kept("SSN", FT_SSN),
                kept("RELATION", FT_TEXT), kept("DOB", FT_DATE),   months};
    return f;
}

FormDef form1099Int() {
    FormDef f;
    f.name = "USD1099INT";
    f.title = "Form 1099-INT";
    f.longTitle = "Form 1099-INT - Interest Income";
    f.category = CAT_DOCUMENTS;
    f.maxCopies = 99;
    f.titleFields = {"PAYER"};
    f.fields = {kept("PAYER", FT_TEXT), input("INTEREST", FT_MONEY)};
    return f;
}

FormDef form1099Div() {
    FormDef f;
    f.name = "USD1099DIV";
    f.title = "Form 1099-DIV";
    f.longTitle = "Form 1099-DIV - Dividends and Distributions";
    f.category = CAT_DOCUMENTS;
    f.maxCopies = 99;
    f.titleFields = {"PAYER"};
    f.fields = {kept("PAYER", FT_TEXT), input("ORDDIV", FT_MONEY), input("CAPGAINDIST", FT_MONEY)};
    return f;
}

// One sale of a capital asset. The term follows from the dates; LONGSHORT (as a brokerage
// reports it) decides only when the acquisition date is "Various".
FormDef formCapitalGain() {
    FormDef f;
    f.name = "USDCAPGAIN";
    f.title = "Capital Gain or Loss";
    f.longTitle = "Capital Gain or Loss Worksheet";
    f.category = CAT_WORKSHEETS;
    f.maxCopies = 999; // copy numbers stay below 1000
    f.titleFields = {"PROPERTY"};
    f.fields = {
        input("PROPERTY", FT_TEXT),
        input("DESCRIPTION", FT_TEXT),
        input("ACQUIRED", FT_DATE),
        input("SOLD", FT_DATE),
        makeField("SALES", FT_MONEY, FF_WHOLEDOLLARS),
        makeField("BASIS", FT_MONEY, FF_WHOLEDOLLARS),
        input("LONGSHORT", FT_TEXT),
        input("WASHSALE", FT_CHECK),
        input("WH", FT_MONEY),
        input("LTGAIN28", FT_MONEY), // 28 % rate part
        calculated("HTMLGAIN", FT_MONEY),
        calculated("STGAIN", FT_MONEY),
        calculated("MIDLTGAIN", FT_MONEY),  // long term, held five years or less
        calculated("LONGLTGAIN", FT_MONEY), // held more than five years
        calculated("YESWASHSALE", FT_TEXT),
    };
    return f;
}

FormDef scheduleB() {
    FormDef f;
    f.name = "USSchB";
    f.title = "Schedule B";
    f.longTitle = "Schedule B - Interest and Ordinary Dividends";
    f.category = CAT_FORMS;
    f.createByDefault = true;
    f.fields = {calculated("Needed", FT_CHECK), calculated("L2", FT_MONEY), input("L3", FT_MONEY),
                calculated("L4", FT_MONEY), calculated("L6", FT_MONEY)};
    return f;
}

FormDef scheduleD() {
    FormDef f;
    f.name = "USSchD";
    f.title = "Schedule D";
    f.longTitle = "Schedule D - Capital Gains and Losses";
    f.category = CAT_FORMS;
    f.createByDefault = true;
    f.recreatedOnDelete = true; // while sales feed it
    f.transfers = {"USDCAPGAIN"};
    f.fields = {
        calculated("Needed", FT_CHECK),
        input("GAINSKEEPERIMPORT", FT_CHECK),
        calculated("L3", FT_MONEY),
        input("L6", FT_MONEY), // short-term loss carryover from 2001, as a positive amount
        calculated("L7", FT_MONEY),
        calculated("L10", FT_MONEY),
        calculated("L13", FT_MONEY),
        input("L14", FT_MONEY), // long-term loss carryover from 2001, as a positive amount
        calculated("L15", FT_MONEY),
        calculated("L16", FT_MONEY),
        calculated("L17", FT_MONEY),
        calculated("L18", FT_MONEY),
        calculated("QUAL5YR", FT_MONEY), // qualified 5-year gain
        calculated("TAX", FT_MONEY),     // Part IV tax
    };
    return f;
}

FormDef scheduleA() {
    FormDef f;
    f.name = "USSchA";
    f.title = "Schedule A";
    f.longTitle = "Schedule A - Itemized Deductions";
    f.category = CAT_FORMS;
    f.fields = {
        input("L1", FT_MONEY),       calculated("L4", FT_MONEY),  input("L5", FT_MONEY),
        input("L6", FT_MONEY),       input("L7", FT_MONEY),       input("L8", FT_MONEY),
        calculated("L9", FT_MONEY),  input("L10", FT_MONEY),      input("L11", FT_MONEY),
        input("L12", FT_MONEY),      input("L13", FT_MONEY),      calculated("L14", FT_MONEY),
        input("L15", FT_MONEY),      input("L16", FT_MONEY),      input("L17", FT_MONEY),
        calculated("L18", FT_MONEY), input("L19", FT_MONEY),      input("L20", FT_MONEY),
        input("L21", FT_MONEY),      input("L22", FT_MONEY),      calculated("L26", FT_MONEY),
        input("L27", FT_MONEY),      input("GAMBLING", FT_MONEY), // part of line 27
        calculated("L28", FT_MONEY),
    };
    return f;
}

FormDef scheduleC() {
    FormDef f;
    f.name = "USSchC";
    f.title = "Schedule C";
    f.longTitle = "Schedule C - Profit or Loss From Business";
    f.category = CAT_FORMS;
    f.maxCopies = 20;
    f.titleFields = {"BUSNAME"};
    f.fields = {
        kept("BUSNAME", FT_TEXT), input("SPOUSE", FT_CHECK), // the spouse's business
        input("L1", FT_MONEY),    input("L2", FT_MONEY),       input("L4", FT_MONEY),
        input("L6", FT_MONEY),    calculated("L7", FT_MONEY),  input("L28", FT_MONEY),
        input("L30", FT_MONEY),   calculated("L31", FT_MONEY),
    };
    return f;
}

FormDef scheduleSE() {
    FormDef f;
    f.name = "USSchSE";
    f.title = "Schedule SE";
    f.longTitle = "Schedule SE - Self-Employment Tax";
    f.category = CAT_FORMS;
    f.createByDefault = true;
    // Element 0 the taxpayer's, element 1 the spouse's.
    FieldDef net = calculated("L4", FT_MONEY);
    net.elements = 2;
    FieldDef tax = calculated("L12", FT_MONEY);
    tax.elements = 2;
    f.fields = {calculated("Needed", FT_CHECK), net, tax};
    return f;
}

FormDef estimatedPayments() {
    FormDef f;
    f.name = "USWESTPMT";
    f.title = "Estimated Tax Payments";
    f.longTitle = "2002 Estimated Tax Payments Worksheet";
    f.category = CAT_WORKSHEETS;
    FieldDef paid = input("PAID", FT_MONEY);
    paid.elements = 4; // the four installments
    f.fields = {input("PRIOR", FT_MONEY), paid, calculated("TOTAL", FT_MONEY)};
    return f;
}

ModuleDef makeFederal() {
    ModuleDef m;
    m.name = "FEDERAL";
    m.title = "Federal";
    m.version = "2002.2 1";
    m.federal = true;
    m.forms = {form1040()};
    for (FormDef& f : federalReturnForms())
        m.forms.push_back(std::move(f));
    for (FormDef f : {formW2(), formW2Continuation(), formDependent(), form1099Int(), form1099Div(),
                      formCapitalGain(), scheduleA(), scheduleB(), scheduleC(), scheduleD(),
                      scheduleSE(), estimatedPayments()})
        m.forms.push_back(std::move(f));
    for (FormDef& f : federalBusinessForms())
        m.forms.push_back(std::move(f));
    for (FormDef& f : federalReviewForms())
        m.forms.push_back(std::move(f));
    // Taxpayer's names and SSN are one set of fields however they are asked for.
    m.globals = {
        {"TaxpayerFName", "USF1040", "FNAME"},
        {"TaxpayerMName", "USF1040", "MNAME"},
        {"TaxpayerLName", "USF1040", "LNAME"},
        {"TaxpayerSSN", "USF1040", "SSN"},
        {"TPSSN", "USF1040", "SSN"},
        {"ClientEmail", "USF1040", "EMAIL"},
        {"CombNames", "USF1040", "CombNames"},
        {"RefundOwe", "USF1040", "RefundOwe"},
        {"HaveWages", "USF1040", "HaveWages"},
        {"HaveInvInc", "USF1040", "HaveInvInc"},
        {"HaveBusInc", "USF1040", "HaveBusInc"},
        {"HaveOthInc", "USF1040", "HaveOthInc"},
        {"HaveIRA", "USF1040", "HaveIRA"},
        {"HaveEducation", "USF1040", "HaveEducation"},
        {"HaveOthAdj", "USF1040", "HaveOthAdj"},
        {"HaveTaxes", "USF1040", "HaveTaxes"},
        {"HaveChildTax", "USF1040", "HaveChildTax"},
        {"HaveUnderPay", "USF1040", "HaveUnderPay"},
        {"HaveDependents", "USF1040", "HaveDependents"},
        {"Itemizing", "USF1040", "Itemizing"},
        {"NeedSchB", "USSchB", "Needed"},
        {"NeedSchD", "USSchD", "Needed"},
        {"NeedSchSE", "USSchSE", "Needed"},
        {"StopPrint", "USF1040", "StopPrint"},
        {"NoFormText", "USF1040", "NoFormText"},
        {"Modified", "USF1040", "Modified"},
        {"FS", "USF1040", "FS"},
        {"TP65", "USF1040", "TP65"},
        {"TPBLIND", "USF1040", "TPBLIND"},
        {"SP65", "USF1040", "SP65"},
        {"SPBLIND", "USF1040", "SPBLIND"},
        {"FedAGI", "USF1040", "L35"},
        {"FedInterest", "USF1040", "L8a"},
        {"FedDividends", "USF1040", "L9"},
        {"FedExemptions", "USF1040", "L6d"},
    };
    for (const char* name : {"HaveRentInc", "HavePensions", "HaveStRefund", "HaveSSB",
                             "HaveChildCare", "HaveKidTax", "EICMsg1", "EICMsg2"})
        m.globals.push_back({name, "USF1040", name});
    for (GlobalField& g : federalReviewGlobals())
        m.globals.push_back(std::move(g));
    m.calculate = calculateFederal;
    return m;
}

} // namespace

const ModuleDef& federalModule() {
    static const ModuleDef def = makeFederal();
    return def;
}

} // namespace qv
