#include "forms/boundlayout.h"

#include "modules/taxmodule.h"
#include "storage/datafile.h"

#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

namespace qv {

bool BoundLayout::bindsField(LayoutKind kind) {
    return kind == LK_ENTRY || kind == LK_OPTION || kind == LK_CHECK || kind == LK_CHOICE ||
           kind == LK_HOTSPOT;
}

void BoundLayout::clear() {
    name.clear();
    records.clear();
    fields.clear();
    pageHeight = pageWidth = 0;
    failures = 0;
}

bool BoundLayout::load(CTaxModule& module, int form, CFormCopy& copy) {
    clear();
    CFormManager* fm = module.formManager();
    name = module.GetFormName(form);
    if (!fm || name.empty())
        return false;
    CDataFile& data = module.dataFile();
    const std::uint32_t length = data.GetLength(name);
    if (length == 0)
        return false;
    std::string bytes(length, '\0');
    if (data.Get(name, bytes.data()) != 1)
        return false;
    // A record of an unknown kind ends the walk: what follows cannot be framed.
    records = ParseLayout(bytes).records;
    for (const LayoutRecord& r : records) {
        if (r.kind == LK_HEADER) {
            pageHeight = r.pageHeight;
            pageWidth = r.pageWidth;
            break;
        }
    }
    fields.assign(records.size(), nullptr);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const LayoutRecord& r = records[i];
        if (!bindsField(r.kind))
            continue;
        const bool choice = r.kind == LK_CHOICE;
        int number = fm->FindField(form, r.fieldName.c_str(), choice ? 0 : r.elementIndex);
        if (number == 0) {
            ++failures;
            number = 1;
        } else if (choice) {
            number += r.fieldOffset;
        }
        fields[i] = copy.GetField(number);
    }
    return !records.empty();
}

} // namespace qv
