// qvpage: draws a page file through the page window off-screen, for page authors and tests.
//   qvpage render IN.htm OUT.png [--width N] [--pdf OUT.pdf]
#include "html/htmlwindow.h"
#include "platform/messagebox.h"

#include <QApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QPixmap>
#include <QScrollBar>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr, "usage: qvpage render IN.htm OUT.png [--width N] [--pdf OUT.pdf]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc < 4 || std::strcmp(argv[1], "render") != 0)
        return usage();
    const std::string in = argv[2];
    const std::string out = argv[3];
    int width = 640;
    std::string pdf;
    for (int i = 4; i < argc; ++i) {
        if (std::strcmp(argv[i], "--width") == 0 && i + 1 < argc) {
            width = std::atoi(argv[++i]);
            if (width < 50 || width > 10000) {
                std::fprintf(stderr, "qvpage: width must be between 50 and 10000\n");
                return 2;
            }
        } else if (std::strcmp(argv[i], "--pdf") == 0 && i + 1 < argc) {
            pdf = argv[++i];
        } else {
            return usage();
        }
    }
    QApplication app(argc, argv);
    // Messages the page would show in a box go to the terminal.
    pf::setMessageBoxHandler([](const std::string& text, unsigned, const std::string&) {
        std::fprintf(stderr, "qvpage: %s\n", text.c_str());
        return pf::IDOK;
    });

    HtmlWindow page;
    page.setFrameShape(QFrame::NoFrame);
    page.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    page.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    page.resize(width, 400);
    page.show();
    if (!page.LoadFile(in)) {
        std::fprintf(stderr, "qvpage: cannot load %s\n", in.c_str());
        return 1;
    }
    // The whole page at once: as tall as its content, as wide as asked or as it needs.
    page.resize(std::max(width, page.contentWidth()), std::max(page.contentHeight(), 20));
    QApplication::processEvents();
    // No link is highlighted in the picture: nothing on the page has the focus.
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();
    QApplication::processEvents();
    const QPixmap shot = page.viewport()->grab();
    if (!shot.save(QString::fromLocal8Bit(out.c_str()), "PNG")) {
        std::fprintf(stderr, "qvpage: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("%s: %dx%d\n", out.c_str(), shot.width(), shot.height());
    if (!pdf.empty()) {
        QPdfWriter writer(QString::fromLocal8Bit(pdf.c_str()));
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("Quorva 2002"));
        const int pages = page.PrintPage(&writer, 1, 10000, true);
        std::printf("%s: %d page(s)\n", pdf.c_str(), pages);
    }
    return 0;
}
