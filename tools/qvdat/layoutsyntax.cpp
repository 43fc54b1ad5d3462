#include "layoutsyntax.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace qvdat {
namespace {

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

constexpr std::uint32_t rgb(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}

// The first name of a colour is the one the dumper prints.
const std::vector<std::pair<const char*, std::uint32_t>>& colours() {
    static const std::vector<std::pair<const char*, std::uint32_t>> table = {
        {"black", kColorBlack},
        {"white", kColorWhite},
        {"cream", kColorCream},
        {"red", rgb(255, 0, 0)},
        {"green", rgb(0, 128, 0)},
        {"blue", rgb(0, 0, 255)},
        {"navy", rgb(0, 0, 128)},
        {"maroon", rgb(128, 0, 0)},
        {"yellow", rgb(255, 255, 0)},
        {"gray", rgb(128, 128, 128)},
        {"grey", rgb(128, 128, 128)},
        {"lightgray", rgb(192, 192, 192)},
        {"lightgrey", rgb(192, 192, 192)},
        {"silver", rgb(192, 192, 192)},
        {"darkgray", rgb(64, 64, 64)},
        {"darkgrey", rgb(64, 64, 64)},
        {"shade", rgb(224, 224, 224)}, // the light tint of shaded boxes on paper forms
        {"paleblue", rgb(220, 232, 246)},
    };
    return table;
}

const std::vector<std::pair<const char*, std::uint8_t>> kFaces = {
    {"arial", 0}, {"wingdings", 1}, {"nelco", 2}, {"default", 3}, {"nelco4", 4}};
const std::vector<std::pair<const char*, std::uint8_t>> kAligns = {
    {"left", 0}, {"center", 1}, {"right", 2}};
const std::vector<std::pair<const char*, std::uint8_t>> kShapes = {
    {"rect", 0}, {"ellipse", 2}, {"round", 4}};
const std::vector<std::pair<const char*, std::uint8_t>> kPens = {
    {"solid", 0},      {"dash", 1}, {"dot", 2},   {"dashdot", 3},
    {"dashdotdot", 4}, {"null", 5}, {"inside", 6}};

bool smallNumber(const std::string& t, std::uint8_t& out) {
    if (t.empty() || t.size() > 3)
        return false;
    for (char c : t)
        if (c < '0' || c > '9')
            return false;
    const int v = std::atoi(t.c_str());
    if (v > 255)
        return false;
    out = static_cast<std::uint8_t>(v);
    return true;
}

bool fromTable(const std::vector<std::pair<const char*, std::uint8_t>>& table,
               const std::string& text, std::uint8_t& out) {
    const std::string l = lower(text);
    for (const auto& [name, v] : table)
        if (l == name) {
            out = v;
            return true;
        }
    return smallNumber(text, out);
}

std::string toTable(const std::vector<std::pair<const char*, std::uint8_t>>& table,
                    std::uint8_t v) {
    for (const auto& [name, value] : table)
        if (value == v)
            return name;
    return std::to_string(v);
}

// Recursive descent over + - * / ( ) and numbers with units.
class Expr {
public:
    explicit Expr(const std::string& t) : m_t(t) {}
    bool parse(double& out, std::string& err) {
        if (!sum(out))
            return fail(err);
        skip();
        if (m_i != m_t.size()) {
            m_err = "unexpected '" + m_t.substr(m_i) + "'";
            return fail(err);
        }
        if (!std::isfinite(out)) {
            m_err = "not a finite number";
            return fail(err);
        }
        return true;
    }

private:
    bool fail(std::string& err) {
        err = m_err.empty() ? "not a length" : m_err;
        return false;
    }
    void skip() {
        while (m_i < m_t.size() && m_t[m_i] == ' ')
            ++m_i;
    }
    bool sum(double& v) {
        if (!product(v))
            return false;
        for (;;) {
            skip();
            if (m_i >= m_t.size() || (m_t[m_i] != '+' && m_t[m_i] != '-'))
                return true;
            const char op = m_t[m_i++];
            double r = 0;
            if (!product(r))
                return false;
            v = op == '+' ? v + r : v - r;
        }
    }
    bool product(double& v) {
        if (!factor(v))
            return false;
        for (;;) {
            skip();
            if (m_i >= m_t.size() || (m_t[m_i] != '*' && m_t[m_i] != '/'))
                return true;
            const char op = m_t[m_i++];
            double r = 0;
            if (!factor(r))
                return false;
            if (op == '/' && r == 0) {
                m_err = "division by zero";
                return false;
            }
            v = op == '*' ? v * r : v / r;
        }
    }
    bool factor(double& v) {
        skip();
        if (m_i >= m_t.size())
            return false;
        if (m_t[m_i] == '-') {
            ++m_i;
            if (!factor(v))
                return false;
            v = -v;
            return true;
        }
        if (m_t[m_i] == '(') {
            ++m_i;
            if (!sum(v))
                return false;
            skip();
            if (m_i >= m_t.size() || m_t[m_i] != ')') {
                m_err = "missing ')'";
                return false;
            }
            ++m_i;
            return true;
        }
        const std::size_t start = m_i;
        while (m_i < m_t.size() && ((m_t[m_i] >= '0' && m_t[m_i] <= '9') || m_t[m_i] == '.'))
            ++m_i;
        if (m_i == start)
            return false;
        const std::string digits = m_t.substr(start, m_i - start);
        if (digits.find('.') != digits.rfind('.'))
            return false;
        v = std::strtod(digits.c_str(), nullptr);
        std::size_t u = m_i;
        while (u < m_t.size() && m_t[u] >= 'a' && m_t[u] <= 'z')
            ++u;
        const std::string unit = m_t.substr(m_i, u - m_i);
        if (unit == "in")
            v *= 1440;
        else if (unit == "pt")
            v *= 20;
        else if (unit == "mm")
            v *= 1440 / 25.4;
        else if (!unit.empty() && unit != "tw") {
            m_err = "unknown unit '" + unit + "' (in, pt, mm, tw)";
            return false;
        }
        m_i = u;
        return true;
    }

    const std::string& m_t;
    std::size_t m_i = 0;
    std::string m_err;
};

// Advance widths of the printable ASCII characters in thousandths of an em, regular weight.
constexpr short kWidths[95] = {
    278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, // ' '-'/'
    556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, // '0'-'?'
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778, // '@'-'O'
    667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556, // 'P'-'_'
    333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556, // '`'-'o'
    556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};     // 'p'-'~'

} // namespace

double TextWidth(const std::string& text, const qv::LayoutFont& font) {
    double units = 0;
    for (unsigned char c : text)
        units += c >= 32 && c < 127 ? kWidths[c - 32] : 556;
    if (font.weight >= 6)
        units *= 1.08;
    // A little room to spare: a text a hair too wide for its box breaks onto a hidden line.
    return std::ceil(units * 1.03 * font.points * 20 / 1000) + 30;
}

std::optional<qv::LayoutKind> KindFromKeyword(const std::string& word) {
    static const std::vector<std::pair<const char*, qv::LayoutKind>> table = {
        {"header", qv::LK_HEADER}, {"text", qv::LK_TEXT},       {"entry", qv::LK_ENTRY},
        {"line", qv::LK_LINE},     {"hline", qv::LK_LINE},      {"vline", qv::LK_LINE},
        {"option", qv::LK_OPTION}, {"check", qv::LK_CHECK},     {"choice", qv::LK_CHOICE},
        {"shape", qv::LK_SHAPE},   {"hotspot", qv::LK_HOTSPOT},
    };
    const std::string l = lower(word);
    for (const auto& [name, kind] : table)
        if (l == name)
            return kind;
    return std::nullopt;
}

std::string KeywordOf(qv::LayoutKind kind) {
    switch (kind) {
    case qv::LK_HEADER:
        return "header";
    case qv::LK_TEXT:
        return "text";
    case qv::LK_ENTRY:
        return "entry";
    case qv::LK_LINE:
        return "line";
    case qv::LK_OPTION:
        return "option";
    case qv::LK_CHECK:
        return "check";
    case qv::LK_CHOICE:
        return "choice";
    case qv::LK_SHAPE:
        return "shape";
    case qv::LK_HOTSPOT:
        return "hotspot";
    }
    return "?";
}

bool EvalLength(const std::string& text, double& out, std::string& err) {
    return Expr(lower(text)).parse(out, err);
}

std::string FormatNumber(double v) {
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        return std::to_string(static_cast<long long>(v));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

bool ParseColour(const std::string& text, std::uint32_t& out) {
    const std::string l = lower(text);
    for (const auto& [name, v] : colours())
        if (l == name) {
            out = v;
            return true;
        }
    auto hexValue = [](const std::string& digits, std::uint32_t& v) {
        if (digits.empty() || digits.size() > 8)
            return false;
        v = 0;
        for (char c : digits) {
            int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
            if (d < 0)
                return false;
            v = v * 16 + std::uint32_t(d);
        }
        return true;
    };
    std::uint32_t v = 0;
    if (l.size() == 7 && l[0] == '#' && hexValue(l.substr(1), v)) {
        out = rgb((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
        return true;
    }
    if (l.size() > 2 && l[0] == '0' && l[1] == 'x' && hexValue(l.substr(2), v)) {
        out = v;
        return true;
    }
    return false;
}

std::string FormatColour(std::uint32_t c) {
    for (const auto& [name, v] : colours())
        if (v == c)
            return name;
    char buf[16];
    if (c <= 0xFFFFFF)
        std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF,
                      (c >> 16) & 0xFF);
    else
        std::snprintf(buf, sizeof buf, "0x%08X", c);
    return buf;
}

bool ParseFont(const std::string& text, qv::LayoutFont& out) {
    qv::LayoutFont f{0, 8, 0, 4};
    std::string rest = lower(text);
    const std::size_t colon = rest.find(':');
    if (colon != std::string::npos) {
        if (!fromTable(kFaces, rest.substr(0, colon), f.face))
            return false;
        rest = rest.substr(colon + 1);
    }
    std::size_t i = 0;
    while (i < rest.size() && rest[i] >= '0' && rest[i] <= '9')
        ++i;
    if (i == 0 || !smallNumber(rest.substr(0, i), f.points))
        return false;
    while (i < rest.size()) {
        const char c = rest[i++];
        if (c == 'b')
            f.weight = 7;
        else if (c == 'i')
            f.style |= 2;
        else if (c == 'u')
            f.style |= 1;
        else if (c == 's')
            f.style |= 4;
        else if (c == 'w') {
            std::size_t j = i;
            while (j < rest.size() && rest[j] >= '0' && rest[j] <= '9')
                ++j;
            if (j == i || !smallNumber(rest.substr(i, j - i), f.weight))
                return false;
            i = j;
        } else if (c == 'y') { // raw style byte: y followed by its value
            std::size_t j = i;
            while (j < rest.size() && rest[j] >= '0' && rest[j] <= '9')
                ++j;
            if (j == i || !smallNumber(rest.substr(i, j - i), f.style))
                return false;
            i = j;
        } else
            return false;
    }
    out = f;
    return true;
}

std::string FormatFont(const qv::LayoutFont& f) {
    std::string s;
    if (f.face != 0)
        s = toTable(kFaces, f.face) + ":";
    s += std::to_string(f.points);
    if (f.weight == 7)
        s += "b";
    else if (f.weight != 4)
        s += "w" + std::to_string(f.weight);
    if ((f.style & ~7u) != 0) {
        s += "y" + std::to_string(f.style);
    } else {
        if (f.style & 2)
            s += "i";
        if (f.style & 1)
            s += "u";
        if (f.style & 4)
            s += "s";
    }
    return s;
}

bool ParseAlign(const std::string& text, std::uint8_t& out) {
    return fromTable(kAligns, text, out);
}
std::string FormatAlign(std::uint8_t align) {
    return toTable(kAligns, align);
}
bool ParseShape(const std::string& text, std::uint8_t& out) {
    return fromTable(kShapes, text, out);
}
std::string FormatShape(std::uint8_t shape) {
    return toTable(kShapes, shape);
}
bool ParsePenStyle(const std::string& text, std::uint8_t& out) {
    return fromTable(kPens, text, out);
}
std::string FormatPenStyle(std::uint8_t style) {
    return toTable(kPens, style);
}

} // namespace qvdat
