#pragma once

#include "forms/detailsstorehost.h"
#include "forms/historylist.h"
#include "interview/pagestack.h"
#include "modules/modulelist.h"
#include "storage/memdatafile.h"
#include "storage/taxdoc.h"

#include <memory>
#include <string>

namespace qvreturn {

// The engine without a window: the module list, the return file and the return document,
// with message boxes written to standard error instead of shown.
class ReturnSession final {
public:
    ReturnSession();
    ~ReturnSession();

    // False with the reason on standard error.
    bool loadModules();
    bool create(const std::string& path);
    bool open(const std::string& path);
    bool save();

    CModuleList& modules() { return m_modules; }
    CTaxDoc& document() { return m_doc; }

private:
    CMemDataFile m_file;
    CModuleList m_modules;
    std::unique_ptr<CDetailsStoreHost> m_store;
    qv::HistoryList m_history;
    qv::PageStack m_pages;
    CTaxDoc m_doc;
    std::string m_path;
};

} // namespace qvreturn
