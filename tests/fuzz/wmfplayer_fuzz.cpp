// Any bytes given to the metafile player must load or be refused, and play to the end onto a
// real painter without a crash; a hook that decodes and re-encodes the font and text records
// must keep them playable.
#include "platform/dc.h"
#include "platform/wmfplayer.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdint>
#include <cstdlib>

namespace {

void ensureApp() {
    static QGuiApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "wmfplayer_fuzz";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

} // namespace

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libQt6Gui\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ensureApp();
    pf::WmfPlayer player;
    if (!player.load(data, size))
        return 0;
    QImage image(120, 160, QImage::Format_RGB32);
    image.fill(Qt::white);
    pf::Dc dc(&image);
    dc.setMapMode(pf::MM_ANISOTROPIC);
    dc.setWindowExt(2400, 3200);
    dc.setViewportExt(120, 160);
    player.play(dc, [](pf::WmfRecord& r, pf::Dc&) {
        pf::WmfRecord::Font f;
        if (r.font(f))
            r.setFont(f);
        pf::WmfRecord::Text t;
        if (r.text(t))
            r.setText(t);
        return true;
    });
    return 0;
}
