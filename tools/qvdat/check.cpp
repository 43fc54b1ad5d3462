#include "qvdat.h"
#include "storage/datafile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>

namespace qvdat {
namespace {

std::uint32_t le32(const std::string& b, std::size_t at) {
    auto u = [&](std::size_t i) { return std::uint32_t(static_cast<unsigned char>(b[at + i])); };
    return u(0) | u(1) << 8 | u(2) << 16 | u(3) << 24;
}

// Checks a file against the layout the writer produces, reading the bytes itself rather
// than through the reader classes, so that it judges them too. Empty answer: no fault.
std::string findFault(const std::string& b) {
    const std::size_t size = b.size();
    if (size < CDataFile::headerSize)
        return "too short for a header (" + std::to_string(size) + " bytes)";
    if (std::memcmp(b.data(), CDataFile::signature, std::strlen(CDataFile::signature)) != 0)
        return "bad signature";
    const std::uint32_t version = le32(b, 100);
    const std::uint32_t count = le32(b, 104);
    std::size_t pos = CDataFile::headerSize;
    if (version == CDataFile::version20) {
        if (size < pos + 2)
            return "header comment length missing";
        const std::size_t len = std::size_t(static_cast<unsigned char>(b[pos])) |
                                std::size_t(static_cast<unsigned char>(b[pos + 1])) << 8;
        pos += 2;
        if (len == 0)
            return "header comment length is 0 (must count the zero byte)";
        if (size < pos + len)
            return "header comment truncated";
        if (b[pos + len - 1] != '\0')
            return "header comment not zero-terminated";
        if (std::strlen(b.data() + pos) != len - 1)
            return "header comment holds a zero byte";
        pos += len;
    } else if (version != CDataFile::version10) {
        return "unknown format version " + std::to_string(version);
    }

    std::vector<std::string> names;
    std::set<std::string> seen;
    for (;;) {
        const auto end = b.find('\0', pos);
        if (end == std::string::npos)
            return "name table not terminated";
        std::string name = b.substr(pos, end - pos);
        pos = end + 1;
        if (name.empty())
            break;
        if (name.size() > CDataFile::maxNameLength)
            return "entry name longer than 255 characters";
        for (char c : name) {
            if (c >= 'a' && c <= 'z')
                return "entry name " + name + " is not upper case";
        }
        if (!seen.insert(name).second)
            return "duplicate entry name " + name;
        names.push_back(std::move(name));
    }
    if (names.size() != count)
        return "header says " + std::to_string(count) + " entries, name table holds " +
               std::to_string(names.size());
    if ((size - pos) / 8 < count)
        return "index truncated";
    std::uint64_t expected = pos + 8 * std::uint64_t(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t offset = le32(b, pos + 8 * i);
        const std::uint32_t length = le32(b, pos + 8 * i + 4);
        if (offset != expected)
            return "entry " + names[i] + ": body at " + std::to_string(offset) + ", expected " +
                   std::to_string(expected);
        expected += length;
        if (expected > size)
            return "entry " + names[i] + ": body runs past the end of the file";
    }
    if (size < expected + 4)
        return "checksum missing";
    if (size > expected + 4)
        return std::to_string(size - expected - 4) + " bytes after the checksum";
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at + 4 <= expected; at += 4)
        sum += le32(b, at);
    const std::uint32_t stored = le32(b, expected);
    if (sum != stored) {
        char text[64];
        std::snprintf(text, sizeof text, "checksum is %08x, expected %08x", unsigned(stored),
                      unsigned(sum));
        return text;
    }
    return {};
}

} // namespace

int cmdCheck(const Args& args) {
    if (args.size() != 1)
        return usage("check");
    std::ifstream in(args[0], std::ios::binary);
    if (!in)
        return fail(1, args[0] + ": cannot open the file");
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return fail(1, args[0] + ": cannot read the file");
    const std::string fault = findFault(bytes);
    if (!fault.empty())
        return fail(1, args[0] + ": " + fault);
    std::printf("ok\n");
    return 0;
}

} // namespace qvdat
