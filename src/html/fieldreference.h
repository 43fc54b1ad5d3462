#pragma once

#include <string>

// A page's reference to a return field: "FORM.FIELD", "FORM.FIELD(ELEMENT)", each optionally
// followed by ",COPY". Letter case is the caller's: pages compare references upper-cased.
namespace qv {

struct FieldReference {
    std::string form;
    std::string field;
    int element = 0;
    std::string copy; // empty: the page's current copy (or copy 1)
};

// False when there is no "." between form and field.
bool ParseFieldReference(const std::string& reference, FieldReference& out);

} // namespace qv
