#include "app/appdatafilehost.h"

#include "app/appsettings.h"
#include "platform/paths.h"

namespace qv {

void AppDataFileHost::setClosed(int value) {
    settings::writeInt("DATA", "CLOSED", value);
}

std::string AppDataFileHost::autoBackupDir() const {
    return pf::writableProgDir() + "Auto-Backup/";
}

} // namespace qv
