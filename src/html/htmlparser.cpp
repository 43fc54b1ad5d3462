#include "html/htmlparser.h"

#include "html/dlistitem.h"
#include "html/headingspace.h"
#include "html/horzline.h"
#include "html/htmldocument.h"
#include "html/htmlexception.h"
#include "html/htmltable.h"
#include "html/imagemap.h"
#include "html/olistitem.h"
#include "html/page.h"
#include "html/pageform.h"
#include "html/paragraphspace.h"
#include "html/parserhost.h"
#include "html/preformated.h"
#include "html/ulistitem.h"

#include <algorithm>
#include <climits>
#include <cstring>

using namespace qv;

namespace {

constexpr int kEof = 26;
constexpr int kCR = 13;

struct TagEntry {
    const char* name;
    int start;
    int end; // -1: no end form
};

const TagEntry kTags[] = {
    {"HTML", 0, 10},
    {"TITLE", 1, 11},
    {"BODY", 2, 12},
    {"HEAD", 3, 13},
    {"B", 6, 7},
    {"I", 8, 9},
    {"H", 15, 16},
    {"EM", 17, 18},
    {"STRONG", 19, 20},
    {"U", 21, 22},
    {"CITE", 24, 26},
    {"VAR", 25, 27},
    {"TT", 29, 33},
    {"CODE", 30, 34},
    {"KBD", 31, 35},
    {"SAMP", 32, 36},
    {"OL", 37, 38},
    {"UL", 40, 41},
    {"DIR", 42, 43},
    {"MENU", 44, 45},
    {"DL", 46, 47},
    {"A", 60, 61},
    {"ADDRESS", 50, 51},
    {"BLOCKQUOTE", 52, 53},
    {"PRE", 54, 55},
    {"CENTER", 57, 58},
    {"TABLE", 75, 76},
    {"TD", 77, 78},
    {"TH", 81, 82},
    {"CAPTION", 90, 91},
    {"FORM", 99, 100},
    {"TEXTAREA", 106, 107},
    {"SELECT", 110, 111},
    {"OPTION", 112, 113},
    {"FONT", 116, 117},
    {"SUB", 122, 123},
    {"SUP", 124, 125},
    {"BIG", 128, 129},
    {"SMALL", 130, 131},
    {"P", 4, 5},
    {"MAP", 133, 134},
    {"FRAMESET", 142, 143},
    {"NOFRAMES", 146, 147},
    {"SCRIPT", 152, 153},
    {"DIV", 155, 156},
    {"S", 157, 158},
    {"STRIKE", 159, 160},
    {"TR", 79, 80},
    {"LI", 39, -1},
    {"BR", 14, -1},
    {"HR", 23, -1},
    {"DD", 48, -1},
    {"DT", 49, -1},
    {"IMG", 56, -1},
    {"BASE", 28, -1},
    {"BUTTON", 93, -1},
    {"INPUT", 94, -1},
    {"SELECTED", 114, -1},
    {"BASEFONT", 120, -1},
    {"AREA", 135, -1},
    {"FRAME", 144, -1},
    {"PAGE", 150, -1},
};

struct AttrEntry {
    const char* name;
    int id;
};

const AttrEntry kAttrs[] = {
    {"HREF", 62},         {"NAME", 63},          {"SRC", 64},       {"ALT", 65},
    {"ALIGN", 66},        {"TEXT", 70},          {"BGCOLOR", 73},   {"LINK", 72},
    {"BACKGROUND", 74},   {"COLSPAN", 83},       {"ROWSPAN", 84},   {"BORDER", 85},
    {"CELLPADDING", 86},  {"CELLSPACING", 87},   {"VALIGN", 88},    {"WIDTH", 89},
    {"START", 92},        {"VALUE", 95},         {"TYPE", 96},      {"CHECKBOX", 97},
    {"RADIO", 98},        {"METHOD", 101},       {"ACTION", 102},   {"CHECKED", 103},
    {"SIZE", 104},        {"MAXLENGTH", 105},    {"COLS", 108},     {"ROWS", 109},
    {"MULTIPLE", 115},    {"SELECTED", 114},     {"FACE", 119},     {"COLOR", 118},
    {"TRANSP", 121},      {"CLEAR", 126},        {"ISMAP", 127},    {"BORDERCOLOR", 132},
    {"USEMAP", 139},      {"SHAPE", 136},        {"COORDS", 137},   {"NOHREF", 138},
    {"HEIGHT", 140},      {"PLAIN", 141},        {"TARGET", 145},   {"NORESIZE", 148},
    {"SCROLLING", 149},   {"HSPACE", 151},       {"LANGUAGE", 154}, {"FRAMEBORDER", 161},
    {"MARGINWIDTH", 162}, {"MARGINHEIGHT", 163}, {"FORM", 165},     {"FIELD", 166},
    {"COPY", 167},        {"INDEX", 168},        {"SCRIPT", 169},   {"CHILDFORM", 170},
    {"ROCOLOR", 171},     {"ROLLOVER", 172},     {"DISABLE", 173},  {"FOCUS", 174},
    {"SETFOCUS", 175},    {"TRANSPCOLOR", 176},  {"REG", 177},      {"DISABLED", 178},
};

// Latin-1 entity names from code 160 up; null where a code has no name.
const char* const kLatin1[] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   nullptr,  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   nullptr,  "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};

int entityCode(const std::string& name) {
    if (name == "amp")
        return '&';
    if (name == "lt")
        return '<';
    if (name == "gt")
        return '>';
    if (name == "quot")
        return '"';
    if (name == "trade")
        return 153;
    for (int i = 0; i < 96; ++i) {
        if (kLatin1[i] && name == kLatin1[i])
            return 160 + i;
    }
    return -1;
}

bool isAlpha(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(int c) {
    return c >= '0' && c <= '9';
}
int toUpper(int c) {
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

// The decimal number at the start of `s` (optional sign), saturated to 32 bits.
std::int32_t leadingNumber(const std::string& s) {
    std::size_t i = 0;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        neg = s[i++] == '-';
    long long v = 0;
    while (i < s.size() && isDigit(s[i])) {
        v = v * 10 + (s[i++] - '0');
        if (v > INT_MAX)
            v = INT_MAX;
    }
    return std::int32_t(neg ? -v : v);
}

std::string trim(const std::string& s) {
    std::size_t a = 0, b = s.size();
    auto ws = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (a < b && ws(s[a]))
        ++a;
    while (b > a && ws(s[b - 1]))
        --b;
    return s.substr(a, b - a);
}

std::string lowerAscii(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return s;
}

bool keepsAttributes(int id) {
    switch (id) {
    case tok::IMG:
    case tok::BASE:
    case tok::A:
    case tok::BODY:
    case tok::TD:
    case tok::TH:
    case tok::TR:
    case tok::TABLE:
    case tok::CAPTION:
    case tok::OL:
    case tok::UL:
    case tok::INPUT:
    case tok::FORM:
    case tok::TEXTAREA:
    case tok::SELECT:
    case tok::OPTION:
    case tok::P:
    case tok::FONT:
    case tok::BASEFONT:
    case tok::BR:
    case tok::H:
    case tok::MAP:
    case tok::AREA:
    case tok::HR:
    case tok::FRAME:
    case tok::FRAMESET:
    case tok::SCRIPT:
    case tok::DIV:
        return true;
    default:
        return false;
    }
}

const int kFontPoints[] = {8, 10, 12, 14, 18, 24, 36};

const int kCellTerms[] = {tok::TABLE_END, tok::TD,     tok::TR,      tok::TR_END,      tok::TH,
                          tok::TH_END,    tok::TD_END, tok::CAPTION, tok::CAPTION_END, -1};
const int kCenterTerms[] = {tok::CENTER_END, tok::DIV_END, -1};
const int kListTerms[] = {tok::OL_END, tok::UL_END,         tok::DIR_END,      tok::MENU_END,
                          tok::DL_END, tok::BLOCKQUOTE_END, tok::END_OF_INPUT, -1};

} // namespace

HtmlParser::HtmlParser(const ParserHost& host) : m_host(host) {}
HtmlParser::~HtmlParser() = default;

// ---------------------------------------------------------------------------------------
// Character reader

int HtmlParser::rawByte() {
    if (m_pushed >= 0) {
        const int c = m_pushed;
        m_pushed = -1;
        return c;
    }
    return m_p < m_end ? *m_p++ : kEof;
}

void HtmlParser::advance() {
    for (;;) {
        int c = rawByte();
        if (c == '\r' || c == '\n') {
            const int n = rawByte();
            if (!((c == '\r' && n == '\n') || (c == '\n' && n == '\r')))
                m_pushed = n;
            c = kCR;
        } else if (c == '\t') {
            c = ' ';
        } else if (c == '<') {
            const int n = rawByte();
            if (n != '!') {
                m_pushed = n;
            } else {
                skipComment();
                continue; // the character after a comment is read as if it were not there
            }
        }
        m_ch = c;
        m_up = toUpper(c);
        return;
    }
}

void HtmlParser::skipComment() {
    int c = rawByte();
    if (c == '-') {
        c = rawByte();
        if (c == '-') {
            // Skip to "--", any spaces or line ends, then '>'.
            int dashes = 0;
            for (;;) {
                c = rawByte();
                if (c == kEof)
                    throw CHTMLException("Open Comment at End of HTML File");
                if (c == '-') {
                    ++dashes;
                    continue;
                }
                if (dashes >= 2) {
                    while (c == ' ' || c == '\t' || c == '\r' || c == '\n')
                        c = rawByte();
                    if (c == '>')
                        return;
                    if (c == kEof)
                        throw CHTMLException("Open Comment at End of HTML File");
                    dashes = c == '-' ? 1 : 0;
                    continue;
                }
                dashes = 0;
            }
        }
    }
    while (c != '>') {
        if (c == kEof)
            throw CHTMLException("Open Comment at End of HTML File");
        c = rawByte();
    }
}

void HtmlParser::skipWhitespace() {
    while (m_ch == ' ' || m_ch == kCR)
        advance();
}

// ---------------------------------------------------------------------------------------
// Tokenizer

void HtmlParser::nextToken() {
    m_text.clear();
    if (m_ch == kEof) {
        m_tok = tok::END_OF_INPUT;
    } else if (m_ch == '<') {
        readTag();
    } else if (m_ch == '&') {
        m_text = readEntity();
        m_tok = tok::TEXT;
    } else {
        readText();
    }
}

void HtmlParser::readTag() {
    advance();
    bool end = false;
    if (m_ch == '/') {
        end = true;
        advance();
    }
    std::string name;
    while (isAlpha(m_ch)) {
        if (name.size() < 150)
            name += char(m_up);
        advance();
    }
    m_tok = tok::UNKNOWN;
    for (const TagEntry& t : kTags) {
        if (name == t.name) {
            if (!end)
                m_tok = t.start;
            else if (t.end >= 0)
                m_tok = t.end;
            break;
        }
    }
    if (name == "H") {
        m_level = 0;
        if (m_ch >= '1' && m_ch <= '6') {
            m_level = m_ch - '0';
            advance();
        }
    }
    readAttributes(!end && keepsAttributes(m_tok));
    while (m_ch != '>' && m_ch != kEof)
        advance();
    if (m_ch == '>')
        advance();
}

void HtmlParser::readAttributes(bool keep) {
    if (keep)
        m_attrs.clear();
    for (;;) {
        skipWhitespace();
        if (!isAlpha(m_ch))
            return;
        std::string name;
        while (isAlpha(m_ch)) {
            if (name.size() < 150)
                name += char(m_up);
            advance();
        }
        HtmlAttribute attr;
        attr.id = att::UNKNOWN;
        for (const AttrEntry& a : kAttrs) {
            if (name == a.name) {
                attr.id = a.id;
                break;
            }
        }
        attr.num = attr.id == att::BORDER ? 1 : 0;
        skipWhitespace();
        if (m_ch == '=') {
            advance();
            skipWhitespace();
            if (m_ch == '"' || m_ch == '\'') {
                const int quote = m_ch;
                advance();
                while (m_ch != quote && m_ch != kEof) {
                    if (m_ch == kCR) {
                        advance();
                    } else if (m_ch == '&') {
                        attr.text += readEntity();
                    } else {
                        attr.text += char(m_ch);
                        advance();
                    }
                }
                if (m_ch == quote)
                    advance();
                attr.text = trim(attr.text);
                attr.num = leadingNumber(attr.text);
            } else if (m_ch == '+' || m_ch == '-' || isDigit(m_ch)) {
                while (m_ch != ' ' && m_ch != kCR && m_ch != '>' && m_ch != '%' && m_ch != kEof) {
                    attr.text += char(m_ch);
                    advance();
                }
                skipWhitespace();
                attr.num = leadingNumber(attr.text);
                if (m_ch == '%') {
                    attr.text += '%';
                    advance();
                }
            } else {
                while (m_ch != ' ' && m_ch != kCR && m_ch != '>' && m_ch != kEof) {
                    attr.text += char(m_ch);
                    advance();
                }
            }
        }
        if (keep)
            m_attrs.push_back(std::move(attr));
    }
}

std::string HtmlParser::readEntity() {
    advance(); // past '&'
    if (m_ch == '#') {
        advance();
        std::string digits;
        while (isDigit(m_ch) && digits.size() < 4) {
            digits += char(m_ch);
            advance();
        }
        if (isDigit(m_ch))
            return "&#" + digits; // a fifth digit: shown as written
        bool semicolon = false;
        if (m_ch == ';') {
            semicolon = true;
            advance();
        }
        if (!digits.empty()) {
            const int n = std::stoi(digits);
            if (n < 256 && (n == 9 || n == 10 || n >= 32))
                return std::string(1, n == 9 ? ' ' : char(n));
        }
        return "&#" + digits + (semicolon ? ";" : "");
    }
    std::string name;
    while ((isAlpha(m_ch) || isDigit(m_ch)) && name.size() < 7) {
        name += char(m_ch);
        advance();
    }
    if (isAlpha(m_ch) || isDigit(m_ch))
        return "&" + name;
    bool semicolon = false;
    if (m_ch == ';') {
        semicolon = true;
        advance();
    }
    const int code = entityCode(name);
    if (code >= 0)
        return std::string(1, char(code));
    return "&" + name + (semicolon ? ";" : "");
}

void HtmlParser::readText() {
    while (m_text.size() < 100) {
        const int c = m_ch;
        if (c == '&' || c == '<' || c == '>' || (c < 32 && c != kCR))
            break;
        if (!m_keepWhitespace && (c == ' ' || c == kCR)) {
            m_text += ' ';
            while (m_ch == ' ' || m_ch == kCR)
                advance();
            continue;
        }
        m_text += char(c);
        advance();
    }
    if (!m_text.empty()) {
        m_tok = tok::TEXT;
    } else {
        m_tok = tok::CHAR;
        m_text = std::string(1, char(m_ch));
        advance();
    }
}

// ---------------------------------------------------------------------------------------
// Builder helpers

void HtmlParser::adopt(std::unique_ptr<CSectionBase> block) {
    m_list->push_back(std::move(block));
}

void HtmlParser::closeBlock() {
    if (m_open)
        adopt(std::move(m_open));
}

void HtmlParser::openSection(int align) {
    closeBlock();
    m_open = std::make_unique<CSection>(m_doc, align, top(), m_linkOpen ? m_link : LinkState{},
                                        m_style, m_vpos);
    m_open->setDepth(m_depth);
}

template <class T, class... Args>
void HtmlParser::openItem(Args&&... args) {
    closeBlock();
    m_open = std::make_unique<T>(m_doc, m_align, top(), m_linkOpen ? m_link : LinkState{}, m_style,
                                 m_vpos, std::forward<Args>(args)...);
}

CSection& HtmlParser::openBlock() {
    if (!m_open)
        openSection(m_align);
    return *m_open;
}

bool HtmlParser::pushFormat(const TextFormat& f) {
    if (int(m_formats.size()) - 1 >= kMaxPushedFormats)
        return false;
    m_formats.push_back(f);
    markFormat();
    return true;
}

void HtmlParser::popFormat() {
    if (m_formats.size() > 1) {
        m_formats.pop_back();
        markFormat();
    }
}

void HtmlParser::markFormat() {
    if (m_open)
        m_open->markFormat(top(), m_style, m_vpos);
}

void HtmlParser::endLink() {
    if (!m_linkOpen)
        return;
    m_linkOpen = false;
    m_link = {};
    popFormat();
    if (m_open)
        m_open->markLink({});
}

void HtmlParser::addTerms(const int* ids) {
    for (; *ids >= 0; ++ids)
        ++m_term[*ids];
}

void HtmlParser::removeTerms(const int* ids) {
    for (; *ids >= 0; ++ids) {
        if (m_term[*ids] > 0)
            --m_term[*ids];
    }
}

bool HtmlParser::listEnd(int t) const {
    return t == tok::OL_END || t == tok::UL_END || t == tok::DIR_END || t == tok::MENU_END ||
           t == tok::DL_END || t == tok::BLOCKQUOTE_END;
}

int HtmlParser::alignAttr(int def) const {
    if (const HtmlAttribute* a = findAttribute(m_attrs, att::ALIGN)) {
        const std::string v = lowerAscii(a->text);
        if (v == "left")
            return kAlignLeft;
        if (v == "center")
            return kAlignCenter;
        if (v == "right")
            return kAlignRight;
    }
    return def;
}

// ---------------------------------------------------------------------------------------
// Builder

void HtmlParser::Parse(HtmlDocument& document, std::map<std::string, CSectionBase*>& anchors,
                       const char* text, std::size_t length) {
    m_doc = &document;
    m_anchors = &anchors;
    m_list = &document.body();
    m_p = reinterpret_cast<const unsigned char*>(text);
    m_end = m_p + length;
    m_pushed = -1;
    m_keepWhitespace = false;
    std::fill(std::begin(m_term), std::end(m_term), 0);
    m_formats.clear();
    TextFormat base;
    base.face = document.proportionalFace;
    base.colour = document.textColour = document.defaultTextColour;
    base.style = document.defaultStyle;
    base.setSize(12, document.textScale());
    m_formats.push_back(base);
    m_style = 0;
    m_vpos = kNormal;
    m_align = kAlignLeft;
    m_baseSize = 3;
    m_link = {};
    m_linkOpen = false;
    m_linkCount = 0;
    m_form = nullptr;
    m_map.reset();
    m_attrs.clear();
    m_depth = 0;
    m_nesting = 0;
    m_open.reset();
    try {
        openSection(m_align);
        advance();
        nextToken();
        blockLoop(true);
        m_list = &document.body();
        closeBlock();
    } catch (const std::exception& e) {
        m_open.reset();
        m_formats.clear();
        m_attrs.clear();
        m_link = {};
        m_map.reset();
        m_host.showError(e.what());
        throw;
    }
    m_formats.clear();
    m_attrs.clear();
    m_link = {};
    m_linkOpen = false;
    m_map.reset();
}

void HtmlParser::blockLoop(bool outermost) {
    for (;;) {
        const int t = m_tok;
        if (t == tok::END_OF_INPUT)
            return;
        if (outermost && t == tok::BODY_END)
            return;
        if (handleBlock(t) || handleInline(t))
            continue;
        if (m_term[t] > 0)
            return;
        nextToken();
    }
}

bool HtmlParser::handleBlock(int t) {
    switch (t) {
    case tok::TITLE:
        m_doc->title.clear();
        nextToken();
        while (m_tok == tok::TEXT) {
            if (m_doc->title.size() < 4096)
                m_doc->title += m_text;
            nextToken();
        }
        return true;
    case tok::BODY:
        if (m_list->empty()) {
            for (const HtmlAttribute& a : m_attrs) {
                const Colour c = a.id == att::TEXT || a.id == att::LINK || a.id == att::BGCOLOR
                                     ? parseColour(a.text)
                                     : kNoColour;
                if (a.id == att::TEXT && c != kNoColour) {
                    m_doc->textColour = c;
                    m_formats.back().colour = c;
                } else if (a.id == att::LINK && c != kNoColour) {
                    m_doc->linkColour = c;
                } else if (a.id == att::BGCOLOR && c != kNoColour) {
                    m_doc->backgroundColour = c;
                } else if (a.id == att::BACKGROUND) {
                    m_doc->backgroundImage = a.text;
                }
            }
            // The block opened before BODY is dropped unless an anchor or link already
            // points at it.
            bool referenced = false;
            for (const auto& [name, block] : *m_anchors)
                referenced = referenced || block == m_open.get();
            for (const HtmlDocument::LinkInfo& l : m_doc->links)
                referenced = referenced || l.block == m_open.get();
            if (!referenced)
                m_open.reset();
            openSection(m_align);
        }
        nextToken();
        return true;
    case tok::OL:
    case tok::UL:
    case tok::DIR:
    case tok::MENU:
    case tok::DL:
    case tok::BLOCKQUOTE:
        if (m_nesting >= kMaxNesting)
            return false;
        closeBlock();
        listLoop(t, 1);
        return true;
    case tok::CENTER:
    case tok::DIV:
        if (m_nesting >= kMaxNesting)
            return false;
        parseCenter(t);
        return true;
    case tok::HR:
        closeBlock();
        adopt(std::make_unique<CHorzLine>(m_doc, m_attrs));
        nextToken();
        return true;
    case tok::TABLE:
        if (m_nesting >= kMaxNesting)
            return false;
        parseTable();
        return true;
    case tok::BASE:
        for (const HtmlAttribute& a : m_attrs) {
            if (a.id == att::HREF)
                m_doc->baseHref = a.text;
            else if (a.id == att::TARGET)
                m_doc->baseTarget = a.text;
        }
        nextToken();
        return true;
    default:
        return false;
    }
}

bool HtmlParser::handleInline(int t) {
    switch (t) {
    case tok::TEXT:
        openBlock().AddText(m_text);
        nextToken();
        return true;
    case tok::P:
    case tok::P_END:
        parseParagraph();
        return true;
    case tok::B:
    case tok::STRONG:
    case tok::B_END:
    case tok::STRONG_END:
    case tok::I:
    case tok::EM:
    case tok::CITE:
    case tok::VAR:
    case tok::I_END:
    case tok::EM_END:
    case tok::CITE_END:
    case tok::VAR_END:
    case tok::U:
    case tok::U_END:
    case tok::S:
    case tok::STRIKE:
    case tok::S_END:
    case tok::STRIKE_END: {
        std::uint16_t flag = kBold;
        bool on = true;
        switch (t) {
        case tok::B_END:
        case tok::STRONG_END:
            on = false;
            break;
        case tok::I:
        case tok::EM:
        case tok::CITE:
        case tok::VAR:
            flag = kItalic;
            break;
        case tok::I_END:
        case tok::EM_END:
        case tok::CITE_END:
        case tok::VAR_END:
            flag = kItalic, on = false;
            break;
        case tok::U:
            flag = kUnderline;
            break;
        case tok::U_END:
            flag = kUnderline, on = false;
            break;
        case tok::S:
        case tok::STRIKE:
            flag = kStrike;
            break;
        case tok::S_END:
        case tok::STRIKE_END:
            flag = kStrike, on = false;
            break;
        default:
            break;
        }
        m_style = on ? std::uint16_t(m_style | flag) : std::uint16_t(m_style & ~flag);
        markFormat();
        nextToken();
        return true;
    }
    case tok::SUB:
    case tok::SUP:
    case tok::SUB_END:
    case tok::SUP_END:
        m_vpos = t == tok::SUB ? kSubscript : t == tok::SUP ? kSuperscript : kNormal;
        markFormat();
        nextToken();
        return true;
    case tok::BR: {
        const int align = m_open ? m_open->alignment() : m_align;
        CSection& block = openBlock();
        if (block.empty())
            block.AddText(" "); // an empty line keeps the height of its format
        openSection(align);
        if (const HtmlAttribute* a = findAttribute(m_attrs, att::CLEAR)) {
            const std::string v = lowerAscii(a->text);
            m_open->setClear(v == "left"                 ? 1
                             : v == "right"              ? 2
                             : v == "all" || v == "both" ? 3
                                                         : 0);
        }
        nextToken();
        return true;
    }
    case tok::H: {
        if (int(m_formats.size()) - 1 < kMaxPushedFormats) {
            static const int kHeading[] = {24, 18, 15, 12, 10, 8};
            const int level = m_level;
            const int align = alignAttr(m_align);
            closeBlock();
            TextFormat f = top();
            if (level >= 1 && level <= 6) {
                f.setSize(kHeading[level - 1], m_doc->textScale());
                f.style |= kBold;
            } else {
                f.setSize(12, m_doc->textScale());
            }
            m_formats.push_back(f);
            adopt(std::make_unique<CHeadingSpace>(m_doc, level));
            openSection(align);
        }
        nextToken();
        return true;
    }
    case tok::H_END:
        if (m_formats.size() > 1) {
            closeBlock();
            adopt(std::make_unique<CHeadingSpace>(m_doc, m_level));
            m_formats.pop_back();
        }
        nextToken();
        return true;
    case tok::TT:
    case tok::CODE:
    case tok::KBD:
    case tok::SAMP: {
        TextFormat f = top();
        f.face = m_doc->fixedFace;
        f.fixed = true;
        f.setSize(10, m_doc->textScale());
        pushFormat(f);
        nextToken();
        return true;
    }
    case tok::TT_END:
    case tok::CODE_END:
    case tok::KBD_END:
    case tok::SAMP_END:
    case tok::FONT_END:
    case tok::BIG_END:
    case tok::SMALL_END:
        popFormat();
        nextToken();
        return true;
    case tok::FONT: {
        TextFormat f = top();
        for (const HtmlAttribute& a : m_attrs) {
            if (a.id == att::COLOR) {
                const Colour c = parseColour(a.text);
                if (c != kNoColour)
                    f.colour = c;
            } else if (a.id == att::SIZE) {
                int size = a.num;
                if (!a.text.empty() && (a.text[0] == '+' || a.text[0] == '-'))
                    size = m_baseSize + std::clamp(a.num, -100, 100);
                size = std::clamp(size, 1, 7);
                f.setSize(kFontPoints[size - 1], m_doc->textScale());
            } else if (a.id == att::FACE) {
                const std::string face = trim(a.text.substr(0, a.text.find(',')));
                if (!face.empty()) {
                    f.face = face;
                    f.fixed = false;
                }
            }
        }
        pushFormat(f);
        nextToken();
        return true;
    }
    case tok::BASEFONT:
        if (const HtmlAttribute* a = findAttribute(m_attrs, att::SIZE)) {
            int size = a->num;
            if (!a->text.empty() && (a->text[0] == '+' || a->text[0] == '-'))
                size = m_baseSize + std::clamp(a->num, -100, 100);
            m_baseSize = std::clamp(size, 1, 7);
            if (m_list == &m_doc->body() && m_list->empty()) {
                TextFormat f = top();
                f.setSize(kFontPoints[m_baseSize - 1], m_doc->textScale());
                pushFormat(f);
            }
        }
        nextToken();
        return true;
    case tok::BIG:
    case tok::SMALL: {
        const int* p = std::find(std::begin(kFontPoints), std::end(kFontPoints), top().size);
        const int i = int(p - std::begin(kFontPoints));
        if (p != std::end(kFontPoints) && (t == tok::BIG ? i < 6 : i > 0)) {
            TextFormat f = top();
            f.setSize(kFontPoints[t == tok::BIG ? i + 1 : i - 1], m_doc->textScale());
            pushFormat(f);
        }
        nextToken();
        return true;
    }
    case tok::ADDRESS: {
        closeBlock();
        TextFormat f = top();
        f.style |= kItalic;
        pushFormat(f);
        openSection(m_align);
        nextToken();
        return true;
    }
    case tok::ADDRESS_END:
        closeBlock();
        popFormat();
        nextToken();
        return true;
    case tok::A: {
        const AttributeList attrs = m_attrs;
        for (const HtmlAttribute& a : attrs) {
            if (a.id == att::HREF && !a.text.empty()) {
                endLink();
                m_link = {a.text, {}, ++m_linkCount};
                if (const HtmlAttribute* reg = findAttribute(attrs, att::REG)) {
                    const std::string url = m_host.onlineSetting(reg->text);
                    if (!url.empty())
                        m_link.url = url;
                } else if (const HtmlAttribute* target = findAttribute(attrs, att::TARGET)) {
                    m_link.target = target->text;
                }
                TextFormat f = top();
                f.style |= kUnderline;
                f.colour = m_doc->linkColour;
                m_linkOpen = true;
                CSection& block = openBlock();
                if (int(m_formats.size()) - 1 < kMaxPushedFormats)
                    m_formats.push_back(f);
                else
                    m_formats.push_back(top()); // keeps the pop of the end tag balanced
                block.markFormat(top(), m_style, m_vpos);
                block.markLink(m_link);
                m_doc->links.push_back({m_link.url, m_link.number, &block, false});
            } else if (a.id == att::NAME && !a.text.empty()) {
                std::string name = a.text;
                for (char& c : name)
                    c = char(toUpper(static_cast<unsigned char>(c)));
                (*m_anchors)[name] = &openBlock();
            }
        }
        nextToken();
        return true;
    }
    case tok::A_END:
        endLink();
        nextToken();
        return true;
    case tok::IMG:
        openBlock().addImage(m_attrs, m_linkOpen ? m_link.number : 0);
        nextToken();
        return true;
    case tok::INPUT:
    case tok::SELECT:
    case tok::TEXTAREA:
        addControl(t);
        return true;
    case tok::FORM:
        m_doc->forms.push_back(std::make_unique<PageForm>(m_attrs));
        m_form = m_doc->forms.back().get();
        nextToken();
        return true;
    case tok::FORM_END:
        m_form = nullptr;
        nextToken();
        return true;
    case tok::MAP: {
        std::string name;
        if (const HtmlAttribute* a = findAttribute(m_attrs, att::NAME)) {
            name = trim(a->text);
            for (char& c : name)
                c = char(toUpper(static_cast<unsigned char>(c)));
        }
        m_map = std::make_unique<ImageMap>(name);
        nextToken();
        return true;
    }
    case tok::AREA:
        if (m_map)
            m_map->addArea(m_attrs, m_linkCount);
        nextToken();
        return true;
    case tok::MAP_END:
        if (m_map) {
            if (!m_map->areas().empty() && !m_map->areas().front().url.empty()) {
                m_doc->links.push_back(
                    {m_map->areas().front().url, m_map->areas().front().link, &openBlock(), true});
            }
            m_doc->imageMaps.push_back(std::move(m_map));
        }
        nextToken();
        return true;
    case tok::PAGE:
        closeBlock();
        adopt(std::make_unique<CPage>(m_doc));
        nextToken();
        return true;
    case tok::PRE:
        parsePre();
        return true;
    case tok::SCRIPT:
        parseScript();
        return true;
    default:
        return false;
    }
}

void HtmlParser::parseParagraph() {
    closeBlock();
    adopt(std::make_unique<CParagraphSpace>(m_doc));
    while (m_tok == tok::P || m_tok == tok::P_END) {
        if (m_tok == tok::P)
            m_align = alignAttr(m_align);
        nextToken();
    }
    openSection(m_align);
}

void HtmlParser::parseCenter(int t) {
    ++m_nesting;
    closeBlock();
    const int saved = m_align;
    m_align = t == tok::CENTER ? kAlignCenter : alignAttr(m_align);
    openSection(m_align);
    nextToken();
    addTerms(kCenterTerms);
    blockLoop(false);
    removeTerms(kCenterTerms);
    closeBlock();
    m_align = saved;
    openSection(m_align);
    if (m_tok == tok::CENTER_END || m_tok == tok::DIV_END)
        nextToken();
    --m_nesting;
}

void HtmlParser::listLoop(int t, int depth) {
    ++m_nesting;
    const int savedDepth = m_depth;
    m_depth = depth;
    int number = 1;
    char type = '1';
    bool plain = false;
    if (t == tok::OL) {
        if (const HtmlAttribute* a = findAttribute(m_attrs, att::START)) {
            if (a->num >= 0)
                number = a->num;
        }
        if (const HtmlAttribute* a = findAttribute(m_attrs, att::TYPE)) {
            if (!a->text.empty())
                type = a->text[0];
        }
    } else if (t == tok::UL) {
        plain = findAttribute(m_attrs, att::PLAIN) != nullptr;
    }
    closeBlock();
    nextToken();
    for (;;) {
        const int k = m_tok;
        if (k == tok::END_OF_INPUT)
            break;
        if (listEnd(k)) {
            nextToken();
            break;
        }
        if (k == tok::LI) {
            if (t == tok::OL) {
                openItem<COListItem>(depth, number, type);
                if (number < INT_MAX)
                    ++number;
            } else {
                openItem<CUListItem>(depth);
                static_cast<CUListItem*>(m_open.get())->setPlain(plain);
            }
            nextToken();
            if (m_tok == tok::P)
                nextToken();
        } else if (k == tok::DD || k == tok::DT) {
            openItem<CDListItem>(k == tok::DD ? depth : std::max(0, depth - 1));
            nextToken();
        } else if (k == tok::OL || k == tok::UL || k == tok::DIR || k == tok::MENU ||
                   k == tok::DL) {
            if (m_nesting >= kMaxNesting) {
                nextToken();
                continue;
            }
            closeBlock();
            listLoop(k, depth + 1);
            m_depth = depth;
        } else if (k == tok::HR) {
            closeBlock();
            adopt(std::make_unique<CHorzLine>(m_doc, m_attrs));
            nextToken();
        } else if (k == tok::TABLE) {
            if (m_nesting >= kMaxNesting) {
                nextToken();
                continue;
            }
            parseTable();
        } else if (k == tok::BLOCKQUOTE || k == tok::CENTER || k == tok::DIV) {
            if (m_nesting >= kMaxNesting) {
                nextToken();
                continue;
            }
            addTerms(kListTerms);
            blockLoop(false);
            removeTerms(kListTerms);
        } else if (handleInline(k)) {
            continue;
        } else if (m_term[k] > 0) {
            break;
        } else {
            nextToken();
        }
    }
    closeBlock();
    m_depth = savedDepth;
    --m_nesting;
}

void HtmlParser::parseTable() {
    ++m_nesting;
    closeBlock();
    auto owned = std::make_unique<CHTMLTable>(m_doc, m_attrs, m_depth, m_align);
    CHTMLTable* table = owned.get();
    adopt(std::move(owned));
    SectionList* const savedList = m_list;
    const int savedAlign = m_align;
    const int savedDepth = m_depth;
    addTerms(kCellTerms);
    nextToken();
    auto runCell = [&](SectionList& list, int align) {
        const std::size_t savedFormats = m_formats.size();
        m_list = &list;
        m_depth = 0;
        m_align = align;
        openSection(m_align);
        blockLoop(false);
        closeBlock();
        m_formats.resize(std::min(savedFormats, m_formats.size()));
        m_list = savedList;
    };
    for (;;) {
        const int k = m_tok;
        if (k == tok::END_OF_INPUT)
            break;
        if (k == tok::TABLE_END) {
            nextToken();
            break;
        }
        if (k == tok::TR) {
            table->beginRow(m_attrs);
            nextToken();
        } else if (k == tok::TD || k == tok::TH) {
            CHTMLTable::Cell& cell = table->beginCell(k == tok::TH, m_attrs);
            nextToken();
            if (m_tok == tok::P) {
                cell.align = alignAttr(cell.align);
                nextToken();
            }
            if (k == tok::TH) {
                TextFormat f = top();
                f.style |= kBold;
                const std::size_t savedFormats = m_formats.size();
                pushFormat(f);
                runCell(cell.content, cell.align);
                m_formats.resize(std::min(savedFormats, m_formats.size()));
            } else {
                runCell(cell.content, cell.align);
            }
        } else if (k == tok::CAPTION) {
            SectionList& caption = table->beginCaption(m_attrs);
            nextToken();
            runCell(caption, kAlignCenter);
        } else {
            nextToken();
        }
    }
    removeTerms(kCellTerms);
    m_list = savedList;
    m_align = savedAlign;
    m_depth = savedDepth;
    --m_nesting;
}

void HtmlParser::parsePre() {
    closeBlock();
    TextFormat f = top();
    f.face = m_doc->fixedFace;
    f.fixed = true;
    f.setSize(10, m_doc->textScale());
    const bool pushed = pushFormat(f);
    auto open = [&] {
        m_open = std::make_unique<CPreformated>(m_doc, m_align, top(),
                                                m_linkOpen ? m_link : LinkState{}, m_style, m_vpos);
        m_open->setDepth(m_depth);
    };
    open();
    m_keepWhitespace = true;
    std::string line;
    for (;;) {
        if (m_ch == kEof)
            break;
        if (m_ch == kCR) {
            m_open->AddText(line);
            line.clear();
            closeBlock();
            open();
            advance();
            continue;
        }
        line += char(m_ch);
        advance();
        if (line.size() >= 6 && line[line.size() - 6] == '<' && line[line.size() - 5] == '/' &&
            toUpper(line[line.size() - 4]) == 'P' && toUpper(line[line.size() - 3]) == 'R' &&
            toUpper(line[line.size() - 2]) == 'E' && line.back() == '>') {
            line.resize(line.size() - 6);
            break;
        }
        if (line.size() > 200) {
            m_open->AddText(line);
            line.clear();
        }
    }
    if (!line.empty())
        m_open->AddText(line);
    closeBlock();
    m_keepWhitespace = false;
    if (pushed)
        popFormat();
    nextToken();
}

void HtmlParser::parseScript() {
    for (;;) {
        if (m_ch == kEof)
            break;
        if (m_ch != '<') {
            advance();
            continue;
        }
        advance();
        std::string word;
        while (word.size() < 7 && (isAlpha(m_ch) || m_ch == '/')) {
            word += char(m_up);
            advance();
        }
        if (m_ch == '>' && word == "/SCRIPT") {
            advance();
            break;
        }
    }
    nextToken();
}

void HtmlParser::addControl(int t) {
    CSection& block = openBlock();
    if (!m_form) {
        m_doc->forms.push_back(std::make_unique<PageForm>(m_attrs));
        m_form = m_doc->forms.back().get();
    }
    std::unique_ptr<CFormControl> made = CFormControl::create(t, m_doc, m_form, m_attrs);
    if (!made) {
        // A field that takes no control on a page.
        nextToken();
        return;
    }
    CFormControl* control = m_form->add(std::move(made));
    m_doc->addControl(control);
    if (t == tok::INPUT && control->type() == "image")
        block.addImage(m_attrs, m_linkOpen ? m_link.number : 0);
    else if (control->visible())
        block.addControl(control);
    if (t == tok::SELECT) {
        parseSelect(control);
    } else if (t == tok::TEXTAREA) {
        parseTextArea(control);
    } else {
        nextToken();
    }
}

void HtmlParser::parseSelect(CFormControl* control) {
    nextToken();
    bool inOption = false;
    std::string text, value;
    bool selected = false;
    auto finish = [&] {
        if (inOption) {
            const std::string t = trim(text);
            if (!t.empty())
                control->addOption(t, value, selected);
        }
        text.clear();
    };
    for (;;) {
        if (m_tok == tok::END_OF_INPUT)
            break;
        if (m_tok == tok::SELECT_END) {
            nextToken();
            break;
        }
        if (m_tok == tok::OPTION || m_tok == tok::OPTION_END) {
            finish();
            inOption = m_tok == tok::OPTION;
            if (inOption) {
                const HtmlAttribute* v = findAttribute(m_attrs, att::VALUE);
                value = v ? v->text : std::string();
                selected = findAttribute(m_attrs, att::SELECTED) != nullptr;
            }
        } else if (m_tok == tok::TEXT && inOption && text.size() < 4096) {
            text += m_text;
        }
        nextToken();
    }
    finish();
    control->textComplete();
}

void HtmlParser::parseTextArea(CFormControl* control) {
    std::string line;
    for (;;) {
        if (m_ch == kEof)
            break;
        if (m_ch == kCR) {
            control->addLine(line);
            line.clear();
            advance();
            continue;
        }
        if (m_ch == '<') {
            std::string word = "<";
            advance();
            while (m_ch != ' ' && m_ch != kCR && m_ch != '>' && m_ch != kEof && word.size() < 64) {
                word += char(m_ch);
                advance();
            }
            if (lowerAscii(word) == "</textarea") {
                while (m_ch != '>' && m_ch != kEof)
                    advance();
                if (m_ch == '>')
                    advance();
                break;
            }
            line += word;
            continue;
        }
        line += char(m_ch);
        advance();
    }
    if (!line.empty())
        control->addLine(line);
    control->textComplete();
    nextToken();
}
