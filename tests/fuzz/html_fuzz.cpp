// Any page text must parse and lay out to the end, without a crash, in bounded time.
#include "html/htmldocument.h"
#include "html/htmlexception.h"
#include "html/htmlparser.h"
#include "html/parserhost.h"
#include "platform/dc.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class QuietHost final : public qv::ParserHost {
public:
    void showError(const std::string&) const override {}
    std::string onlineSetting(const std::string& name) const override { return name; }
};

void ensureApp() {
    static QGuiApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "html_fuzz";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

} // namespace

// Font configuration keeps its caches for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libQt6Gui\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ensureApp();
    // The first byte picks the layout width, so narrow and wide pages are both reached.
    const int width = size ? 20 + data[0] * 4 : 600;
    HtmlDocument doc;
    QuietHost host;
    HtmlParser parser(host);
    try {
        parser.Parse(doc, doc.anchors, reinterpret_cast<const char*>(data), size);
    } catch (const CHTMLException&) {
        return 0;
    }
    pf::Dc dc;
    doc.Layout(dc, width, 4);
    doc.HitTestLink(width / 2, doc.contentHeight() / 2, nullptr);
    return 0;
}
