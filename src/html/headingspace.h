#pragma once

#include "html/sectionbase.h"

// The vertical space above and below a heading; its height depends on the level.
class CHeadingSpace final : public CSectionBase {
public:
    CHeadingSpace(HtmlDocument* doc, int level) : CSectionBase(doc), m_level(level) {}
    const char* className() const override { return "CHeadingSpace"; }
    int Layout(pf::Dc& dc, int top, qv::FloatMargins& margins) override;
    int level() const { return m_level; }

private:
    int m_level;
};
