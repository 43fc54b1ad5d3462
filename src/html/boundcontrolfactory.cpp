#include "html/boundcontrolfactory.h"

#include "html/formcontrol.h"

std::unique_ptr<CFormControl> qv::CreateBoundControl(HtmlDocument*, PageForm*, const AttributeList&,
                                                     bool* handled) {
    *handled = false;
    return nullptr;
}
