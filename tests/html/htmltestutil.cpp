#include "htmltestutil.h"

#include "html/headingspace.h"
#include "html/htmltable.h"
#include "html/olistitem.h"
#include "html/section.h"

#include <string_view>

namespace qvtest {

std::unique_ptr<HtmlDocument> parse(const std::string& html, RecordingHost* host) {
    static RecordingHost quiet;
    auto doc = std::make_unique<HtmlDocument>();
    HtmlParser parser(host ? *host : quiet);
    parser.Parse(*doc, doc->anchors, html.data(), html.size());
    return doc;
}

namespace {

void dumpInto(const SectionList& list, std::string& out) {
    for (const auto& b : list) {
        const std::string_view name = b->className();
        if (const auto* t = dynamic_cast<const CHTMLTable*>(b.get())) {
            out += "T[";
            bool firstRow = true;
            for (const auto& row : t->rows()) {
                if (!firstRow)
                    out += " | ";
                firstRow = false;
                bool firstCell = true;
                for (const auto& cell : row.cells) {
                    if (!firstCell)
                        out += " ; ";
                    firstCell = false;
                    std::string inner;
                    dumpInto(cell.content, inner);
                    while (!inner.empty() && inner.back() == '\n')
                        inner.pop_back();
                    for (char& c : inner) {
                        if (c == '\n')
                            c = '/';
                    }
                    out += inner;
                }
            }
            out += "]\n";
        } else if (const auto* s = dynamic_cast<const CSection*>(b.get())) {
            if (s->empty())
                continue;
            std::string tag = name == "CSection"       ? "S"
                              : name == "CPreformated" ? "PRE"
                              : name == "CUListItem"   ? "UL"
                              : name == "CDListItem"   ? "DL"
                                                       : "OL";
            if (const auto* o = dynamic_cast<const COListItem*>(s))
                tag += o->markerText();
            if (s->depth())
                tag += "d" + std::to_string(s->depth());
            if (s->alignment() != 1)
                tag += s->alignment() == 2 ? "c" : "r";
            std::string text;
            for (char c : s->text())
                text += c == CSection::kObjectMarker ? '#' : c;
            out += tag + ":" + text + "\n";
        } else if (const auto* h = dynamic_cast<const CHeadingSpace*>(b.get())) {
            out += "H" + std::to_string(h->level()) + "\n";
        } else if (name == "CParagraphSpace") {
            out += "P\n";
        } else if (name == "CHorzLine") {
            out += "HR\n";
        } else if (name == "CPage") {
            out += "PAGE\n";
        }
    }
}

void collect(const SectionList& list, std::vector<const CSection*>& out) {
    for (const auto& b : list) {
        if (const auto* t = dynamic_cast<const CHTMLTable*>(b.get())) {
            for (const auto& row : t->rows()) {
                for (const auto& cell : row.cells)
                    collect(cell.content, out);
            }
        } else if (const auto* s = dynamic_cast<const CSection*>(b.get())) {
            if (!s->empty())
                out.push_back(s);
        }
    }
}

} // namespace

std::string dump(const SectionList& list) {
    std::string out;
    dumpInto(list, out);
    return out;
}

std::vector<const CSection*> sections(const SectionList& list) {
    std::vector<const CSection*> out;
    collect(list, out);
    return out;
}

} // namespace qvtest
