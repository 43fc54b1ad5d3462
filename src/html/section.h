#pragma once

#include "html/htmlattribute.h"
#include "html/sectionbase.h"
#include "html/textformat.h"

#include <memory>
#include <string>
#include <vector>

class CFormControl;

namespace pf {
struct FontMetrics;
}

namespace qv {

enum Align : int { kAlignLeft = 1, kAlignCenter = 2, kAlignRight = 3 };
enum VerticalPos : int { kNormal = 0, kSubscript = 1, kSuperscript = 2 };
enum ListKind : int { kNoList = 0, kBullet = 1, kDefinition = 2, kNumber = 3 };

// The link a run of text belongs to; number 0 means "no link" and ends the one before.
struct LinkState {
    std::string url;
    std::string target;
    int number = 0;
};

} // namespace qv

// A block of running text: a buffer of characters in which every image or control stands as
// one marker character, with format and link runs and, after layout, its lines.
class CSection : public CSectionBase {
public:
    static constexpr char kObjectMarker = 4;
    static constexpr char kBreakMarker = 2;
    static constexpr std::size_t kMaxText = 20000;

    enum ImageAlign : int { kImgBottom = 0, kImgTop, kImgMiddle, kImgLeft, kImgRight };

    struct FormatRun {
        int start = 0;
        qv::TextFormat format; // style flags merged in
        int vpos = qv::kNormal;
        std::shared_ptr<const pf::FontMetrics> metrics; // set by layout
    };
    struct LinkRun {
        int start = 0;
        qv::LinkState link;
    };
    struct Image {
        std::string src;
        std::string alt;
        std::string caption;
        int align = kImgBottom;
        int width = -1; // WIDTH and HEIGHT as written, -1 when absent
        int height = -1;
        int hspace = 5;
        bool transparent = false;
        qv::Colour transpColour = qv::paletteRgb(255, 0, 255);
        std::string map;
        bool ismap = false;
        int link = 0;
    };
    struct Object {
        int pos = 0;
        std::unique_ptr<Image> image;    // or
        CFormControl* control = nullptr; // owned by its page form
        int w = 0, h = 0;                // laid-out size
        int x = 0, y = 0;                // laid-out page position
        bool loaded = false;
    };
    struct Line {
        int start = 0;
        int length = 0;
        int top = 0;
        int height = 0;
        int ascent = 0;
        int left = 0;
        int width = 0;
    };

    CSection(HtmlDocument* doc, int align, const qv::TextFormat& format, const qv::LinkState& link,
             std::uint16_t style, int vpos);

    const char* className() const override { return "CSection"; }
    int Layout(pf::Dc& dc, int top, qv::FloatMargins& margins) override;
    int Draw(pf::Dc& dc, const pf::Rect& visible, int dx, int dy) override;
    int HitTestLink(int x, int y, pf::Point* where) const override;
    bool GetItemRect(int number, pf::Rect& rect) const override;
    void PlaceControls(int dx, int dy) override;
    void GetMinMaxWidth(pf::Dc& dc, int& minimum, int& maximum) override;
    void Paginate(int pageTop, int& pageEnd) const override;
    void Offset(int dx, int dy) override;

    virtual void AddText(const std::string& text);
    void markFormat(const qv::TextFormat& format, std::uint16_t style, int vpos);
    void markLink(const qv::LinkState& link);
    void addImage(const qv::AttributeList& attrs, int link);
    void addControl(CFormControl* control);

    int alignment() const { return m_align; }
    void setAlignment(int align) { m_align = align; }
    int depth() const { return m_depth; }
    void setDepth(int depth) { m_depth = depth; }
    void setClear(int sides) { m_clear = sides; }
    int clear() const { return m_clear; }
    int listKind() const { return m_listKind; }
    bool empty() const { return m_text.empty(); }

    const std::string& text() const { return m_text; }
    const std::vector<FormatRun>& formats() const { return m_formats; }
    const std::vector<LinkRun>& links() const { return m_links; }
    const std::vector<Object>& objects() const { return m_objects; }
    const std::vector<Line>& lines() const { return m_lines; }

protected:
    virtual bool wraps() const { return true; }
    // Draws the list marker of the first line; plain text blocks have none.
    virtual void drawMarker(pf::Dc&, int, int) {}

    int formatAt(int pos) const;
    int linkAt(int pos) const;
    int charWidth(int pos, int run) const;
    void measureFormats(pf::Dc& dc);
    void measureObjects(pf::Dc& dc);
    const Object* objectAt(int pos) const;
    void selectFormat(pf::Dc& dc, const FormatRun& run) const;

    int m_align;
    int m_depth = 0;
    int m_clear = 0;
    int m_listKind = qv::kNoList;
    std::string m_text;
    std::vector<FormatRun> m_formats;
    std::vector<LinkRun> m_links;
    std::vector<Object> m_objects;
    std::vector<Line> m_lines;
};
