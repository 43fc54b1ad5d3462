// FEDPRINT.so: the federal print manager. Official page images come from FEDPRINT.DAT beside
// the library (made at build time from the form layouts); Form 1040 also carries a
// two-dimensional barcode of its key figures on its last page.
#include "moduleprintmanager.h"
#include "moduletext.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

namespace {

// Top-left of the barcode on the last page: the free space right of the credit lines.
constexpr int kBarcodeColumn = 68;
constexpr int kBarcodeRow = 18;

// Form 1040 fields the barcode carries, as "NAME<TAB>value" lines: filing status, the
// income lines, AGI, deductions, taxable income, tax, credits, payments and the result.
constexpr const char* kBarcodeFields[] = {"SSN", "SPSSN", "FS",  "L6d", "L7",  "L8a",  "L9",  "L13",
                                          "L22", "L35",   "L38", "L39", "L40", "L41",  "L42", "L54",
                                          "L55", "L60",   "L61", "L62", "L69", "L70a", "L72"};

std::string fieldLine(CFormCopy* copy, const char* name) {
    CFormManager* fm = copy->GetFormManager();
    const int number = fm->FindField(copy->GetFormIndex(), name, 0);
    CField* field = number > 0 ? copy->GetField(number) : nullptr;
    if (!field)
        return {};
    switch (field->GetType()) {
    case FT_MONEY:
        return field->GetMoney() ? std::string(name) + "\t" + qv::moneyText(field->GetMoney())
                                 : std::string();
    case FT_INTEGER:
        return field->GetLong() ? std::string(name) + "\t" + std::to_string(field->GetLong())
                                : std::string();
    case FT_CHOICE:
        return field->GetChoice() >= 0
                   ? std::string(name) + "\t" + std::to_string(field->GetChoice())
                   : std::string();
    default: {
        char buf[256] = {};
        field->GetText(buf, sizeof buf);
        return buf[0] ? std::string(name) + "\t" + buf : std::string();
    }
    }
}

std::vector<std::string> barcodeLines(CFormCopy* copy) {
    std::vector<std::string> lines = {"F1040\t2002"};
    for (const char* name : kBarcodeFields) {
        std::string line = fieldLine(copy, name);
        if (!line.empty())
            lines.push_back(std::move(line));
    }
    char refund[256] = {};
    copy->GetFormManager()->GetFieldText(refund, sizeof refund, "RefundOwe");
    if (refund[0])
        lines.push_back(std::string("RefundOwe\t") + refund);
    return lines;
}

void addBarcode(CFormCopy* copy, qv::ModulePrintItem& item, int page, int pages) {
    if (page != pages || !copy || !copy->GetFormManager())
        return;
    char name[QV_NAME_SIZE] = {};
    copy->GetFormManager()->GetFormName(name, sizeof name, copy->GetFormIndex());
    if (!qv::sameName(name, "USF1040"))
        return;
    item.addElement(PET_BARCODE_START, 0, page, 0, 0, 0, "");
    const std::vector<std::string> lines = barcodeLines(copy);
    for (std::size_t i = 0; i < lines.size(); ++i)
        item.addElement(PET_BARCODE_LINE, 0, page, int(i + 1), 0, 0, lines[i]);
    item.addElement(PET_BARCODE_DRAW, 0, page, kBarcodeRow, kBarcodeColumn, 0, "");
}

} // namespace

QUORVA_EXPORT CPrintManager* CreatePrintManager() {
    // Forms for an e-filed return: the 1040 kept for the records and the W-2s that go with
    // the signature document; the signature authorization set holds the e-file worksheet
    // with the PINs, and the program adds the consent document after it.
    return new qv::ModulePrintManager(
        {{"PrintEFileForms", {"USF1040", "USDW2"}}, {"PrintSigAuth", {"USWEFWksht"}}},
        {"FEDPRINT.DAT", addBarcode});
}

QUORVA_EXPORT std::uint64_t QuorvaFileVersion() {
    return QuorvaMakeVersion(1, 0, 0, 1);
}
