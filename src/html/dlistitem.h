#pragma once

#include "html/ulistitem.h"

// An item of a definition list (DD, DT): indented like a list item, without a marker.
class CDListItem final : public CUListItem {
public:
    CDListItem(HtmlDocument* doc, int align, const qv::TextFormat& format,
               const qv::LinkState& link, std::uint16_t style, int vpos, int depth)
        : CUListItem(doc, align, format, link, style, vpos, depth) {
        m_listKind = qv::kDefinition;
    }
    const char* className() const override { return "CDListItem"; }

protected:
    void drawMarker(pf::Dc&, int, int) override {}
};
