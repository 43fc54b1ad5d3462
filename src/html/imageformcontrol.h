#pragma once

#include "html/formcontrol.h"

// INPUT TYPE=image: the parser adds an image with the same attributes to the block; the
// control itself has no window and a click on the image changes nothing.
class CImageFormControl final : public CFormControl {
public:
    using CFormControl::CFormControl;
    bool visible() const override { return false; }
    void Print(pf::Dc&, int, int) override {}
    void SizeToFont(pf::Dc&) override { m_width = m_height = 0; }
};
