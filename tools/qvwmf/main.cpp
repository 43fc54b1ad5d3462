// qvwmf: turns compiled form layouts into the page images and grid places a print manager
// keeps beside its module's data file.
//
//   qvwmf pack OUT.DAT MODULE.DAT FORM...   images "<FORM>.<page>" and places "<FORM>.GRID"
//                                           for every named form the module data file holds
//   qvwmf image LAYOUT PAGE OUT.wmf         one page of a layout file as a metafile
#include "layoutimage.h"

#include "storage/memdatafile.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "qvwmf: %s\n", message.c_str());
    return 1;
}

int usage() {
    std::fprintf(stderr, "usage:\n  qvwmf pack OUT.DAT MODULE.DAT FORM...\n"
                         "  qvwmf image LAYOUT PAGE OUT.wmf\n");
    return 2;
}

bool readWhole(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool writeWhole(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

int pack(const std::vector<std::string>& args) {
    if (args.size() < 2)
        return usage();
    CDataFile module;
    if (module.Open(args[1]) != 1)
        return fail(args[1] + ": cannot open the module data file");
    CMemDataFile out;
    int images = 0;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& form = args[i];
        const std::uint32_t length = module.GetLength(form);
        if (length == 0)
            continue; // no layout yet: the form prints from its screen layout
        std::string bytes(length, '\0');
        module.Get(form, bytes.data());
        const qv::LayoutParse parse = qv::ParseLayout(bytes);
        if (!parse.complete)
            return fail(form + ": damaged layout at byte " + std::to_string(parse.stoppedAt));
        const qv::LayoutImages made = qv::RenderLayout(parse.records);
        for (std::size_t p = 0; p < made.pages.size(); ++p) {
            const std::string name = form + "." + std::to_string(p + 1);
            out.Put(name, made.pages[p].data(), std::uint32_t(made.pages[p].size()));
            ++images;
        }
        const std::string grid = qv::PlacementText(made.placements);
        out.Put(form + ".GRID", grid.data(), std::uint32_t(grid.size()));
    }
    if (!out.Save(args[0]))
        return fail(args[0] + ": cannot write the file");
    std::printf("qvwmf: %d page images in %s\n", images, args[0].c_str());
    return 0;
}

int image(const std::vector<std::string>& args) {
    if (args.size() != 3)
        return usage();
    std::string bytes;
    if (!readWhole(args[0], bytes))
        return fail(args[0] + ": cannot read the file");
    const qv::LayoutParse parse = qv::ParseLayout(bytes);
    if (!parse.complete)
        return fail(args[0] + ": damaged layout at byte " + std::to_string(parse.stoppedAt));
    const int page = std::atoi(args[1].c_str());
    const qv::LayoutImages made = qv::RenderLayout(parse.records);
    if (page < 1 || std::size_t(page) > made.pages.size())
        return fail("the layout has " + std::to_string(made.pages.size()) + " pages");
    if (!writeWhole(args[2], made.pages[std::size_t(page - 1)]))
        return fail(args[2] + ": cannot write the file");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Text is measured with the fonts the pages print in; no display is needed for that.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const std::string command = argc > 1 ? argv[1] : "";
    const std::vector<std::string> args(argv + std::min(argc, 2), argv + argc);
    if (command == "pack")
        return pack(args);
    if (command == "image")
        return image(args);
    return usage();
}
