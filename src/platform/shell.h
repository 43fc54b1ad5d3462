#pragma once

#include "platform/pfexport.h"

#include <functional>
#include <string>
#include <vector>

namespace pf {

// Opens a URL or file with the desktop's handler. False when nothing could open it.
PF_EXPORT bool shellOpen(const std::string& target);
// Starts a program with arguments, no shell in between. A name is tried as given, then
// without ".exe", then on PATH. False when no such program exists or it cannot start.
PF_EXPORT bool startProgram(const std::string& program, const std::vector<std::string>& args);
// Resolves a program name as startProgram does; empty when not found. "calc" or "calc.exe"
// not found falls back to a desktop calculator.
PF_EXPORT std::string findProgram(const std::string& program);
// Whether a program we started is still running with a window title beginning with
// `titlePrefix` (the programs' own titles are their file names without extension).
PF_EXPORT bool startedProgramRunning(const std::string& titlePrefix);

// Test hook: records launches instead of running them. The recorder's result is returned.
struct Launch {
    enum Kind { Open, Start } kind;
    std::string target;
    std::vector<std::string> args;
};
using LaunchRecorder = std::function<bool(const Launch&)>;
PF_EXPORT void setLaunchRecorder(LaunchRecorder recorder);

} // namespace pf
