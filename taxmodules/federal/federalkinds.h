#pragma once

#include "moduledef.h"

#include <vector>

// The federal module's form kinds beyond the Form 1040 family's data-entry forms.
namespace qv {

// Forms 1040A and 1040EZ (reference copies of the 1040's figures) and Form 1040X.
std::vector<FormDef> federalReturnForms();
// The review, interview, e-file and planning worksheets, the summary and the details form.
std::vector<FormDef> federalReviewForms();
// Business, rental, pension and depreciation kinds with their parent and child rules.
std::vector<FormDef> federalBusinessForms();
// Module-global names of the forms above.
std::vector<GlobalField> federalReviewGlobals();

} // namespace qv
