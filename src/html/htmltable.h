#pragma once

#include "html/htmlattribute.h"
#include "html/sectionbase.h"
#include "html/textformat.h"

#include <vector>

// A table: rows of cells, each cell a section list of its own, and an optional caption.
class CHTMLTable final : public CSectionBase {
public:
    static constexpr int kMaxColumns = 32;
    // Row spans beyond this are cut, so that a page of spanning rows stays linear to lay out.
    static constexpr int kMaxRowSpan = 1000;

    struct Cell {
        SectionList content;
        bool header = false;
        int align = 1;  // 1 left, 2 centre, 3 right
        int valign = 2; // 1 top, 2 middle, 3 bottom
        int colspan = 1;
        int rowspan = 1;
        int width = 0;
        bool widthPercent = false;
        int height = 0;
        qv::Colour bg = qv::kNoColour;
        // Layout results, relative to the table's top left corner.
        int col = 0;
        int row = 0;
        int x = 0, y = 0, w = 0, h = 0;
        int contentHeight = 0;
        int minWidth = 0, maxWidth = 0;
    };
    struct Row {
        std::vector<Cell> cells;
        qv::Colour bg = qv::kNoColour;
        int align = 0;
        int valign = 0;
    };

    CHTMLTable(HtmlDocument* doc, const qv::AttributeList& attrs, int depth, int align);
    const char* className() const override { return "CHTMLTable"; }

    int Layout(pf::Dc& dc, int top, qv::FloatMargins& margins) override;
    int Draw(pf::Dc& dc, const pf::Rect& visible, int dx, int dy) override;
    int HitTestLink(int x, int y, pf::Point* where) const override;
    bool GetItemRect(int number, pf::Rect& rect) const override;
    void PlaceControls(int dx, int dy) override;
    void GetMinMaxWidth(pf::Dc& dc, int& minimum, int& maximum) override;
    void SetDocument(HtmlDocument* doc) override;
    void Paginate(int pageTop, int& pageEnd) const override;
    void Offset(int dx, int dy) override;

    // Building, as the parser meets TR, TD/TH and CAPTION.
    void beginRow(const qv::AttributeList& attrs);
    Cell& beginCell(bool header, const qv::AttributeList& attrs);
    SectionList& beginCaption(const qv::AttributeList& attrs);

    const std::vector<Row>& rows() const { return m_rows; }
    const std::vector<int>& columnWidths() const { return m_colWidths; }
    int padding() const { return m_padding; }
    int spacing() const { return m_spacing; }
    int border() const { return m_border; }
    int left() const { return m_left; }
    int tableWidth() const { return m_width; }
    bool floating() const { return m_float != 0; }
    // On the screen, a table without BGCOLOR inside a coloured cell takes that colour.
    void setInheritedColour(qv::Colour colour) { m_inherited = colour; }

private:
    void measureCells(pf::Dc& dc);
    void placeCells();
    void computeColumns(int target);
    int columnCount() const { return m_cols; }

    std::vector<Row> m_rows;
    SectionList m_caption;
    bool m_hasCaption = false;
    bool m_captionBottom = false;
    int m_depth;
    int m_align;     // 1 left, 2 centre, 3 right (from the surrounding text)
    int m_float = 0; // 1 left, 2 right
    int m_border = 0;
    int m_padding = 2;
    int m_spacing = 3;
    int m_widthAttr = 0;
    bool m_widthPercent = false;
    int m_hspace = 5;
    qv::Colour m_bg = qv::kNoColour;
    qv::Colour m_borderColour = qv::kNoColour;
    qv::Colour m_inherited = qv::kNoColour;

    int m_cols = 0;
    int m_rowCount = 0;
    std::vector<int> m_colMin, m_colMax, m_colPct, m_colWidths, m_rowHeights;
    int m_left = 0;
    int m_width = 0;
    int m_captionHeight = 0;
    int m_gridTop = 0;
};
