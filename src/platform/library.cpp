#include "platform/library.h"

#include "platform/text.h"

#include <QFileInfo>
#include <QLibrary>

#include <map>
#include <memory>

namespace pf {
namespace {

// Loaded libraries by canonical path, so that a path reached through a link or with "./"
// reuses the library already loaded.
std::map<std::string, Library*>& loaded() {
    static std::map<std::string, Library*> libraries;
    return libraries;
}

std::string canonical(const std::string& path) {
    const QString c = QFileInfo(toQt(path)).canonicalFilePath();
    return c.isEmpty() ? path : fromQt(c);
}

} // namespace

Library* Library::load(const std::string& path, std::string* error) {
    const QFileInfo info(toQt(path));
    if (!info.isFile()) {
        if (error)
            *error = "file not found: " + path;
        return nullptr;
    }
    const std::string key = canonical(path);
    auto& libraries = loaded();
    if (auto it = libraries.find(key); it != libraries.end()) {
        ++it->second->m_refs;
        return it->second;
    }
    auto lib = std::make_unique<QLibrary>(toQt(key));
    // Unresolved symbols fail the load here rather than a call later.
    lib->setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!lib->load()) {
        if (error)
            *error = fromQt(lib->errorString());
        return nullptr;
    }
    auto* library = new Library;
    library->m_path = path;
    library->m_handle = lib.release();
    library->m_refs = 1;
    libraries[key] = library;
    return library;
}

void* Library::resolve(const char* symbol) const {
    auto* lib = static_cast<QLibrary*>(m_handle);
    return lib && symbol ? reinterpret_cast<void*>(lib->resolve(symbol)) : nullptr;
}

std::uint64_t Library::fileVersion() const {
    using VersionFn = std::uint64_t (*)();
    const auto fn = reinterpret_cast<VersionFn>(resolve("QuorvaFileVersion"));
    return fn ? fn() : 0;
}

void Library::release() {
    if (--m_refs > 0)
        return;
    auto& libraries = loaded();
    for (auto it = libraries.begin(); it != libraries.end(); ++it) {
        if (it->second == this) {
            libraries.erase(it);
            break;
        }
    }
    auto* lib = static_cast<QLibrary*>(m_handle);
    lib->unload();
    delete lib;
    delete this;
}

std::uint64_t libraryFileVersion(const std::string& path) {
    Library* lib = Library::load(path);
    if (!lib)
        return 0;
    const std::uint64_t version = lib->fileVersion();
    lib->release();
    return version;
}

} // namespace pf
