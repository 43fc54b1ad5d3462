#pragma once

#include "html/htmlattribute.h"

#include <memory>

class CFormControl;
class HtmlDocument;
class PageForm;

namespace qv {

// The part of the control factory for INPUT tags that belong to the return: a FIELD= that
// resolves, TYPE=button and TYPE=copylist. Sets `handled` when it decided the tag (the
// answer may then be null: a field that takes no control); otherwise the plain controls
// are made.
std::unique_ptr<CFormControl> CreateBoundControl(HtmlDocument* doc, PageForm* form,
                                                 const AttributeList& attrs, bool* handled);

} // namespace qv
