// qvpage: draws a page file through the page window off-screen, for page authors and tests.
//   qvpage render IN.htm OUT.png [--width N] [--pdf OUT.pdf] [--return FILE [--copy FORM[,N]]]
// With a return, the page's directives and bound controls read that return on the federal
// module; --copy names the copy the page belongs to.
#include "forms/detailsstorehost.h"
#include "forms/historylist.h"
#include "html/htmlwindow.h"
#include "interview/modulelistset.h"
#include "interview/pagestack.h"
#include "modules/modulelist.h"
#include "platform/dialogs.h"
#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "storage/memdatafile.h"
#include "storage/taxdoc.h"

#include <quorva/formmanager.h>

#include <QDialog>

#include <QApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QPixmap>
#include <QScrollBar>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr, "usage: qvpage render IN.htm OUT.png [--width N] [--pdf OUT.pdf] "
                         "[--return FILE [--copy FORM[,N]]]\n");
    return 2;
}

// A return opened on the tax modules of the program folder, for pages that read it.
struct OpenReturn {
    CMemDataFile file;
    CModuleList modules;
    std::unique_ptr<CDetailsStoreHost> store;
    qv::HistoryList history;
    qv::PageStack pages;
    std::unique_ptr<CTaxDoc> doc;
    std::unique_ptr<qv::ModuleListSet> set;

    ~OpenReturn() {
        doc.reset();
        modules.UnloadAll();
    }
    bool open(const std::string& path) {
        if (!std::getenv("QUORVA_PROGDIR") && !pf::fileExists(pf::progDir() + "FEDCALC.so")) {
#ifdef QVPAGE_BUILD_PROGDIR
            ::setenv("QUORVA_PROGDIR", QVPAGE_BUILD_PROGDIR, 1);
#endif
        }
        store = std::make_unique<CDetailsStoreHost>(modules, file);
        modules.setDetailsStore(store.get());
        modules.setReturnFile(&file);
        if (!modules.LoadModules()) {
            std::fprintf(stderr, "qvpage: cannot load the tax modules from %s\n",
                         pf::progDir().c_str());
            return false;
        }
        if (!pf::fileExists(path)) {
            std::fprintf(stderr, "qvpage: %s: no such file\n", path.c_str());
            return false;
        }
        doc = std::make_unique<CTaxDoc>(modules, file, history, pages);
        if (!doc->OnOpenDocument(path)) {
            std::fprintf(stderr, "qvpage: cannot open the return %s\n", path.c_str());
            return false;
        }
        set = std::make_unique<qv::ModuleListSet>(modules);
        return true;
    }
    // FORM[,N] of the federal module; null with a message when there is no such copy.
    CFormCopy* copy(const std::string& ref) {
        CFormManager* fm = set->FormManager(1);
        const std::string upper = pf::upper(ref);
        const std::size_t comma = upper.find(',');
        const int form = fm->FindForm(upper.substr(0, comma).c_str());
        const int n = comma == std::string::npos ? 1 : std::atoi(upper.c_str() + comma + 1);
        CFormCopy* c = form ? fm->GetFormCopy(form, n < 1 ? 1 : n) : nullptr;
        if (!c)
            std::fprintf(stderr, "qvpage: the return has no copy %s\n", ref.c_str());
        return c;
    }
};

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc < 4 || std::strcmp(argv[1], "render") != 0)
        return usage();
    const std::string in = argv[2];
    const std::string out = argv[3];
    int width = 640;
    std::string pdf;
    std::string returnPath;
    std::string copyRef;
    for (int i = 4; i < argc; ++i) {
        if (std::strcmp(argv[i], "--width") == 0 && i + 1 < argc) {
            width = std::atoi(argv[++i]);
            if (width < 50 || width > 10000) {
                std::fprintf(stderr, "qvpage: width must be between 50 and 10000\n");
                return 2;
            }
        } else if (std::strcmp(argv[i], "--pdf") == 0 && i + 1 < argc) {
            pdf = argv[++i];
        } else if (std::strcmp(argv[i], "--return") == 0 && i + 1 < argc) {
            returnPath = argv[++i];
        } else if (std::strcmp(argv[i], "--copy") == 0 && i + 1 < argc) {
            copyRef = argv[++i];
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

    // A password question has nobody to answer it: the return is refused.
    pf::setUnexpectedDialogHandler([](QDialog&) {
        std::fprintf(stderr, "qvpage: the return is password protected\n");
        return int(QDialog::Rejected);
    });
    OpenReturn opened;
    CFormCopy* current = nullptr;
    if (!returnPath.empty()) {
        if (!opened.open(returnPath))
            return 1;
        if (!copyRef.empty() && !(current = opened.copy(copyRef)))
            return 1;
    } else if (!copyRef.empty()) {
        return usage();
    }

    HtmlWindow page;
    if (opened.set)
        page.setReturnContext(opened.set.get(), 1, current);
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
