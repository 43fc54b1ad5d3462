#pragma once

#include <string>

namespace qv {

// What container files need from the application: the unclean-exit flag, the autosave and
// auto-backup switches and the folder backups go to. The application installs its host at
// start-up; with none installed the flag and autosave calls do nothing and backups are off,
// which is what tools and tests want. The host must outlive every data file that uses it.
class DataFileHost {
public:
    virtual ~DataFileHost() = default;
    // The setting DATA/CLOSED: 0 while a save is under way, 1 once the file is consistent.
    virtual void setClosed(int value) = 0;
    virtual bool autoSave() const = 0;
    virtual void setAutoSave(bool on) = 0;
    virtual bool autoBackup() const = 0;
    // The Auto-Backup folder of the program directory, with a trailing '/'.
    virtual std::string autoBackupDir() const = 0;
};

// The installed host, or nullptr. Installing nullptr removes it.
void setDataFileHost(DataFileHost* host);
DataFileHost* dataFileHost();

} // namespace qv
