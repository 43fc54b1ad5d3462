#pragma once

#include "html/section.h"

// An item of a bulleted list (UL, DIR, MENU); a plain list draws no bullet.
class CUListItem : public CSection {
public:
    CUListItem(HtmlDocument* doc, int align, const qv::TextFormat& format,
               const qv::LinkState& link, std::uint16_t style, int vpos, int depth);
    const char* className() const override { return "CUListItem"; }
    void setPlain(bool plain) { m_plain = plain; }
    bool plain() const { return m_plain; }

protected:
    void drawMarker(pf::Dc& dc, int dx, int dy) override;
    bool m_plain = false;
};
