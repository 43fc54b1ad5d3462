// compile-layout, dump-layout and render-layout: the readable layout source, its binary
// records, and a picture of them.
#include "layoutcompiler.h"
#include "layoutdump.h"
#include "layoutrender.h"
#include "qvdat.h"
#include "storage/datafile.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace qvdat {
namespace {

bool writeWhole(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out.flush());
}

// The layout bytes of IN: a text source (".txt"), a data file's entry, or a binary layout.
int loadLayout(const std::string& in, const std::string& entry, std::string& bytes) {
    if (!entry.empty()) {
        CDataFile file;
        const int r = file.Open(in);
        if (r != 1)
            return fail(1, in + ": " + openError(r));
        if (!file.Exists(entry))
            return fail(1, in + ": no entry named " + entry);
        bytes.assign(file.GetLength(entry), '\0');
        if (!bytes.empty() && !file.Get(entry, bytes.data()))
            return fail(1, in + ": cannot read entry " + entry);
        return 0;
    }
    if (in.size() > 4 && in.substr(in.size() - 4) == ".txt") {
        LayoutCompiler compiler;
        if (!compiler.compileFile(in)) {
            for (const std::string& e : compiler.errors())
                std::fprintf(stderr, "%s\n", e.c_str());
            return 1;
        }
        bytes = qv::EncodeLayout(compiler.records());
        return 0;
    }
    std::ifstream f(in, std::ios::binary);
    if (!f)
        return fail(1, "cannot read " + in);
    bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return 0;
}

qv::LayoutParse parseOrWarn(const std::string& bytes, const std::string& name) {
    qv::LayoutParse parse = qv::ParseLayout(bytes);
    if (!parse.complete)
        std::fprintf(stderr,
                     "qvdat: %s: the records stop at byte %zu (unknown kind %u or cut "
                     "short); the rest is left out\n",
                     name.c_str(), parse.stoppedAt,
                     parse.stoppedAt < bytes.size() ? unsigned(std::uint8_t(bytes[parse.stoppedAt]))
                                                    : 0u);
    return parse;
}

} // namespace

int cmdCompileLayout(const Args& args) {
    if (args.size() != 2)
        return usage("compile-layout");
    LayoutCompiler compiler;
    if (!compiler.compileFile(args[0])) {
        for (const std::string& e : compiler.errors())
            std::fprintf(stderr, "%s\n", e.c_str());
        return 1;
    }
    if (!writeWhole(args[1], qv::EncodeLayout(compiler.records())))
        return fail(1, "cannot write " + args[1]);
    return 0;
}

int cmdDumpLayout(const Args& args) {
    if (args.empty() || args.size() > 2)
        return usage("dump-layout");
    std::string bytes;
    if (int r = loadLayout(args[0], args.size() == 2 ? args[1] : "", bytes))
        return r;
    const qv::LayoutParse parse = parseOrWarn(bytes, args[0]);
    const std::string text = FormatLayout(parse.records);
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (std::fflush(stdout) != 0)
        return 1;
    return parse.complete ? 0 : 1;
}

int cmdRenderLayout(const Args& args) {
    RenderOptions options;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--page" || args[i] == "--dpi") {
            if (i + 1 >= args.size())
                return usage("render-layout");
            char* end = nullptr;
            const double v = std::strtod(args[++i].c_str(), &end);
            if (*end != '\0' || v < (args[i - 1] == "--page" ? 1 : 10) || v > 1200)
                return fail(2, args[i - 1] + " wants a number (page from 1, dpi 10-1200)");
            if (args[i - 1] == "--page")
                options.page = int(v);
            else
                options.dpi = v;
        } else if (args[i] == "--outline") {
            options.outline = true;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2 && files.size() != 3)
        return usage("render-layout");
    std::string bytes;
    if (int r = loadLayout(files[0], files.size() == 3 ? files[1] : "", bytes))
        return r;
    const qv::LayoutParse parse = parseOrWarn(bytes, files[0]);

    // Fonts need a GUI application; no display is needed for painting into an image.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "qvdat";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const QImage image = RenderLayout(parse.records, options);
    if (!image.save(QString::fromStdString(files.back()), "PNG"))
        return fail(1, "cannot write " + files.back());
    return parse.complete ? 0 : 1;
}

} // namespace qvdat
