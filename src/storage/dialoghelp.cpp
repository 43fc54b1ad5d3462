#include "storage/dialoghelp.h"

#include "app/mainframe.h"
#include "app/taxapp.h"

namespace qv {

void SendHelpCommand() {
    constexpr int kHelpCommand = 32951;
    CTaxApp* app = CTaxApp::instance();
    if (app && app->mainFrame())
        app->mainFrame()->commands().execute(kHelpCommand);
}

} // namespace qv
