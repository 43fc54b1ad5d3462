#pragma once

#include "app/taxapp.h"

class CTaxDoc;

namespace qv {

class CMainFrame;

// Ties the return document to the application: start-up opens the last return through it,
// the File menu's return commands run on it, and its title goes into the main caption.
class ReturnCommands final : public StartupDocument {
public:
    ReturnCommands(CTaxDoc& doc, CMainFrame& frame);

    bool openReturn(const std::string& path) override;
    bool newReturn() override;

private:
    void registerCommands();

    CTaxDoc& m_doc;
    CMainFrame& m_frame;
};

} // namespace qv
