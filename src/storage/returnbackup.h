#pragma once

class CTaxDoc;

// File > Backup and File > Restore Backup: the whole return file copied to and from a backup
// file the user picks.
namespace qv {

void BackupReturn(CTaxDoc& doc);
void RestoreReturnBackup(CTaxDoc& doc);

} // namespace qv
