#include "app/appsettings.h"

#include "app/config.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/text.h"

#include <array>

namespace qv::settings {
namespace {

struct Entry {
    const char* section;
    const char* entry;
    int intDefault;
    const char* textDefault; // null for integer entries
};

constexpr const char* kSite = config::kMakerSite;

constexpr std::array kEntries{
    Entry{"DATA", "AUTOSAVE", 1, nullptr},
    Entry{"DATA", "AUTOBACKUP", 1, nullptr},
    Entry{"DATA", "CLOSED", 0, nullptr},
    Entry{"DATA", "LAST FILE OPENED", 0, ""},
    Entry{"DATA", "LAST VIEW OPENED", 0, "Interview"},
    Entry{"DATA", "HISTORY INDEX", 0, nullptr},
    Entry{"DATA", "LOADHISTORY", 1, nullptr},
    Entry{"DATA", "MAXHISTORY", 200, nullptr},
    Entry{"DATA", "BACKUPDIR", 0, ""}, // empty stands for the program directory
    Entry{"DATA", "SOURCE_CODE", 0, ""},
    Entry{"DATA", "CALCULATOR", 0, "calc.exe"},
    Entry{"DATA", "AUTOSAVEDLG", 0, nullptr},
    Entry{"DATA", "DW_ISCDVERSION", 0, nullptr},
    Entry{"DATA", "ExpMod", 1, nullptr},
    Entry{"DATA", "ExpCat", 1, nullptr},
    Entry{"DATA", "ExpForm", 1, nullptr},
    Entry{"DATA", "ExpCopy", 1, nullptr},
    Entry{"DATA", "ExpField", 1, nullptr},
    Entry{"DATA", "BPDC", 0, nullptr},
    Entry{"Settings", "Browser", 0, nullptr},
    Entry{"Settings", "BrowserOther", 0, ""},
    Entry{"Settings", "Product", 0, config::kProduct},
    Entry{"Settings", "Company", 0, config::kCompany},
    Entry{"Settings", "WebSite", 0, config::kWebSite},
    Entry{"Settings", "SalesPhone", 0, config::kSalesPhone},
    Entry{"Settings", "CopperGroveSalesPhone", 0, config::kCopperGroveSalesPhone},
    Entry{"Settings", "SupportPhone", 0, config::kSupportPhone},
    Entry{"Online", "HomePage", 0, kSite},
    Entry{"Online", "ReleaseDates", 0, kSite},
    Entry{"Online", "TaxCalendar", 0, kSite},
    Entry{"Online", "TaxLawUpdates", 0, kSite},
    Entry{"Online", "TaxLinks", 0, kSite},
    Entry{"Online", "TaxTips", 0, kSite},
    Entry{"Online", "IRSFAQ", 0, kSite},
    Entry{"Online", "FormsAndPubs", 0, kSite},
    Entry{"Online", "EFFAQ", 0, kSite},
    Entry{"Online", "EFStatus", 0, kSite},
    Entry{"Online", "Support", 0, kSite},
    Entry{"Online", "Suggestion", 0, kSite},
    Entry{"Online", "LiveAdvice", 0, kSite},
    Entry{"Online", "DownloadLogin", 0, kSite},
    Entry{"Online", "ASPUpload_Final", 0, kSite},
    Entry{"Online", "GainsKeeper", 0, kSite},
    Entry{"IRS Pubs", "Location", 0, ""},
    Entry{"Print", "Preview", 0, nullptr},
    Entry{"Print", "Details", 0, nullptr},
    Entry{"Print", "Federal", 1000, nullptr},
    Entry{"Print", "State", 1000, nullptr},
    Entry{"Print", "DateTime", 1, nullptr},
};

const Entry* find(const std::string& section, const std::string& entry) {
    for (const Entry& e : kEntries) {
        if (pf::iequals(section, e.section) && pf::iequals(entry, e.entry))
            return &e;
    }
    return nullptr;
}

} // namespace

int defaultInt(const std::string& section, const std::string& entry) {
    const Entry* e = find(section, entry);
    return e ? e->intDefault : 0;
}

std::string defaultString(const std::string& section, const std::string& entry) {
    if (pf::iequals(section, "DATA") && pf::iequals(entry, "BACKUPDIR"))
        return pf::progDir();
    const Entry* e = find(section, entry);
    return e && e->textDefault ? e->textDefault : "";
}

int getInt(const std::string& section, const std::string& entry) {
    return pf::Profile::app().getInt(section, entry, defaultInt(section, entry));
}

std::string getString(const std::string& section, const std::string& entry) {
    return pf::Profile::app().getString(section, entry, defaultString(section, entry));
}

void writeInt(const std::string& section, const std::string& entry, int value) {
    pf::Profile::app().writeInt(section, entry, value);
}

void writeString(const std::string& section, const std::string& entry, const std::string& value) {
    pf::Profile::app().writeString(section, entry, value);
}

} // namespace qv::settings
