#pragma once

#include <string>

class CModuleList;
class CTaxModule;
struct CField;

namespace qvreturn {

// A field named on the command line: FORM.FIELD[(INDEX)][,ORDINAL] (ordinal 1 when omitted),
// or the name of a module-global field such as RefundOwe.
struct FieldAddress {
    std::string form; // empty for a module-global field
    std::string field;
    int index = 0;
    int ordinal = 1;
};

// False with the reason in `error` when the text is not a reference.
bool ParseFieldAddress(const std::string& text, FieldAddress& out, std::string& error);

// The field in the loaded return, or null with the reason in `error` (no such form, module,
// copy or field).
CField* ResolveField(CModuleList& modules, const FieldAddress& address, std::string& error);

} // namespace qvreturn
