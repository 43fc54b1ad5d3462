#include "qvdat.h"
#include "storage/memdatafile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>

namespace fs = std::filesystem;

namespace qvdat {
namespace {

struct Item {
    std::string name;
    std::string path;
};

bool readWhole(const std::string& path, std::string& bytes) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string upperAscii(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return s;
}

} // namespace

// Builds a data file from files: entries in the order given, or one per file of a folder,
// sorted by entry name. Written through the program's own writer, so the bytes are the ones
// the program would write.
int cmdPack(const Args& args) {
    if (args.empty())
        return usage("pack");
    const std::string out = args[0];
    std::string comment;
    std::uint32_t version = CDataFile::version20;
    std::vector<std::string> rest;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--comment" || args[i] == "--version") {
            if (i + 1 >= args.size())
                return usage("pack");
            const std::string value = args[++i];
            if (args[i - 1] == "--comment")
                comment = value;
            else if (value == "10" || value == "20")
                version = std::uint32_t(std::stoul(value));
            else
                return fail(2, "--version must be 10 or 20");
        } else {
            rest.push_back(args[i]);
        }
    }
    if (rest.empty())
        return usage("pack");
    if (version == CDataFile::version10 && !comment.empty())
        return fail(2, "a version-10 file has no header comment");

    std::vector<Item> items;
    std::error_code ec;
    if (rest.size() == 1 && rest[0].find('=') == std::string::npos) {
        if (!fs::is_directory(rest[0], ec))
            return fail(1, rest[0] + ": not a folder (or give NAME=PATH)");
        for (const auto& entry : fs::directory_iterator(rest[0], ec)) {
            if (entry.is_regular_file(ec))
                items.push_back({entry.path().filename().string(), entry.path().string()});
        }
        if (ec)
            return fail(1, rest[0] + ": cannot read the folder");
        std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
            return upperAscii(a.name) < upperAscii(b.name);
        });
    } else {
        for (const std::string& arg : rest) {
            const auto eq = arg.find('=');
            if (eq == std::string::npos)
                return fail(2, "'" + arg + "': expected NAME=PATH");
            items.push_back({arg.substr(0, eq), arg.substr(eq + 1)});
        }
    }

    CMemDataFile file;
    file.SetSaveVersion(version);
    file.SetComment(comment);
    std::set<std::string> seen;
    for (const Item& item : items) {
        if (!seen.insert(upperAscii(item.name)).second)
            return fail(1, "duplicate entry name " + item.name);
        std::string bytes;
        if (!readWhole(item.path, bytes))
            return fail(1, item.path + ": cannot read the file");
        if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
            return fail(1, item.path + ": too large for an entry");
        if (!file.Put(item.name, bytes.data(), std::uint32_t(bytes.size())))
            return fail(1, "'" + item.name + "': not a valid entry name (1 to 255 characters)");
    }
    if (!file.Save(out))
        return fail(1, out + ": cannot write the file");
    return 0;
}

} // namespace qvdat
