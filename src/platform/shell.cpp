#include "platform/shell.h"

#include "platform/paths.h"
#include "platform/text.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include <fstream>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pf {
namespace {

LaunchRecorder& recorderSlot() {
    static LaunchRecorder recorder;
    return recorder;
}

struct Started {
    qint64 pid;
    std::string title;
};

std::vector<Started>& startedPrograms() {
    static std::vector<Started> started;
    return started;
}

bool isExecutableFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

std::string withoutExe(const std::string& name) {
    if (name.size() > 4 && iequals(name.substr(name.size() - 4), ".exe"))
        return name.substr(0, name.size() - 4);
    return {};
}

// A process is gone once it has exited, even while it waits as a zombie to be reaped.
bool processRunning(qint64 pid) {
    if (pid <= 0 || ::kill(pid_t(pid), 0) != 0)
        return false;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t paren = line.rfind(')');
    return paren == std::string::npos || paren + 2 >= line.size() || line[paren + 2] != 'Z';
}

bool looksLikeUrl(const std::string& target) {
    const std::size_t colon = target.find(':');
    if (colon == std::string::npos || colon < 2)
        return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = target[i];
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

void setLaunchRecorder(LaunchRecorder recorder) {
    recorderSlot() = std::move(recorder);
}

bool shellOpen(const std::string& target) {
    if (const LaunchRecorder& recorder = recorderSlot())
        return recorder(Launch{Launch::Open, target, {}});
    if (target.empty() || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    QUrl url;
    if (looksLikeUrl(target)) {
        url = QUrl(toQt(target));
    } else {
        // A file that is not there cannot be opened; the desktop would only say so later.
        const std::string found = findFile(target);
        if (!fileExists(found) && !dirExists(found))
            return false;
        url = QUrl::fromLocalFile(toQt(found));
    }
    return url.isValid() && QDesktopServices::openUrl(url);
}

std::string findProgram(const std::string& program) {
    if (program.empty())
        return {};
    std::vector<std::string> names{program};
    if (std::string bare = withoutExe(program); !bare.empty())
        names.push_back(bare);
    for (const std::string& name : names) {
        if (name.find('/') == std::string::npos)
            continue;
        const std::string found = findFile(name);
        if (isExecutableFile(found))
            return found;
    }
    for (const std::string& name : names) {
        const QString found = QStandardPaths::findExecutable(toQt(fileName(name)));
        if (!found.isEmpty())
            return fromQt(found);
    }
    // The system calculator the program offers has desktop counterparts here.
    if (iequals(fileName(names.back()), "calc")) {
        for (const char* calculator : {"gnome-calculator", "kcalc", "galculator", "xcalc"}) {
            const QString found = QStandardPaths::findExecutable(QString::fromLatin1(calculator));
            if (!found.isEmpty())
                return fromQt(found);
        }
    }
    return {};
}

bool startProgram(const std::string& program, const std::vector<std::string>& args) {
    if (const LaunchRecorder& recorder = recorderSlot())
        return recorder(Launch{Launch::Start, program, args});
    const std::string path = findProgram(program);
    if (path.empty())
        return false;
    QStringList arguments;
    for (const std::string& a : args)
        arguments << toQt(a);
    qint64 pid = 0;
    if (!QProcess::startDetached(toQt(path), arguments, QString(), &pid))
        return false;
    // The window title the program would show: its file name without the extension.
    std::string title = fileName(path);
    if (const std::size_t dot = title.rfind('.'); dot != std::string::npos && dot > 0)
        title.erase(dot);
    auto& started = startedPrograms();
    std::erase_if(started, [](const Started& s) { return !processRunning(s.pid); });
    started.push_back({pid, title});
    return true;
}

bool startedProgramRunning(const std::string& titlePrefix) {
    for (const Started& s : startedPrograms()) {
        if (s.title.size() >= titlePrefix.size() &&
            iequals(s.title.substr(0, titlePrefix.size()), titlePrefix) && processRunning(s.pid))
            return true;
    }
    return false;
}

} // namespace pf
