#pragma once

#include "html/htmlattribute.h"
#include "html/sectionbase.h"
#include "html/textformat.h"

// A horizontal rule: a sunken frame, or a solid bar when it has a colour.
class CHorzLine final : public CSectionBase {
public:
    CHorzLine(HtmlDocument* doc, const qv::AttributeList& attrs);
    const char* className() const override { return "CHorzLine"; }
    int Layout(pf::Dc& dc, int top, qv::FloatMargins& margins) override;
    int Draw(pf::Dc& dc, const pf::Rect& visible, int dx, int dy) override;
    void Offset(int dx, int dy) override;

    int size() const { return m_size; }
    // The rule's rectangle in page coordinates after layout.
    pf::Rect rule() const { return m_rule; }

private:
    int m_size = 2;
    int m_width = 0; // 0 = margin to margin less 10 on each side
    bool m_percent = false;
    qv::Colour m_colour = qv::kNoColour;
    pf::Rect m_rule;
};
