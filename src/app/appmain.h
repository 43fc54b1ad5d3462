#pragma once

namespace qv {

// The program: command line, application object, start-up, the message loop, shut-down.
// `quorva02 --screenshot FILE [return]` starts off-screen, writes a PNG of the main window
// once the start page is shown, and exits.
int runApplication(int argc, char** argv);

} // namespace qv
