#pragma once

#include <string>
#include <vector>

// Every test case runs in an environment of its own: a program directory whose files link to
// the built program directory, an empty Windows directory and an empty settings file, all in
// a temporary folder that is removed afterwards. Message boxes are answered from a queue of
// expectations; a box nobody expected fails the test and is answered with Cancel. A modal
// dialog with no queued pf::queueDialogCallback fails the test and is cancelled; the file
// dialog, launch and screen-size hooks are reset before every case.
namespace qvtest {

struct Env {
    std::string root;     // the temporary folder, with a trailing '/'
    std::string progDir;  // QUORVA_PROGDIR, trailing '/'
    std::string winDir;   // QUORVA_WINDIR, trailing '/'
    std::string settings; // QUORVA_SETTINGS
};
const Env& env();

std::string buildProgDir(); // the program directory the build assembled, trailing '/'
std::string sourceDir();    // the source tree, trailing '/'
std::string binDir();       // the build's tools (qvdat, ...), trailing '/'
std::string artifactDir();  // where tests leave screenshots and PDFs for people, trailing '/'
std::string fixture(const std::string& relative); // a file under tests/fixtures

// Expects the next message box to show exactly `text`; it is answered with `answer`.
// With `flags` given, the box's flags must match too.
void expectBox(const std::string& text, int answer, unsigned flags = ~0u);
struct ShownBox {
    std::string text;
    unsigned flags;
};
// Every box shown during the current test, expected or not.
const std::vector<ShownBox>& shownBoxes();

// Runs a built tool of binDir() with its arguments (no shell quoting needed) and answers its
// exit status and what it wrote.
struct ToolRun {
    int status;
    std::string out;
    std::string err;
};
ToolRun runTool(const std::string& tool, const std::vector<std::string>& args);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

} // namespace qvtest
