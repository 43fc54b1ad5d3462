#include "returnsession.h"

#include "platform/dialogs.h"
#include "platform/messagebox.h"
#include "platform/paths.h"

#include <QDialog>

#include <cstdio>

namespace qvreturn {

ReturnSession::ReturnSession() : m_doc(m_modules, m_file, m_history, m_pages) {
    pf::setMessageBoxHandler([](const std::string& text, unsigned flags, const std::string&) {
        std::fprintf(stderr, "qvreturn: %s\n", text.c_str());
        switch (flags & pf::MB_TYPEMASK) {
        case pf::MB_YESNO:
            return pf::IDNO;
        case pf::MB_YESNOCANCEL:
        case pf::MB_OKCANCEL:
            return pf::IDCANCEL;
        default:
            return pf::IDOK;
        }
    });
    // A password question has nobody to answer it: the return is refused.
    pf::setUnexpectedDialogHandler([](QDialog&) {
        std::fprintf(stderr, "qvreturn: the return is password protected\n");
        return int(QDialog::Rejected);
    });
}

ReturnSession::~ReturnSession() {
    m_modules.UnloadAll();
    pf::setMessageBoxHandler({});
    pf::setUnexpectedDialogHandler({});
}

bool ReturnSession::loadModules() {
    m_store = std::make_unique<CDetailsStoreHost>(m_modules, m_file);
    m_modules.setDetailsStore(m_store.get());
    m_modules.setReturnFile(&m_file);
    if (!m_modules.LoadModules()) {
        std::fprintf(stderr, "qvreturn: cannot load the tax modules from %s\n",
                     pf::progDir().c_str());
        return false;
    }
    return true;
}

bool ReturnSession::create(const std::string& path) {
    m_file.Close(true);
    if (!m_modules.InitEmptyReturn()) {
        std::fprintf(stderr, "qvreturn: the modules cannot make an empty return\n");
        return false;
    }
    m_path = path;
    return save();
}

bool ReturnSession::open(const std::string& path) {
    if (!pf::fileExists(path)) {
        std::fprintf(stderr, "qvreturn: %s: no such file\n", path.c_str());
        return false;
    }
    if (!m_doc.OnOpenDocument(path))
        return false;
    m_path = path;
    return true;
}

bool ReturnSession::save() {
    return m_doc.OnSaveDocument(m_path);
}

} // namespace qvreturn
