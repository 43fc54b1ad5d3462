#include "federalforms.h"

#include "federalcalculation.h"

namespace qv {
namespace {

FieldDef input(const char* name, int type) {
    return makeField(name, type);
}
FieldDef kept(const char* name, int type) {
    FieldDef f = makeField(name, type);
    f.carryForward = true;
    return f;
}
FieldDef calculated(const char* name, int type) {
    return makeField(name, type, FF_CALCULATED);
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
        input("SP65", FT_CHECK),
        input("SPBLIND", FT_CHECK),
        calculated("L6c", FT_INTEGER),
        calculated("L6d", FT_INTEGER),
        calculated("L7", FT_MONEY),
        input("L8a", FT_MONEY),
        input("L9", FT_MONEY),
        input("L21", FT_MONEY),
        calculated("L22", FT_MONEY),
        calculated("L35", FT_MONEY),
        calculated("L36", FT_MONEY),
        calculated("L37a", FT_INTEGER),
        calculated("L38", FT_MONEY),
        calculated("L39", FT_MONEY),
        calculated("L40", FT_MONEY),
        calculated("L41", FT_MONEY),
        calculated("L42", FT_MONEY),
        calculated("L61", FT_MONEY),
        calculated("L62", FT_MONEY),
        input("L63", FT_MONEY),
        calculated("L69", FT_MONEY),
        calculated("L70", FT_MONEY),
        calculated("L71a", FT_MONEY),
        calculated("L73", FT_MONEY),
        calculated("RefundOwe", FT_MONEY),
        calculated("CombNames", FT_TEXT),
        calculated("HaveWages", FT_CHECK),
        stopPrint,
        noFormText,
        modified,
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

ModuleDef makeFederal() {
    ModuleDef m;
    m.name = "FEDERAL";
    m.title = "Federal";
    m.version = "2002.1 1";
    m.federal = true;
    m.forms = {form1040(), formW2(), formW2Continuation(), formDependent()};
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
        {"StopPrint", "USF1040", "StopPrint"},
        {"NoFormText", "USF1040", "NoFormText"},
        {"Modified", "USF1040", "Modified"},
        {"FS", "USF1040", "FS"},
        {"TP65", "USF1040", "TP65"},
        {"TPBLIND", "USF1040", "TPBLIND"},
        {"SP65", "USF1040", "SP65"},
        {"SPBLIND", "USF1040", "SPBLIND"},
        {"FedAGI", "USF1040", "L35"},
        {"FedExemptions", "USF1040", "L6d"},
    };
    m.calculate = calculateFederal;
    return m;
}

} // namespace

const ModuleDef& federalModule() {
    static const ModuleDef def = makeFederal();
    return def;
}

} // namespace qv
