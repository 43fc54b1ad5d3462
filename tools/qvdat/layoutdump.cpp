#include "layoutdump.h"

#include "layoutcompiler.h"
#include "layoutsyntax.h"

#include <cstdio>
#include <cstdlib>

namespace qvdat {
namespace {

using qv::LayoutRecord;

// A value in quotes, with the escapes the compiler reads; '$' doubled, since variables are
// replaced before a line is split.
std::string quoted(const std::string& v) {
    std::string out = "\"";
    for (unsigned char c : v) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c == '$') {
            out += "$$";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < ' ' || c >= 127) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

// A value as one token: bare when it can be, else quoted.
std::string token(const std::string& v) {
    bool plain = !v.empty() && v[0] != '#';
    for (unsigned char c : v)
        if (c <= ' ' || c == '"' || c == '=' || c == '\\' || c == '$' || c >= 127)
            plain = false;
    return plain ? v : quoted(v);
}

class Line {
public:
    explicit Line(const std::string& keyword) : m_s(keyword) {}
    void add(const std::string& key, const std::string& value) { m_s += " " + key + "=" + value; }
    void num(const std::string& key, long long v) { add(key, std::to_string(v)); }
    void flag(const std::string& key) { m_s += " " + key; }
    std::string str() const { return m_s + "\n"; }

private:
    std::string m_s;
};

} // namespace

std::string FormatLayout(const std::vector<LayoutRecord>& records) {
    std::string out;
    int page = 1;
    long long lastControl = 0;
    // y down from the layout top → page and y within it.
    auto place = [&](std::int32_t yUp, long long& y) {
        const long long down = -static_cast<long long>(yUp);
        const int p = down > 0 ? int(down / kLayoutPageHeight) + 1 : 1;
        if (p != page) {
            page = p;
            out += "page " + std::to_string(page) + "\n";
        }
        y = down - static_cast<long long>(page - 1) * kLayoutPageHeight;
    };
    for (const LayoutRecord& r : records) {
        const LayoutRecord base = LayoutCompiler::baseRecord(r.kind);
        Line l(KeywordOf(r.kind));
        if (r.kind == qv::LK_LINE) {
            long long y1 = 0;
            place(r.y1, y1);
            const long long y2 = -static_cast<long long>(r.y2) -
                                 static_cast<long long>(page - 1) * kLayoutPageHeight;
            l.num("x1", r.x1);
            l.num("y1", y1);
            l.num("x2", r.x2);
            l.num("y2", y2);
            if (r.lineColor != base.lineColor)
                l.add("color", FormatColour(r.lineColor));
            out += l.str();
            continue;
        }
        if (r.kind == qv::LK_HEADER) {
            l.num("width", r.pageWidth);
            l.num("height", -static_cast<long long>(r.pageHeight));
        } else {
            long long y = 0;
            place(r.box.top, y);
            l.num("x", r.box.left);
            l.num("y", y);
            l.num("w", r.box.width);
            l.num("h", -static_cast<long long>(r.box.height));
        }
        const bool hasFont = r.kind == qv::LK_HEADER || r.kind == qv::LK_TEXT ||
                             r.kind == qv::LK_OPTION || r.kind == qv::LK_CHECK;
        const bool hasBg = r.kind == qv::LK_HEADER || r.kind == qv::LK_TEXT ||
                           r.kind == qv::LK_ENTRY || r.kind == qv::LK_OPTION ||
                           r.kind == qv::LK_CHOICE;
        const bool hasColor = hasBg ? r.kind != qv::LK_CHOICE : r.kind == qv::LK_CHECK;
        const bool hasAlign = r.kind == qv::LK_TEXT || r.kind == qv::LK_ENTRY ||
                              r.kind == qv::LK_OPTION || r.kind == qv::LK_CHECK;
        const bool hasVisible =
            r.kind != qv::LK_HEADER && r.kind != qv::LK_SHAPE && r.kind != qv::LK_HOTSPOT;
        if (r.isBound()) {
            std::string field = r.fieldName;
            if (r.elementIndex != 0 && r.kind != qv::LK_CHOICE)
                field += "(" + std::to_string(r.elementIndex) + ")";
            l.add("field", token(field));
            if (r.kind == qv::LK_CHOICE && r.fieldOffset != 0)
                l.num("offset", r.fieldOffset);
            if (r.controlNumber != lastControl + 1)
                l.num("tab", r.controlNumber);
            lastControl = r.controlNumber;
        }
        if (hasFont && !(r.font == base.font))
            l.add("font", FormatFont(r.font));
        if (hasAlign && r.align != base.align)
            l.add("align", FormatAlign(r.align));
        if ((r.kind == qv::LK_TEXT || r.kind == qv::LK_ENTRY) && r.frame)
            l.flag("frame");
        if (r.kind == qv::LK_TEXT) {
            if (r.leaderEnd != 0)
                l.num("leader", r.leaderEnd);
            if (r.opaque)
                l.flag("opaque");
        }
        if (r.kind == qv::LK_ENTRY) {
            const unsigned known = qv::LF_WHOLE_DOLLARS | qv::LF_APPEND_ZERO_CENTS;
            if (r.layoutFlags & ~known)
                l.num("flags", r.layoutFlags);
            else {
                if (r.layoutFlags & qv::LF_WHOLE_DOLLARS)
                    l.flag("dollars");
                if (r.layoutFlags & qv::LF_APPEND_ZERO_CENTS)
                    l.flag("cents");
            }
            if (r.decimals != 0)
                l.num("len", r.decimals);
        }
        if ((r.kind == qv::LK_OPTION || r.kind == qv::LK_CHECK) && r.group)
            l.flag("group");
        if (r.kind == qv::LK_CHECK && !r.boxed)
            l.flag("nobox");
        if (hasVisible && !r.visible)
            l.flag("hidden");
        if (hasBg && r.bgColor != base.bgColor)
            l.add("bg", FormatColour(r.bgColor));
        if (hasColor && r.textColor != base.textColor)
            l.add("color", FormatColour(r.textColor));
        if (r.kind == qv::LK_HEADER && r.pageExtra != 0)
            l.num("extra", r.pageExtra);
        if (r.kind == qv::LK_SHAPE) {
            if (r.shape != base.shape)
                l.add("kind", FormatShape(r.shape));
            if (r.penStyle != base.penStyle)
                l.add("pen", FormatPenStyle(r.penStyle));
            if (r.penWidth != base.penWidth)
                l.num("penwidth", r.penWidth);
            if (r.penColor != base.penColor)
                l.add("color", FormatColour(r.penColor));
            if (r.fillColor != base.fillColor)
                l.add("fill", FormatColour(r.fillColor));
        }
        if (r.kind == qv::LK_TEXT)
            l.add("text", quoted(r.text));
        if ((r.kind == qv::LK_OPTION || r.kind == qv::LK_CHECK) && !r.label.empty())
            l.add("label", token(r.label));
        out += l.str();
    }
    return out;
}

} // namespace qvdat
