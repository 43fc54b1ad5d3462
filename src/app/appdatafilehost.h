#pragma once

#include "storage/datafilehost.h"

namespace qv {

// The application's side of container files: the unclean-exit flag in the settings, and the
// application's autosave and auto-backup switches.
class AppDataFileHost final : public DataFileHost {
public:
    void setClosed(int value) override;
    bool autoSave() const override { return m_autoSave; }
    void setAutoSave(bool on) override { m_autoSave = on; }
    bool autoBackup() const override { return m_autoBackup; }
    void setAutoBackup(bool on) { m_autoBackup = on; }
    std::string autoBackupDir() const override;

private:
    bool m_autoSave = true;
    bool m_autoBackup = true;
};

} // namespace qv
