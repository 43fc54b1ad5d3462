#include "platform/inifile.h"

#include "platform/paths.h"
#include "platform/text.h"

#include <QSaveFile>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>

namespace pf {
namespace {

// One line of the file as read: its text without the line break, and the break itself, so
// that an untouched line is written back byte for byte.
struct Line {
    std::string text;
    std::string eol;
};

enum class Kind { Other, Section, Entry };

struct Parsed {
    Kind kind = Kind::Other;
    std::string name;   // section name or key, trimmed
    std::size_t eq = 0; // position of '=' for an entry
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && (isBlank(s[e - 1]) || s[e - 1] == '\r'))
        --e;
    return s.substr(b, e - b);
}

Parsed parse(const std::string& text) {
    Parsed p;
    const std::string t = trim(text);
    if (t.empty() || t[0] == ';')
        return p;
    if (t[0] == '[') {
        const std::size_t close = t.find(']');
        p.kind = Kind::Section;
        p.name = trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
        return p;
    }
    const std::size_t eq = text.find('=');
    if (eq == std::string::npos)
        return p;
    p.kind = Kind::Entry;
    p.name = trim(text.substr(0, eq));
    p.eq = eq;
    return p;
}

// The value as a lookup returns it: surrounding blanks dropped, one pair of matching quotes
// removed, everything else (further '=', inner blanks, ';') kept as written.
std::string valueOf(const std::string& text, std::size_t eq) {
    std::string v = trim(text.substr(eq + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v;
}

std::vector<Line> readLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t nl = bytes.find('\n', pos);
        if (nl == std::string::npos) {
            lines.push_back({bytes.substr(pos), {}});
            break;
        }
        std::size_t end = nl;
        if (end > pos && bytes[end - 1] == '\r')
            --end;
        lines.push_back({bytes.substr(pos, end - pos), bytes.substr(end, nl + 1 - end)});
        pos = nl + 1;
    }
    return lines;
}

// The line break new lines get: the file's own, CRLF for a new file.
std::string lineBreakOf(const std::vector<Line>& lines) {
    for (const Line& l : lines) {
        if (!l.eol.empty())
            return l.eol;
    }
    return "\r\n";
}

bool writeLines(const std::string& path, const std::vector<Line>& lines) {
    std::string bytes;
    for (const Line& l : lines)
        bytes += l.text + l.eol;
    // Written beside the old file and renamed over it: an interrupted write leaves the old
    // settings rather than half a file.
    QSaveFile out(toQt(path));
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

// The section's header line and the end of its body (one past its last line).
struct Span {
    std::size_t header;
    std::size_t end;
};

std::optional<Span> findSection(const std::vector<Line>& lines, const std::string& section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Parsed p = parse(lines[i].text);
        if (p.kind != Kind::Section || !iequals(p.name, trim(section)))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && parse(lines[end].text).kind != Kind::Section)
            ++end;
        return Span{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(const std::vector<Line>& lines, const Span& span,
                                   const std::string& key) {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const Parsed p = parse(lines[i].text);
        if (p.kind == Kind::Entry && iequals(p.name, trim(key)))
            return i;
    }
    return std::nullopt;
}

// Names that would change the file's structure when written are refused.
bool validName(const std::string& name, bool isKey) {
    const std::string t = trim(name);
    if (t.empty())
        return false;
    for (char c : t) {
        if (c == '\r' || c == '\n' || (isKey && c == '=') || (!isKey && c == ']'))
            return false;
    }
    return !(isKey && (t[0] == '[' || t[0] == ';'));
}

} // namespace

IniFile::IniFile(std::string path) : m_path(std::move(path)) {}

IniFile IniFile::inWinDir(const std::string& name) {
    return IniFile(findFile(winDir() + name));
}

std::string IniFile::getString(const std::string& section, const std::string& key,
                               const std::string& def) const {
    const std::vector<Line> lines = readLines(m_path);
    const std::optional<Span> span = findSection(lines, section);
    if (!span)
        return def;
    const std::optional<std::size_t> at = findKey(lines, *span, key);
    if (!at)
        return def;
    return valueOf(lines[*at].text, parse(lines[*at].text).eq);
}

int IniFile::getInt(const std::string& section, const std::string& key, int def) const {
    const std::string text = getString(section, key);
    const char* begin = text.c_str();
    char* end = nullptr;
    const long v = std::strtol(begin, &end, 10);
    return end == begin ? def : int(v);
}

bool IniFile::writeString(const std::string& section, const std::string& key,
                          const std::string& value) {
    if (!validName(section, false) || !validName(key, true))
        return false;
    if (isReadOnly(m_path))
        return false;
    // A line break inside a value would start a new line of the file.
    std::string v = value;
    for (char& c : v) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    std::vector<Line> lines = readLines(m_path);
    const std::string eol = lineBreakOf(lines);
    if (!lines.empty() && lines.back().eol.empty())
        lines.back().eol = eol;

    const std::optional<Span> span = findSection(lines, section);
    if (!span) {
        lines.push_back({"[" + trim(section) + "]", eol});
        lines.push_back({trim(key) + "=" + v, eol});
    } else if (const std::optional<std::size_t> at = findKey(lines, *span, key)) {
        // The key keeps its spelling and everything before '=' as written.
        Line& line = lines[*at];
        line.text = line.text.substr(0, parse(line.text).eq + 1) + v;
    } else {
        // New keys go after the section's last line that is not blank.
        std::size_t insert = span->end;
        while (insert > span->header + 1 && trim(lines[insert - 1].text).empty())
            --insert;
        lines.insert(lines.begin() + std::ptrdiff_t(insert), Line{trim(key) + "=" + v, eol});
    }
    return writeLines(m_path, lines);
}

std::vector<std::string> IniFile::keys(const std::string& section) const {
    const std::vector<Line> lines = readLines(m_path);
    std::vector<std::string> out;
    const std::optional<Span> span = findSection(lines, section);
    if (!span)
        return out;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        const Parsed p = parse(lines[i].text);
        if (p.kind != Kind::Entry || p.name.empty())
            continue;
        bool seen = false;
        for (const std::string& k : out)
            seen = seen || iequals(k, p.name);
        if (!seen)
            out.push_back(p.name);
    }
    return out;
}

std::vector<std::string> IniFile::sections() const {
    std::vector<std::string> out;
    for (const Line& l : readLines(m_path)) {
        const Parsed p = parse(l.text);
        if (p.kind != Kind::Section)
            continue;
        bool seen = false;
        for (const std::string& s : out)
            seen = seen || iequals(s, p.name);
        if (!seen)
            out.push_back(p.name);
    }
    return out;
}

bool IniFile::deleteKey(const std::string& section, const std::string& key) {
    std::vector<Line> lines = readLines(m_path);
    const std::optional<Span> span = findSection(lines, section);
    if (!span)
        return true;
    const std::optional<std::size_t> at = findKey(lines, *span, key);
    if (!at)
        return true;
    if (isReadOnly(m_path))
        return false;
    lines.erase(lines.begin() + std::ptrdiff_t(*at));
    return writeLines(m_path, lines);
}

bool IniFile::deleteSection(const std::string& section) {
    std::vector<Line> lines = readLines(m_path);
    const std::optional<Span> span = findSection(lines, section);
    if (!span)
        return true;
    if (isReadOnly(m_path))
        return false;
    lines.erase(lines.begin() + std::ptrdiff_t(span->header),
                lines.begin() + std::ptrdiff_t(span->end));
    return writeLines(m_path, lines);
}

} // namespace pf
