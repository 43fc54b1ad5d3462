#pragma once

#include "html/formcontrol.h"

// INPUT TYPE=hidden: holds NAME and VALUE, shows nothing and takes no place.
class CHiddenFormControl final : public CFormControl {
public:
    using CFormControl::CFormControl;
    bool visible() const override { return false; }
    void Print(pf::Dc&, int, int) override {}
    void SizeToFont(pf::Dc&) override { m_width = m_height = 0; }
};
