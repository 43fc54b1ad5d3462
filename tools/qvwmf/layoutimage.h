#pragma once

#include "forms/formlayout.h"

#include <cstdint>
#include <string>
#include <vector>

// Turns a form layout into the official page images a print manager keeps: one placeable
// metafile per printed page, drawn in the coordinates of the printed page (1/300 inch from
// the paper's top-left corner, so the 2400 x 3200 frame starts at (75, 50)), and the places
// of the layout's fields on the character grid of that page.
//
// Mapping: a printed page of the layout is 9300 x 11200 layout units. Across, it is scaled
// by 2400/9300 so that its width fills the frame (x 75 to 2475). Down, the layouts' row pitch
// of 180 units becomes the grid's row of 50 (1/6 inch, as the paper forms are ruled), so the
// 11200 units become 3111, starting between y = 50 and 99, above the time stamp at the
// frame's foot. Within that range each page starts where most of its amount rows fall on
// the grid: the most common top of its 180-unit entry boxes (mod 180) is placed so that
// such a box lies exactly round one grid row of text. Rows off that rhythm (after a gap of
// another height) are then moved by up to 25 units onto the grid too, the space between
// two such rows stretched or squeezed evenly. Fonts scale with the width, so text keeps its
// proportions. Layout page p holds the records whose top lies in (-(p-1)*11200, -p*11200].
namespace qv {

inline constexpr int kLayoutPageWidth = 9300;
inline constexpr int kLayoutPageHeight = 11200;
inline constexpr int kImageLeft = 75;
inline constexpr int kImageTopMin = 50; // frame top; a page starts at most 49 below
inline constexpr int kLayoutRowPitch = 180;
inline constexpr int kImageUnitsPerInch = 300;
inline constexpr int kPaperWidth = 2550;
inline constexpr int kPaperHeight = 3300;

// Where a bound record's value goes on the grid.
struct GridPlacement {
    char kind = 'E'; // E entry box, C check box, O option button, H choice box
    int page = 1;
    int row = 0;
    int column = 0;
    int width = 1;       // columns
    int elementType = 1; // grid element type that fits the box height: 1, 8 or 6 (5: half column)
    std::uint8_t align = 0;
    std::uint16_t layoutFlags = 0;
    std::uint8_t decimals = 0;
    std::uint16_t element = 0;
    std::string field;
    bool operator==(const GridPlacement&) const = default;
};

// The vertical mapping of one layout page: linear from its top, with the amount rows moved
// onto the grid (see above).
class PageMap final {
public:
    PageMap(const std::vector<LayoutRecord>& records, int page);
    int top() const { return m_top; }
    int y(std::int32_t layoutY) const; // frame y of a layout y on this page

private:
    int m_page;
    int m_top;
    std::vector<std::pair<std::int64_t, int>> m_anchors; // (units down the page, offset)
};

struct LayoutImages {
    std::vector<std::string> pages; // metafile bytes, page 1 first
    std::vector<PageMap> maps;      // one per page
    std::vector<GridPlacement> placements;
};

// Frame coordinates of a layout point on layout page `page`, before rows are moved.
int ImageX(std::int32_t x);
int ImageY(std::int32_t y, int page, int pageTop);
// The layout page a record whose top is `top` prints on.
int LayoutPageOf(std::int32_t top);

LayoutImages RenderLayout(const std::vector<LayoutRecord>& records);

// The grid placements as text, one line each:
// kind page row column width type align flags decimals element name, tab-separated.
std::string PlacementText(const std::vector<GridPlacement>& placements);

} // namespace qv
