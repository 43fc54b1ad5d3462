#include "layoutcompiler.h"

#include "layoutsyntax.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>

namespace fs = std::filesystem;

namespace qvdat {
namespace {

using qv::LayoutKind;
using qv::LayoutRecord;

constexpr int kMaxDepth = 16;
constexpr int kMaxRepeat = 1000;
// Nested repeats and self-calling macros could expand without bound: the pass stops at this
// many expanded lines, or after this many errors.
constexpr std::size_t kMaxExpandedLines = 200000;
constexpr std::size_t kMaxRecords = 20000;
constexpr std::size_t kMaxErrors = 50;

struct Token {
    std::string key; // empty for a bare word or quoted string
    std::string value;
    bool quoted = false;
};

bool isNameChar(char c, bool first) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           (!first && c >= '0' && c <= '9');
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

// A value put in place of $name is escaped so that it survives inside quotes.
std::string escapeForQuotes(const std::string& v) {
    std::string out;
    for (char c : v) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

// Replaces $name and ${name} (locals first, then globals); "$$" is a dollar sign.
bool substitute(const std::string& in, const std::map<std::string, std::string>& locals,
                const std::map<std::string, std::string>& globals, std::string& out,
                std::string& err) {
    out.clear();
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '$') {
            out += in[i];
            continue;
        }
        if (i + 1 < in.size() && in[i + 1] == '$') {
            out += '$';
            ++i;
            continue;
        }
        std::size_t start = i + 1;
        std::size_t end = start;
        bool braced = start < in.size() && in[start] == '{';
        if (braced) {
            ++start;
            end = in.find('}', start);
            if (end == std::string::npos) {
                err = "unterminated ${";
                return false;
            }
        } else {
            while (end < in.size() && isNameChar(in[end], end == start))
                ++end;
        }
        // Variable names are not case-sensitive, like every other word of the source.
        const std::string name = lower(in.substr(start, end - start));
        if (name.empty()) {
            err = "'$' without a variable name (write $$ for a dollar sign)";
            return false;
        }
        auto it = locals.find(name);
        if (it == locals.end())
            it = globals.find(name);
        if (it == globals.end() && locals.find(name) == locals.end()) {
            err = "undefined variable $" + name;
            return false;
        }
        out += escapeForQuotes(it->second);
        i = braced ? end : end - 1;
    }
    return true;
}

// Splits a line into words, key=value pairs and quoted strings. A '#' at the start of a word
// begins a comment; inside quotes \" \\ \n \t and \xHH are escapes.
bool tokenize(const std::string& line, std::vector<Token>& tokens, std::string& err) {
    tokens.clear();
    std::size_t i = 0;
    auto readQuoted = [&](std::string& out) {
        ++i; // opening quote
        while (i < line.size() && line[i] != '"') {
            char c = line[i++];
            if (c == '\\') {
                if (i >= line.size())
                    break;
                char e = line[i++];
                switch (e) {
                case 'n':
                    out += '\n';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'x': {
                    auto hex = [](char h) {
                        if (h >= '0' && h <= '9')
                            return h - '0';
                        if (h >= 'a' && h <= 'f')
                            return h - 'a' + 10;
                        if (h >= 'A' && h <= 'F')
                            return h - 'A' + 10;
                        return -1;
                    };
                    if (i + 1 >= line.size() || hex(line[i]) < 0 || hex(line[i + 1]) < 0) {
                        err = "\\x needs two hex digits";
                        return false;
                    }
                    out += char(hex(line[i]) * 16 + hex(line[i + 1]));
                    i += 2;
                    break;
                }
                default:
                    out += e;
                }
            } else {
                out += c;
            }
        }
        if (i >= line.size()) {
            err = "unterminated quoted string";
            return false;
        }
        ++i; // closing quote
        return true;
    };
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        if (i >= line.size() || line[i] == '#')
            break;
        Token t;
        if (line[i] == '"') {
            t.quoted = true;
            if (!readQuoted(t.value))
                return false;
        } else {
            std::string word;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
                   line[i] != '=' && line[i] != '"')
                word += line[i++];
            if (i < line.size() && line[i] == '=') {
                ++i;
                t.key = lower(word);
                if (t.key.empty()) {
                    err = "'=' without a key";
                    return false;
                }
                if (i < line.size() && line[i] == '"') {
                    t.quoted = true;
                    if (!readQuoted(t.value))
                        return false;
                } else {
                    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                        t.value += line[i++];
                }
            } else if (i < line.size() && line[i] == '"') {
                err = "a quote inside '" + word + "' (put a space before it or write key=\"...\")";
                return false;
            } else {
                t.value = word;
            }
        }
        tokens.push_back(std::move(t));
    }
    return true;
}

std::string firstWord(const std::string& line) {
    std::size_t i = line.find_first_not_of(" \t\r");
    if (i == std::string::npos || line[i] == '#')
        return "";
    std::size_t j = line.find_first_of(" \t\r", i);
    return lower(line.substr(i, j == std::string::npos ? std::string::npos : j - i));
}

// Where a record's coordinates land, gathered before the page and origin are applied.
struct Coords {
    std::optional<double> x, y, w, h, x1, y1, x2, y2, leader;
};

const std::set<std::string>& keysOf(LayoutKind kind) {
    static const std::map<LayoutKind, std::set<std::string>> table = {
        {qv::LK_HEADER, {"width", "height", "pages", "font", "bg", "color", "extra"}},
        {qv::LK_TEXT,
         {"x", "y", "w", "h", "text", "font", "align", "frame", "leader", "opaque", "hidden", "bg",
          "color"}},
        {qv::LK_ENTRY,
         {"x", "y", "w", "h", "field", "index", "tab", "dollars", "cents", "flags", "len",
          "decimals", "align", "frame", "hidden", "bg", "color"}},
        {qv::LK_LINE, {"x1", "y1", "x2", "y2", "x", "y", "w", "h", "color"}},
        {qv::LK_OPTION,
         {"x", "y", "w", "h", "field", "index", "tab", "label", "font", "align", "group", "hidden",
          "bg", "color"}},
        {qv::LK_CHECK,
         {"x", "y", "w", "h", "field", "index", "tab", "label", "font", "align", "group", "nobox",
          "hidden", "color"}},
        {qv::LK_CHOICE, {"x", "y", "w", "h", "field", "offset", "tab", "hidden", "bg"}},
        {qv::LK_SHAPE, {"x", "y", "w", "h", "kind", "pen", "penwidth", "color", "fill"}},
        {qv::LK_HOTSPOT, {"x", "y", "w", "h", "field", "index", "tab"}},
    };
    return table.at(kind);
}

// Keys that stand alone as flags ("frame" is "frame=1").
bool isFlagKey(const std::string& key) {
    static const std::set<std::string> flags = {"frame", "opaque", "hidden", "dollars",
                                                "cents", "group",  "nobox"};
    return flags.count(key) != 0;
}

bool parseBool(const std::string& v, bool& out) {
    const std::string l = lower(v);
    if (l == "1" || l == "yes" || l == "on" || l == "true") {
        out = true;
        return true;
    }
    if (l == "0" || l == "no" || l == "off" || l == "false") {
        out = false;
        return true;
    }
    return false;
}

bool parseUnsigned(const std::string& v, unsigned long max, unsigned long& out) {
    double d = 0;
    std::string err;
    if (!EvalLength(v, d, err) || d < 0 || d != std::floor(d) || d > double(max))
        return false;
    out = static_cast<unsigned long>(d);
    return true;
}

bool fitsInt32(double v) {
    return v >= -2147483648.0 && v <= 2147483647.0;
}

std::int32_t twips(double v) {
    return static_cast<std::int32_t>(std::lround(v));
}

// A field name with an optional element index: "PAID(2)".
bool splitField(const std::string& v, std::string& name, std::optional<unsigned long>& index) {
    const std::size_t open = v.find('(');
    if (open == std::string::npos) {
        name = v;
        return !name.empty();
    }
    if (v.back() != ')')
        return false;
    name = v.substr(0, open);
    unsigned long n = 0;
    if (name.empty() || !parseUnsigned(v.substr(open + 1, v.size() - open - 2), 0xFFFF, n))
        return false;
    index = n;
    return true;
}

} // namespace

LayoutCompiler::LayoutCompiler() {
    m_globals["page"] = std::to_string(kLayoutPageHeight);
}

LayoutRecord LayoutCompiler::baseRecord(LayoutKind kind) {
    LayoutRecord r;
    r.kind = kind;
    r.font = {0, 8, 0, 4};
    r.visible = true;
    r.textColor = kColorBlack;
    switch (kind) {
    case qv::LK_HEADER:
        r.pageWidth = kLayoutPageWidth;
        r.pageHeight = -kLayoutPageHeight;
        r.bgColor = kColorCream;
        break;
    case qv::LK_TEXT:
    case qv::LK_ENTRY:
    case qv::LK_OPTION:
    case qv::LK_CHOICE:
        r.bgColor = kColorWhite;
        break;
    case qv::LK_SHAPE:
        r.penColor = kColorBlack;
        r.fillColor = kColorWhite;
        r.penWidth = 1;
        break;
    default:
        break;
    }
    if (kind == qv::LK_SHAPE || kind == qv::LK_LINE || kind == qv::LK_HOTSPOT)
        r.textColor = 0;
    return r;
}

void LayoutCompiler::error(const std::string& where, const std::string& message) {
    if (m_stopped)
        return;
    m_errors.push_back(where + ": " + message);
    if (m_errors.size() >= kMaxErrors) {
        m_errors.push_back(where + ": too many errors; stopping");
        m_stopped = true;
    }
}

bool LayoutCompiler::readFile(const std::string& path, std::vector<SourceLine>& lines,
                              const std::string& calledFrom) {
    std::error_code ec;
    std::ifstream in(path, std::ios::binary);
    if (!fs::is_regular_file(path, ec) || !in) {
        m_errors.push_back((calledFrom.empty() ? path : calledFrom) + ": cannot read " + path);
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t start = 0;
    int number = 0;
    std::string pending;
    std::string pendingWhere;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        std::string line =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (pending.empty())
            pendingWhere = path + ":" + std::to_string(number);
        // A backslash at the very end joins the next line.
        if (!line.empty() && line.back() == '\\') {
            line.pop_back();
            pending += line + " ";
        } else {
            lines.push_back({pending + line, pendingWhere});
            pending.clear();
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    if (!pending.empty())
        lines.push_back({pending, pendingWhere});
    return true;
}

bool LayoutCompiler::compileFile(const std::string& path) {
    std::vector<SourceLine> lines;
    if (readFile(path, lines, "")) {
        m_includeStack.push_back(fs::weakly_canonical(path).string());
        run(lines, {}, 0);
        m_includeStack.pop_back();
    }
    if (m_errors.empty() && !m_haveHeader)
        m_errors.push_back(path + ": no header record");
    return m_errors.empty();
}

bool LayoutCompiler::compileText(const std::string& text, const std::string& fileName) {
    std::vector<SourceLine> lines;
    std::size_t start = 0;
    int number = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        lines.push_back(
            {text.substr(start, end == std::string::npos ? std::string::npos : end - start),
             fileName + ":" + std::to_string(++number)});
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    run(lines, {}, 0);
    if (m_errors.empty() && !m_haveHeader)
        m_errors.push_back(fileName + ": no header record");
    return m_errors.empty();
}

void LayoutCompiler::run(const std::vector<SourceLine>& lines, const Vars& locals, int depth) {
    for (std::size_t i = 0; i < lines.size() && !m_stopped; ++i) {
        if (++m_expandedLines > kMaxExpandedLines) {
            error(lines[i].where, "the source expands to more than " +
                                      std::to_string(kMaxExpandedLines) +
                                      " lines (a macro calling itself, or repeats nested "
                                      "too deeply?)");
            m_stopped = true;
            return;
        }
        runLine(lines, i, locals, depth);
    }
}

void LayoutCompiler::runLine(const std::vector<SourceLine>& lines, std::size_t& i,
                             const Vars& locals, int depth) {
    const SourceLine& src = lines[i];
    const std::string& where = src.where;
    const std::string first = firstWord(src.text);
    if (first.empty())
        return;

    // Blocks keep their body unexpanded; it is expanded at each use.
    if (first == "macro" || first == "repeat") {
        std::vector<SourceLine> body;
        int nesting = 1;
        std::size_t j = i + 1;
        for (; j < lines.size(); ++j) {
            const std::string w = firstWord(lines[j].text);
            if (w == "macro" || w == "repeat")
                ++nesting;
            else if (w == "end" && --nesting == 0)
                break;
            body.push_back(lines[j]);
        }
        if (j >= lines.size()) {
            error(where, "'" + first + "' without a matching 'end'");
            i = lines.size();
            return;
        }
        i = j;
        std::string head;
        std::string err;
        std::vector<Token> tokens;
        if (!substitute(src.text, locals, m_globals, head, err) || !tokenize(head, tokens, err)) {
            error(where, err);
            return;
        }
        if (first == "macro") {
            if (tokens.size() < 2 || !tokens[1].key.empty() || tokens[1].quoted) {
                error(where, "macro needs a name: macro NAME [PARAM | PARAM=DEFAULT]...");
                return;
            }
            const std::string name = lower(tokens[1].value);
            if (name == "end" || name == "macro" || name == "repeat" || name == "set" ||
                name == "include" || name == "page" || name == "origin" || name == "default" ||
                KindFromKeyword(name)) {
                error(where, "'" + name + "' is a keyword and cannot name a macro");
                return;
            }
            Block block;
            for (std::size_t t = 2; t < tokens.size(); ++t) {
                const std::string p =
                    tokens[t].key.empty() ? lower(tokens[t].value) : tokens[t].key;
                block.params.push_back(p);
                if (!tokens[t].key.empty())
                    block.defaults[p] = tokens[t].value;
            }
            block.body = std::move(body);
            m_macros[name] = std::move(block);
            return;
        }
        // repeat COUNT VAR [from=N] [step=N]
        unsigned long count = 0;
        if (tokens.size() < 3 || !tokens[1].key.empty() ||
            !parseUnsigned(tokens[1].value, kMaxRepeat, count) || !tokens[2].key.empty() ||
            tokens[2].value.empty() || !isNameChar(tokens[2].value[0], true)) {
            error(where, "usage: repeat COUNT VAR [from=N] [step=N] (COUNT at most " +
                             std::to_string(kMaxRepeat) + ")");
            return;
        }
        double from = 0, step = 1;
        for (std::size_t t = 3; t < tokens.size(); ++t) {
            double* target = tokens[t].key == "from"   ? &from
                             : tokens[t].key == "step" ? &step
                                                       : nullptr;
            if (!target || !EvalLength(tokens[t].value, *target, err)) {
                error(where, "repeat: bad '" + tokens[t].key + "=" + tokens[t].value + "'");
                return;
            }
        }
        if (depth >= kMaxDepth) {
            error(where, "blocks nested too deeply");
            return;
        }
        for (unsigned long n = 0; n < count; ++n) {
            Vars inner = locals;
            inner[lower(tokens[2].value)] = FormatNumber(from + step * double(n));
            std::vector<SourceLine> expanded = body;
            for (SourceLine& l : expanded)
                l.where += " (repeat " + std::to_string(n + 1) + " from " + where + ")";
            run(expanded, inner, depth + 1);
        }
        return;
    }
    if (first == "end") {
        error(where, "'end' without 'macro' or 'repeat'");
        return;
    }

    std::string line;
    std::string err;
    std::vector<Token> tokens;
    if (!substitute(src.text, locals, m_globals, line, err) || !tokenize(line, tokens, err)) {
        error(where, err);
        return;
    }
    if (tokens.empty())
        return;
    const std::string keyword = lower(tokens[0].value);
    if (!tokens[0].key.empty() || tokens[0].quoted) {
        error(where, "a line starts with a keyword, not '" + tokens[0].key + "='");
        return;
    }

    if (keyword == "set") {
        if (tokens.size() < 2) {
            error(where, "usage: set NAME=VALUE ...");
            return;
        }
        for (std::size_t t = 1; t < tokens.size(); ++t) {
            if (tokens[t].key.empty() || !isNameChar(tokens[t].key[0], true)) {
                error(where, "set wants NAME=VALUE, not '" + tokens[t].value + "'");
                continue;
            }
            // Numbers are kept evaluated, so "$a*2" means what it says.
            double v = 0;
            std::string ignored;
            m_globals[tokens[t].key] = !tokens[t].quoted && EvalLength(tokens[t].value, v, ignored)
                                           ? FormatNumber(v)
                                           : tokens[t].value;
        }
        return;
    }
    if (keyword == "include") {
        if (tokens.size() != 2 || !tokens[1].key.empty()) {
            error(where, "usage: include \"FILE\"");
            return;
        }
        if (depth >= kMaxDepth || m_includeStack.size() >= kMaxDepth) {
            error(where, "includes nested too deeply");
            return;
        }
        const std::string from = where.substr(0, where.rfind(':'));
        fs::path path = tokens[1].value;
        if (path.is_relative()) {
            const std::string base = m_includeStack.empty() ? from : m_includeStack.back();
            path = fs::path(base).parent_path() / path;
        }
        const std::string canonical = fs::weakly_canonical(path).string();
        for (const std::string& open : m_includeStack) {
            if (open == canonical) {
                error(where, "include of " + tokens[1].value + " includes itself");
                return;
            }
        }
        std::vector<SourceLine> included;
        if (!readFile(path.string(), included, where))
            return;
        m_includeStack.push_back(canonical);
        run(included, locals, depth + 1);
        m_includeStack.pop_back();
        return;
    }
    if (keyword == "page") {
        unsigned long n = 0;
        if (tokens.size() != 2 || !tokens[1].key.empty() ||
            !parseUnsigned(tokens[1].value, 100, n) || n < 1) {
            error(where, "usage: page N (N from 1)");
            return;
        }
        m_pageTop = int(n - 1) * kLayoutPageHeight;
        m_originX = m_originY = 0;
        return;
    }
    if (keyword == "origin") {
        int x = 0, y = 0;
        for (std::size_t t = 1; t < tokens.size(); ++t) {
            double v = 0;
            if ((tokens[t].key != "x" && tokens[t].key != "y") ||
                !EvalLength(tokens[t].value, v, err) || !fitsInt32(v)) {
                error(where, "usage: origin [x=X] [y=Y]");
                return;
            }
            (tokens[t].key == "x" ? x : y) = twips(v);
        }
        m_originX = x;
        m_originY = y;
        return;
    }
    if (keyword == "default") {
        if (tokens.size() < 2 || !tokens[1].key.empty()) {
            error(where, "usage: default KIND[,KIND...]|* KEY=VALUE ...");
            return;
        }
        std::vector<std::string> kinds;
        std::string list = lower(tokens[1].value);
        for (std::size_t a = 0; a <= list.size();) {
            std::size_t b = list.find(',', a);
            kinds.push_back(list.substr(a, b == std::string::npos ? std::string::npos : b - a));
            if (b == std::string::npos)
                break;
            a = b + 1;
        }
        for (const std::string& k : kinds) {
            const std::optional<LayoutKind> kind = KindFromKeyword(k);
            if (k != "*" && !kind) {
                error(where, "default: unknown record kind '" + k + "'");
                return;
            }
            for (std::size_t t = 2; t < tokens.size(); ++t) {
                const std::string key =
                    tokens[t].key.empty() ? lower(tokens[t].value) : tokens[t].key;
                if (kind && !keysOf(*kind).count(key)) {
                    error(where, "default: " + k + " has no key '" + key + "'");
                    continue;
                }
                if (tokens[t].key.empty() && !isFlagKey(key)) {
                    error(where, "default: '" + key + "' needs a value");
                    continue;
                }
                m_defaults[k][key] = tokens[t].key.empty() ? "1" : tokens[t].value;
            }
        }
        return;
    }

    if (auto macro = m_macros.find(keyword); macro != m_macros.end()) {
        const Block& block = macro->second;
        Vars inner = locals;
        for (const auto& [k, v] : block.defaults)
            inner[k] = v;
        std::set<std::string> given;
        for (std::size_t t = 1; t < tokens.size(); ++t) {
            std::string key = tokens[t].key;
            std::string value = tokens[t].value;
            if (key.empty()) {
                // A bare word passes 1 to a parameter of that name; a bare quoted string
                // goes to the first parameter not given yet.
                if (!tokens[t].quoted) {
                    key = value;
                    value = "1";
                } else {
                    for (const std::string& p : block.params)
                        if (!given.count(lower(p))) {
                            key = p;
                            break;
                        }
                }
            }
            auto p = std::find_if(block.params.begin(), block.params.end(),
                                  [&](const std::string& n) { return lower(n) == lower(key); });
            if (p == block.params.end()) {
                error(where, "macro " + keyword + " has no parameter '" + key + "'");
                return;
            }
            inner[*p] = value;
            given.insert(lower(*p));
        }
        for (const std::string& p : block.params) {
            if (!inner.count(p)) {
                error(where, "macro " + keyword + " needs " + p + "=");
                return;
            }
        }
        if (depth >= kMaxDepth) {
            error(where, "macros nested too deeply");
            return;
        }
        std::vector<SourceLine> expanded = block.body;
        for (SourceLine& l : expanded)
            l.where += " (in macro " + keyword + " from " + where + ")";
        run(expanded, inner, depth + 1);
        return;
    }

    const std::optional<LayoutKind> kindOpt = KindFromKeyword(keyword);
    if (!kindOpt) {
        error(where, "unknown keyword '" + tokens[0].value + "'");
        return;
    }
    const LayoutKind kind = *kindOpt;
    const std::string kindName = KeywordOf(kind);
    const std::string shortcut = keyword; // hline and vline are lines with fewer keys

    // Defaults first (all kinds, then this kind), then the record's own keys.
    std::vector<std::pair<std::string, std::string>> pairs;
    std::vector<bool> fromDefault;
    for (const char* k : {"*", kindName.c_str()}) {
        auto d = m_defaults.find(k);
        if (d == m_defaults.end())
            continue;
        for (const auto& [key, value] : d->second) {
            if (keysOf(kind).count(key)) {
                pairs.emplace_back(key, value);
                fromDefault.push_back(true);
            }
        }
    }
    for (std::size_t t = 1; t < tokens.size(); ++t) {
        if (tokens[t].key.empty()) {
            if (tokens[t].quoted &&
                (kind == qv::LK_TEXT || kind == qv::LK_OPTION || kind == qv::LK_CHECK)) {
                pairs.emplace_back(kind == qv::LK_TEXT ? "text" : "label", tokens[t].value);
            } else if (!tokens[t].quoted && isFlagKey(lower(tokens[t].value))) {
                pairs.emplace_back(lower(tokens[t].value), "1");
            } else {
                error(where, kindName + ": '" + tokens[t].value + "' is not KEY=VALUE");
                continue;
            }
        } else {
            pairs.emplace_back(tokens[t].key, tokens[t].value);
        }
        fromDefault.push_back(false);
    }

    LayoutRecord rec = baseRecord(kind);
    Coords c;
    std::optional<unsigned long> tab;
    std::optional<unsigned long> index;
    std::optional<int> pages;
    bool autoWidth = false; // text: as wide as its text in its font
    bool ok = true;
    std::set<std::string> seen;
    for (std::size_t p = 0; p < pairs.size(); ++p) {
        const std::string& key = pairs[p].first;
        const std::string& value = pairs[p].second;
        if (!keysOf(kind).count(key)) {
            error(where, kindName + " has no key '" + key + "'");
            ok = false;
            continue;
        }
        if (!fromDefault[p]) {
            if (seen.count(key)) {
                error(where, kindName + ": '" + key + "' given twice");
                ok = false;
                continue;
            }
            seen.insert(key);
        }
        auto bad = [&](const std::string& what) {
            error(where, kindName + ": bad " + key + " '" + value + "'" +
                             (what.empty() ? "" : " (" + what + ")"));
            ok = false;
        };
        auto length = [&](std::optional<double>& out) {
            double v = 0;
            std::string e;
            if (!EvalLength(value, v, e) || !fitsInt32(v))
                bad(e);
            else
                out = v;
        };
        auto flag = [&](bool& out) {
            if (!parseBool(value, out))
                bad("1 or 0");
        };
        auto colour = [&](std::uint32_t& out) {
            if (!ParseColour(value, out))
                bad("a colour name, #RRGGBB or 0xVALUE");
        };
        auto number = [&](unsigned long max, auto& out) {
            unsigned long v = 0;
            if (!parseUnsigned(value, max, v))
                bad("0.." + std::to_string(max));
            else
                out = static_cast<std::remove_reference_t<decltype(out)>>(v);
        };
        if (key == "x")
            length(c.x);
        else if (key == "y")
            length(c.y);
        else if (key == "w" && kind == qv::LK_TEXT && lower(value) == "auto")
            autoWidth = true;
        else if (key == "w")
            length(c.w);
        else if (key == "h")
            length(c.h);
        else if (key == "x1")
            length(c.x1);
        else if (key == "y1")
            length(c.y1);
        else if (key == "x2")
            length(c.x2);
        else if (key == "y2")
            length(c.y2);
        else if (key == "leader")
            length(c.leader);
        else if (key == "width" || key == "height") {
            std::optional<double> v;
            length(v);
            if (v && *v <= 0)
                bad("positive twips");
            else if (v)
                (key == "width" ? rec.pageWidth : rec.pageHeight) =
                    key == "width" ? twips(*v) : -twips(*v);
        } else if (key == "pages") {
            unsigned long n = 0;
            if (!parseUnsigned(value, 100, n) || n == 0)
                bad("1..100");
            else
                pages = int(n);
        } else if (key == "font") {
            if (!ParseFont(value, rec.font))
                bad("[FACE:]SIZE[b][i][u][s][wN], e.g. 8, 9b, arial:7i, wingdings:10");
        } else if (key == "bg")
            colour(rec.bgColor);
        else if (key == "color")
            colour(kind == qv::LK_LINE    ? rec.lineColor
                   : kind == qv::LK_SHAPE ? rec.penColor
                                          : rec.textColor);
        else if (key == "fill")
            colour(rec.fillColor);
        else if (key == "extra") {
            std::uint32_t v = 0;
            unsigned long n = 0;
            if (parseUnsigned(value, 0xFFFFFFFFul, n))
                rec.pageExtra = std::uint32_t(n);
            else if (ParseColour(value, v)) // 0x... as well
                rec.pageExtra = v;
            else
                bad("a number");
        } else if (key == "text") {
            if (value.size() > qv::kLayoutMaxText)
                bad("longer than " + std::to_string(qv::kLayoutMaxText) + " bytes");
            else
                rec.text = value;
        } else if (key == "label") {
            if (value.size() >= qv::kLayoutLabelSize)
                bad("longer than " + std::to_string(qv::kLayoutLabelSize - 1) + " bytes");
            else
                rec.label = value;
        } else if (key == "align") {
            if (!ParseAlign(value, rec.align))
                bad("left, center, right, or a number");
        } else if (key == "frame")
            flag(rec.frame);
        else if (key == "opaque")
            flag(rec.opaque);
        else if (key == "group")
            flag(rec.group);
        else if (key == "hidden") {
            bool hidden = false;
            flag(hidden);
            rec.visible = !hidden;
        } else if (key == "nobox") {
            bool nobox = false;
            flag(nobox);
            rec.boxed = !nobox;
        } else if (key == "dollars" || key == "cents") {
            bool on = false;
            flag(on);
            const unsigned bit = key == "dollars" ? qv::LF_WHOLE_DOLLARS : qv::LF_APPEND_ZERO_CENTS;
            rec.layoutFlags =
                static_cast<std::uint16_t>(on ? rec.layoutFlags | bit : rec.layoutFlags & ~bit);
        } else if (key == "flags")
            number(0xFFFF, rec.layoutFlags);
        else if (key == "len" || key == "decimals")
            number(0xFF, rec.decimals);
        else if (key == "field") {
            std::string name;
            std::optional<unsigned long> elem;
            if (!splitField(value, name, elem))
                bad("NAME or NAME(INDEX)");
            else if (name.size() >= qv::kLayoutNameSize)
                bad("longer than " + std::to_string(qv::kLayoutNameSize - 1) + " characters");
            else {
                rec.fieldName = name;
                if (elem)
                    index = elem;
            }
        } else if (key == "index") {
            unsigned long v = 0;
            if (!parseUnsigned(value, 0xFFFF, v))
                bad("0..65535");
            else
                index = v;
        } else if (key == "offset")
            number(0xFFFF, rec.fieldOffset);
        else if (key == "tab") {
            unsigned long v = 0;
            if (!parseUnsigned(value, 0xFFFF, v))
                bad("0..65535");
            else
                tab = v;
        } else if (key == "kind") {
            if (!ParseShape(value, rec.shape))
                bad("rect, ellipse, round or a number");
        } else if (key == "pen") {
            if (!ParsePenStyle(value, rec.penStyle))
                bad("solid, dash, dot, dashdot, dashdotdot, null, inside or a number");
        } else if (key == "penwidth")
            number(0xFF, rec.penWidth);
    }
    if (!ok)
        return;
    if (autoWidth)
        c.w = TextWidth(rec.text, rec.font);

    const double pageY = double(m_pageTop + m_originY);
    auto needs =
        [&](std::initializer_list<std::pair<const char*, const std::optional<double>*>> list) {
            std::string missing;
            for (const auto& [name, v] : list)
                if (!v->has_value())
                    missing += std::string(missing.empty() ? "" : ", ") + name;
            if (!missing.empty())
                error(where, kindName + " needs " + missing);
            return missing.empty();
        };
    auto toY = [&](double y) { return -(pageY + y); };
    auto inRange = [&](double v) {
        if (!fitsInt32(v)) {
            error(where, kindName + ": a coordinate is out of range");
            return false;
        }
        return true;
    };

    if (kind == qv::LK_HEADER) {
        if (m_haveHeader) {
            error(where, "a second header (a layout has one, as its first record)");
            return;
        }
        if (!m_records.empty()) {
            error(where, "the header must be the first record");
            return;
        }
        if (pages)
            rec.pageHeight = -*pages * kLayoutPageHeight;
        m_haveHeader = true;
    } else if (!m_haveHeader) {
        error(where, "the first record must be a header");
        return;
    }

    if (kind == qv::LK_LINE) {
        if (shortcut == "hline") {
            if (!needs({{"x", &c.x}, {"y", &c.y}, {"w", &c.w}}))
                return;
            c.x1 = *c.x;
            c.x2 = *c.x + *c.w;
            c.y1 = c.y2 = c.y;
        } else if (shortcut == "vline") {
            if (!needs({{"x", &c.x}, {"y", &c.y}, {"h", &c.h}}))
                return;
            c.x1 = c.x2 = c.x;
            c.y1 = *c.y;
            c.y2 = *c.y + *c.h;
        } else if (c.x || c.y || c.w || c.h) {
            error(where, "line takes x1 y1 x2 y2 (hline: x y w, vline: x y h)");
            return;
        } else if (!needs({{"x1", &c.x1}, {"y1", &c.y1}, {"x2", &c.x2}, {"y2", &c.y2}})) {
            return;
        }
        const double vx1 = *c.x1 + m_originX, vx2 = *c.x2 + m_originX;
        const double vy1 = toY(*c.y1), vy2 = toY(*c.y2);
        if (!inRange(vx1) || !inRange(vx2) || !inRange(vy1) || !inRange(vy2))
            return;
        rec.x1 = twips(vx1);
        rec.x2 = twips(vx2);
        rec.y1 = twips(vy1);
        rec.y2 = twips(vy2);
    } else if (kind != qv::LK_HEADER) {
        if (!needs({{"x", &c.x}, {"y", &c.y}, {"w", &c.w}, {"h", &c.h}}))
            return;
        const double left = *c.x + m_originX, top = toY(*c.y);
        if (!inRange(left) || !inRange(top) || !inRange(top - *c.h) || !inRange(left + *c.w))
            return;
        // The box hangs down from its top: y up makes the stored height negative.
        rec.box = {twips(top), twips(left), -twips(*c.h), twips(*c.w)};
        if (c.leader) {
            const double leader = *c.leader + m_originX;
            if (!inRange(leader))
                return;
            rec.leaderEnd = twips(leader);
            // The dots end 90 twips before the leader end; a text reaching past that would
            // run into the box the leader leads to.
            if (left + *c.w > leader - 90) {
                error(where, "text is " + FormatNumber(std::ceil(*c.w)) + " twips wide, " +
                                 FormatNumber(std::ceil(left + *c.w - (leader - 90))) +
                                 " more than the room before its leader end (shorten it or " +
                                 "break it onto two lines)");
                return;
            }
        }
    }

    if (rec.isBound()) {
        if (rec.fieldName.empty()) {
            error(where, kindName + " needs field=");
            return;
        }
        if (index)
            rec.elementIndex = static_cast<std::uint16_t>(*index);
        if (tab)
            m_controlNumber = int(*tab);
        else if (m_controlNumber >= 0xFFFF) {
            error(where, "more than 65535 control numbers");
            return;
        } else
            ++m_controlNumber;
        rec.controlNumber = static_cast<std::uint16_t>(m_controlNumber);
    }
    if (m_records.size() >= kMaxRecords) {
        error(where, "more than " + std::to_string(kMaxRecords) + " records");
        m_stopped = true;
        return;
    }
    m_records.push_back(std::move(rec));
}

} // namespace qvdat
