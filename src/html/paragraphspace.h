#pragma once

#include "html/sectionbase.h"

// The vertical space of a paragraph tag.
class CParagraphSpace final : public CSectionBase {
public:
    using CSectionBase::CSectionBase;
    const char* className() const override { return "CParagraphSpace"; }
    int Layout(pf::Dc& dc, int top, qv::FloatMargins& margins) override;
};
