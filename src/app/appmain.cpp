#include "app/appmain.h"

#include "app/mainframe.h"
#include "app/taxapp.h"
#include "platform/messagebox.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qv {
namespace {

bool wantsScreenshot(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0)
            return true;
    }
    return false;
}

// Off-screen nobody can answer a message box: it is written to standard error instead and
// answered with its default button.
int reportBox(const std::string& text, unsigned flags, const std::string&) {
    std::fprintf(stderr, "quorva02: %s\n", text.c_str());
    const unsigned type = flags & pf::MB_TYPEMASK;
    const bool second = (flags & pf::MB_DEFMASK) == pf::MB_DEFBUTTON2;
    if (type == pf::MB_YESNO || type == pf::MB_YESNOCANCEL)
        return second ? pf::IDNO : pf::IDYES;
    if (type == pf::MB_RETRYCANCEL)
        return second ? pf::IDCANCEL : pf::IDRETRY;
    return pf::IDOK;
}

} // namespace

int runApplication(int argc, char** argv) {
    const bool screenshot = wantsScreenshot(argc, argv);
    if (screenshot)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("Quorva 2002");
    QApplication::setOrganizationName("Copper Grove Software");
    // The engine formats numbers and times the classic way, whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_TIME, "C");

    const CTaxApp::Options options = CTaxApp::parseArguments(QApplication::arguments());
    if (!options.error.empty()) {
        std::fprintf(stderr, "quorva02: %s\nusage: quorva02 [--screenshot FILE] [RETURN.ta2]\n",
                     options.error.c_str());
        return 2;
    }
    if (screenshot)
        pf::setMessageBoxHandler(reportBox);

    CTaxApp app;
    if (!app.InitInstance(options))
        return 1;
    if (screenshot) {
        // Once the start page has been laid out and painted, take the picture and leave.
        QTimer::singleShot(300, [&] {
            const QPixmap shot = app.mainFrame()->grab();
            const bool saved = shot.save(QString::fromStdString(options.screenshotPath), "PNG");
            if (!saved)
                std::fprintf(stderr, "quorva02: cannot write %s\n", options.screenshotPath.c_str());
            QApplication::exit(saved ? 0 : 1);
        });
    }
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}

} // namespace qv
