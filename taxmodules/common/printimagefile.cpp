#include "printimagefile.h"

#include "moduletext.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace qv {
namespace {

constexpr char kSignature[] = "Quorva Data File, by Copper Grove Software,Inc.";
constexpr std::size_t kHeaderSize = 108;

std::uint32_t u32(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(s[at + std::size_t(i)]);
    return v;
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        out.push_back(
            line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return out;
        start = tab + 1;
    }
}

bool toInt(const std::string& s, int& out) {
    if (s.empty() || s.size() > 9)
        return false;
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (*end)
        return false;
    out = int(v);
    return true;
}

} // namespace

bool PrintImageFile::open(const std::string& path) {
    m_open = false;
    m_entries.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (file.size() < kHeaderSize || file.compare(0, std::strlen(kSignature), kSignature) != 0)
        return false;
    const std::uint32_t version = u32(file, 100);
    const std::uint32_t count = u32(file, 104);
    std::size_t at = kHeaderSize;
    if (version == 20) {
        if (file.size() < at + 2)
            return false;
        at += 2 + (static_cast<unsigned char>(file[at]) |
                   (static_cast<unsigned char>(file[at + 1]) << 8));
    } else if (version != 10) {
        return false;
    }
    std::vector<std::string> names;
    while (at < file.size()) {
        const std::size_t nul = file.find('\0', at);
        if (nul == std::string::npos)
            return false;
        if (nul == at) {
            ++at;
            break;
        }
        names.push_back(upperName(file.substr(at, nul - at)));
        at = nul + 1;
    }
    if (names.size() < count || file.size() - std::min(at, file.size()) < 8ull * count)
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t offset = u32(file, at + 8 * i);
        const std::uint32_t length = u32(file, at + 8 * i + 4);
        if (offset > file.size() || length > file.size() - offset)
            return false;
        m_entries.emplace(names[i], file.substr(offset, length));
    }
    m_open = true;
    return true;
}

const std::string* PrintImageFile::find(const std::string& name) const {
    const auto it = m_entries.find(upperName(name));
    return it == m_entries.end() ? nullptr : &it->second;
}

int PrintImageFile::pageCount(const std::string& form) const {
    int pages = 0;
    while (find(form + "." + std::to_string(pages + 1)))
        ++pages;
    return pages;
}

std::vector<GridPlace> PrintImageFile::places(const std::string& form) const {
    std::vector<GridPlace> out;
    const std::string* text = find(form + ".GRID");
    if (!text)
        return out;
    std::istringstream lines(*text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::vector<std::string> f = splitTabs(line);
        if (f.size() != 11 || f[0].size() != 1)
            continue;
        GridPlace p;
        p.kind = f[0][0];
        int flags = 0;
        if (!toInt(f[1], p.page) || !toInt(f[2], p.row) || !toInt(f[3], p.column) ||
            !toInt(f[4], p.width) || !toInt(f[5], p.elementType) || !toInt(f[6], p.align) ||
            !toInt(f[7], flags) || !toInt(f[8], p.decimals) || !toInt(f[9], p.element))
            continue;
        p.layoutFlags = unsigned(flags);
        p.field = f[10];
        out.push_back(std::move(p));
    }
    return out;
}

std::string PrintImageFile::libraryFolder() {
    Dl_info info{};
    static const int anchor = 0;
    if (!dladdr(&anchor, &info) || !info.dli_fname)
        return {};
    std::string path = info.dli_fname;
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

} // namespace qv
