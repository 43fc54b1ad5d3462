#include "platform/paths.h"

#include "platform/text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace pf {
namespace {

std::string withSlash(std::string path) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

std::string envValue(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string homeDir() {
    std::string home = envValue("HOME");
    if (home.empty())
        home = fromQt(QDir::homePath());
    return withSlash(home);
}

std::string configRoot() {
    std::string base = envValue("XDG_CONFIG_HOME");
    if (base.empty())
        base = homeDir() + ".config";
    return withSlash(base) + "Copper Grove Software/";
}

bool statPath(const std::string& path, struct stat* st) {
    return !path.empty() && ::stat(path.c_str(), st) == 0;
}

std::string executableDir() {
    if (QCoreApplication::instance())
        return fromQt(QCoreApplication::applicationDirPath());
    // Before the application object exists Qt cannot say; ask the kernel.
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return ".";
    return folderOf(std::string(buf, std::size_t(n)));
}

} // namespace

std::string progDir() {
    const std::string env = envValue("QUORVA_PROGDIR");
    if (!env.empty())
        return withSlash(env);
    return withSlash(executableDir());
}

std::string writableProgDir() {
    const std::string dir = progDir();
    if (::access(dir.c_str(), W_OK) == 0)
        return dir;
    std::string data = envValue("XDG_DATA_HOME");
    if (data.empty())
        data = homeDir() + ".local/share";
    const std::string fallback = withSlash(data) + "Quorva 2002/";
    makePath(fallback);
    return fallback;
}

std::string winDir() {
    std::string dir = envValue("QUORVA_WINDIR");
    dir = dir.empty() ? configRoot() + "Windows/" : withSlash(dir);
    makePath(dir);
    return dir;
}

std::string settingsPath() {
    const std::string env = envValue("QUORVA_SETTINGS");
    if (!env.empty())
        return env;
    return configRoot() + "Quorva 2002.ini";
}

std::string findFile(const std::string& path) {
    struct stat st;
    if (path.empty() || statPath(path, &st))
        return path;
    std::string folder = folderOf(path);
    const std::string name = fileName(path);
    if (name.empty())
        return path;
    // The folder itself may differ in case too (a data path written in upper case).
    if (!folder.empty() && folder != "/") {
        std::string trimmed = folder.substr(0, folder.size() - 1);
        std::string found = findFile(trimmed);
        if (found != trimmed)
            folder = withSlash(found);
    }
    const QDir dir(folder.empty() ? QStringLiteral(".") : toQt(folder));
    const QStringList names = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& candidate : names) {
        const std::string bytes = fromQt(candidate);
        if (iequals(bytes, name))
            return folder + bytes;
    }
    return path;
}

bool fileExists(const std::string& path) {
    struct stat st;
    return statPath(path, &st) && S_ISREG(st.st_mode);
}

bool dirExists(const std::string& path) {
    struct stat st;
    return statPath(path, &st) && S_ISDIR(st.st_mode);
}

bool makeDir(const std::string& path, bool* alreadyExisted) {
    if (alreadyExisted)
        *alreadyExisted = false;
    if (path.empty())
        return false;
    if (::mkdir(path.c_str(), 0777) == 0)
        return true;
    const int err = errno;
    if (err == EEXIST && dirExists(path)) {
        if (alreadyExisted)
            *alreadyExisted = true;
        return true;
    }
    errno = err;
    return false;
}

bool makePath(const std::string& path) {
    if (path.empty())
        return false;
    if (dirExists(path))
        return true;
    return QDir().mkpath(toQt(path));
}

bool isReadOnly(const std::string& path) {
    struct stat st;
    return statPath(path, &st) && !(st.st_mode & S_IWUSR);
}

bool setReadOnly(const std::string& path, bool readOnly) {
    struct stat st;
    if (!statPath(path, &st))
        return false;
    mode_t mode = st.st_mode & 07777;
    // Read-only takes every write bit away; writable gives the owner's back only.
    mode = readOnly ? (mode & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
    return ::chmod(path.c_str(), mode) == 0;
}

bool removeFile(const std::string& path) {
    return !path.empty() && ::unlink(path.c_str()) == 0;
}

bool copyFile(const std::string& from, const std::string& to) {
    if (from == to)
        return fileExists(from);
    // A read-only target is refused, as the system the program was designed for does.
    if (isReadOnly(to))
        return false;
    const QString dest = toQt(to);
    // QFile::copy refuses to overwrite; replacing the target is what callers expect.
    if (QFile::exists(dest) && !QFile::remove(dest))
        return false;
    return QFile::copy(toQt(from), dest);
}

std::string fileName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace pf
