#pragma once

#include "platform/dctypes.h"

#include <memory>
#include <vector>

namespace pf {
class Dc;
}

class HtmlDocument;

namespace qv {
class FloatMargins;
}

// A block of a laid-out page. Layout places the block at `top` within the margins and
// returns its height; Draw paints it shifted by (dx, dy) if it meets `visible`.
class CSectionBase {
public:
    explicit CSectionBase(HtmlDocument* doc) : m_doc(doc) {}
    virtual ~CSectionBase() = default;
    CSectionBase(const CSectionBase&) = delete;
    CSectionBase& operator=(const CSectionBase&) = delete;

    // The runtime class name ("CSection", "CHTMLTable", ...).
    virtual const char* className() const = 0;

    virtual int Layout(pf::Dc& dc, int top, qv::FloatMargins& margins);
    virtual int Draw(pf::Dc& dc, const pf::Rect& visible, int dx, int dy);
    // The link number at page point (x, y), or -1; `where` gets the point relative to the
    // image the link stands on, when it is one.
    virtual int HitTestLink(int x, int y, pf::Point* where) const;
    // The page rectangle of the text of link `number`; false when the block has none.
    virtual bool GetItemRect(int number, pf::Rect& rect) const;
    virtual void PlaceControls(int dx, int dy);
    virtual void GetMinMaxWidth(pf::Dc& dc, int& minimum, int& maximum);
    virtual void SetDocument(HtmlDocument* doc) { m_doc = doc; }
    // Moves a laid-out block; tables place their cells' content this way after the rows
    // are measured, so that nothing is laid out twice.
    virtual void Offset(int dx, int dy);
    // Printing: moves `pageEnd` up so that nothing of this block is cut, where the block
    // allows that.
    virtual void Paginate(int pageTop, int& pageEnd) const;

    int top() const { return m_top; }
    int height() const { return m_height; }
    int bottom() const { return m_top + m_height; }
    // The rightmost x the last layout reached; over-wide pages scroll to it.
    int extentRight() const { return m_right; }
    HtmlDocument* document() const { return m_doc; }

protected:
    HtmlDocument* m_doc;
    int m_top = 0;
    int m_height = 0;
    int m_right = 0;
};

using SectionList = std::vector<std::unique_ptr<CSectionBase>>;
