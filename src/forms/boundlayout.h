#pragma once

#include "forms/formlayout.h"

#include <string>
#include <vector>

class CTaxModule;
struct CField;
struct CFormCopy;

namespace qv {

// A form kind's layout read from its module's data file with every bound record tied to a
// field of one copy. Names the form manager does not know are tied to field 1, so that a
// damaged layout still shows; `failures` counts them.
struct BoundLayout {
    std::string name; // the layout entry, the form's name
    std::vector<LayoutRecord> records;
    std::vector<CField*> fields; // parallel to records; null for unbound kinds
    std::int32_t pageHeight = 0; // from the header: negative
    std::int32_t pageWidth = 0;
    int failures = 0;

    // False (and empty) when the entry is missing or empty.
    bool load(CTaxModule& module, int form, CFormCopy& copy);
    void clear();

    static bool bindsField(LayoutKind kind);
};

} // namespace qv
