#pragma once

#include "html/ulistitem.h"

#include <string>

// An item of a numbered list; the marker is the number in the list's numbering type.
class COListItem final : public CUListItem {
public:
    COListItem(HtmlDocument* doc, int align, const qv::TextFormat& format,
               const qv::LinkState& link, std::uint16_t style, int vpos, int depth, int number,
               char type);
    const char* className() const override { return "COListItem"; }
    int number() const { return m_number; }
    // The marker text: "3.", "C.", "iii." ...
    std::string markerText() const;

protected:
    void drawMarker(pf::Dc& dc, int dx, int dy) override;

private:
    int m_number;
    char m_type;
};
