#pragma once

#include "forms/formlayout.h"
#include "platform/dctypes.h"

#include <functional>
#include <vector>

struct CField;
namespace pf {
class Dc;
}

namespace qv {

// Draws the records of a form layout onto a context that is already mapped to layout units
// (y up). The screen page and the layout printer share it; neither knows how a record kind
// looks.
class LayoutPainter final {
public:
    struct Options {
        // Logical area to draw; records whose box misses it are skipped.
        LayoutBounds area{INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2, INT32_MIN / 2};
        // Records whose box lies wholly below this y are past the page and never drawn.
        int pageBottom = INT32_MIN / 2;
        // On a printer every text is black.
        bool printer = false;
        // The control number whose option button or check box shows the focus mark.
        int focusControl = 0;
        // Logical units per screen pixel (the rounded corners of shapes are given in pixels).
        double unitsPerPixel = 15.0;
        // Width of the pen for lines, in logical units (0: one device pixel).
        int linePenWidth = 0;
        // Further selection of records (the printer takes one page at a time).
        std::function<bool(const LayoutRecord&)> filter;
    };

    // `fields` runs parallel to `records` (null where a record is unbound).
    static void paint(pf::Dc& dc, const std::vector<LayoutRecord>& records,
                      const std::vector<CField*>& fields, const Options& options);

    // The font a layout font descriptor selects, `weight` > 0 forcing the weight. For the
    // symbol face 2 a one-letter text is replaced and the size raised (`text` is changed).
    static pf::LogFont logFont(const LayoutFont& font, int weight = 0, std::string* text = nullptr);

    // The box a record covers, for the area test (a line: its end points).
    static LayoutBounds bounds(const LayoutRecord& record);
};

} // namespace qv
