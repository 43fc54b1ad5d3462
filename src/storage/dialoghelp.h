#pragma once

namespace qv {

// The Help buttons of the return dialogs run the application's help command, when there is
// a main window to run it.
void SendHelpCommand();

} // namespace qv
