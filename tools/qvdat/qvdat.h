#pragma once

#include <string>
#include <vector>

// The sub-commands of qvdat. Each takes the arguments after its own name and answers the
// exit status: 0 success, 1 a file or entry is missing or bad, 2 wrong usage.
namespace qvdat {

using Args = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage; // the arguments, for the help text
    int (*run)(const Args& args);
};

// The table the dispatcher reads; one row per sub-command.
const std::vector<Command>& commands();

// One-line message on standard error, prefixed "qvdat: "; returns `status`.
int fail(int status, const std::string& message);
int usage(const char* command);
// Text for an Open result other than 1.
std::string openError(int result);

int cmdList(const Args& args);
int cmdGet(const Args& args);
int cmdPack(const Args& args);
int cmdCheck(const Args& args);
int cmdCompileScript(const Args& args);
int cmdQuestions(const Args& args);
int cmdCompileLayout(const Args& args);
int cmdDumpLayout(const Args& args);
int cmdRenderLayout(const Args& args);
int cmdLayoutSkeleton(const Args& args);

} // namespace qvdat
