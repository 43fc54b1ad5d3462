#pragma once

#include <string>

struct CField;

// What a typed text means for a field of each type, and how a field's value reads.
namespace qvreturn {

// Stores `text` as a user typing it into the field and leaving it would, by the program's
// store rules: check boxes take 1 or 0, choices an index. False with the reason in `error`
// (the entry error message for a refused text) when the field refuses the text or cannot be
// typed into.
bool StoreFieldText(CField* field, const std::string& text, std::string& error);
// The value as the form shows it ("50,000.00", "03/15/2000", "X", the choice's label).
std::string FieldDisplayText(CField* field);

} // namespace qvreturn
