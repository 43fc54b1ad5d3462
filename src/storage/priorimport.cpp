#include "storage/priorimport.h"

#include "app/mainframe.h"
#include "app/taxapp.h"
#include "app/texthelpers.h"
#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "platform/dialogs.h"
#include "platform/filedialog.h"
#include "platform/messagebox.h"
#include "platform/misc.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "storage/importdlg.h"
#include "storage/memdatafile.h"
#include "storage/returnsections.h"
#include "storage/taxdoc.h"

#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <cstdio>
#include <vector>

namespace qv {
namespace {

constexpr int kHomePageCommand = 32881;
constexpr long kHintImported = 32;
constexpr const char* kComplete =
    "Import is complete. Click on Step 1. Basic Information to get started.";
constexpr const char* kCannotImport = "Unable to import file %s.";

std::string withPath(const char* pattern, const std::string& path) {
    char text[2048];
    std::snprintf(text, sizeof text, pattern, path.c_str());
    return text;
}

void stop(const char* pattern, const std::string& path) {
    pf::messageBox(withPath(pattern, path), pf::MB_OK | pf::MB_ICONSTOP);
}

// Some federal copy holds entries of the user's own.
bool ReturnHoldsData(CModuleList& modules) {
    CTaxModule* federal = modules.federal();
    CFormManager* fm = federal ? federal->formManager() : nullptr;
    if (!fm)
        return false;
    for (int form = 1; form <= fm->GetFormCount(); ++form) {
        for (int ordinal = 1; ordinal <= fm->GetCopyCount(form); ++ordinal) {
            CFormCopy* copy = fm->GetFormCopy(form, ordinal);
            if (copy && copy->TestFlag(CF_HASENTRIES) && !copy->TestFlag(CF_NOTDATA))
                return true;
        }
    }
    return false;
}

bool ImportSections(CModuleList& modules, CMemDataFile& prior) {
    CTaxModule* federal = modules.federal();
    CFormManager* fm = federal ? federal->formManager() : nullptr;
    bool found = false;
    const std::string federalData = sections::ReadShortText(prior, "MODDATA_FEDERAL", &found);
    if (!fm || !found)
        return false;
    const std::string priorVersion = ReadToken(federalData, 1, ' ');
    for (int i = 0; i < prior.GetCount(); ++i) {
        std::string name;
        prior.GetName(i, name);
        const std::string form = sections::NamePart(name, 3);
        if (sections::NamePart(name, 1) != "FORMDATA" || form.empty())
            continue;
        const std::string module = sections::NamePart(name, 2);
        const std::string modData = sections::ReadShortText(prior, "MODDATA_" + module, &found);
        if (!found || !pf::iequals(ReadToken(modData, 3, ' '), "ACTIVE"))
            continue;
        bool haveData = false;
        bool haveMap = false;
        bool haveFormMap = false;
        const std::string data = sections::ReadBlob(prior, name, &haveData);
        const std::string map = sections::ReadBlob(prior, "MODMAP_" + module, &haveMap);
        const std::string formMap =
            sections::ReadBlob(prior, "FORMMAP_" + module + "_" + form, &haveFormMap);
        if (!haveData || !haveMap || !haveFormMap)
            return false;
        if (!fm->ImportPriorYearForm(form.c_str(), priorVersion.c_str(), map.data(),
                                     int(map.size()), formMap.data(), int(formMap.size()),
                                     data.data(), int(data.size())))
            return false;
    }
    federal->DeleteOrphanCopies();
    fm->RecalculateAll();
    return true;
}

void runHomePageCommand() {
    CTaxApp* app = CTaxApp::instance();
    if (app && app->mainFrame())
        app->mainFrame()->commands().execute(kHomePageCommand);
}

} // namespace

std::string PriorYearSettingsPath() {
    return pf::folderOf(pf::settingsPath()) + "Quorva 2001.ini";
}

std::string PickPriorYearFile() {
    pf::FileDialogSpec spec;
    spec.open = true;
    spec.title = "Select Quorva 2001 Return";
    spec.filter = "2001 Tax Return Files (*.ta1, *.bak)|*.ta1;*.bak||";
    spec.mustExist = true;
    spec.hideReadOnly = true;
    const std::string settings = PriorYearSettingsPath();
    if (pf::fileExists(settings)) {
        const pf::Profile lastYear(settings);
        const std::string last = lastYear.getString("DATA", "LAST FILE OPENED");
        if (!last.empty())
            spec.initialDir = pf::folderOf(last);
    }
    return pf::fileDialog(spec);
}

int ImportPriorYear(CTaxDoc& doc, const std::string& path, bool askFirst) {
    CModuleList& modules = doc.modules();
    if (askFirst && ReturnHoldsData(modules) &&
        pf::messageBox("Importing a return will remove all previously entered data.\n\nDo you "
                       "wish to continue?",
                       pf::MB_YESNO | pf::MB_ICONQUESTION) != pf::IDYES)
        return 0;
    if (!CTaxDoc::MakeWritable(path)) {
        stop("Unable to import file %s.\n\nFile is currently set to Read-Only. You must turn OFF "
             "the Read-Only attribute, then attempt to import again.",
             path);
        return 0;
    }
    CMemDataFile prior;
    if (prior.Open(path) != 1) {
        stop("Unable to open file %s.", path);
        return 0;
    }
    prior.Close(false);
    const std::string appData = sections::ReadShortText(prior, sections::kAppData);
    if (ReadToken(appData, 1, ' ') != "2001" || !pf::iequals(ReadToken(appData, 3, ' '), "FINAL")) {
        stop("Unable to import file %s.\n\nFile was not created by the final version of Quorva "
             "2001.",
             path);
        return 0;
    }
    pf::WaitCursor wait;
    if (askFirst) {
        std::vector<CTaxModule*> activeStates;
        for (int n = 1; n <= modules.GetCount(); ++n) {
            CTaxModule* module = modules.GetByNumber(n);
            if (module->IsActive() && module->formManager() &&
                module->formManager()->IsDependentModule())
                activeStates.push_back(module);
        }
        modules.ResetAll();
        // ResetAll empties the federal module too; a return always has its default forms.
        if (CTaxModule* federal = modules.federal(); federal && federal->formManager())
            federal->formManager()->CreateDefaultForms();
        for (CTaxModule* state : activeStates)
            state->SetActive(true);
    }
    if (!ImportSections(modules, prior)) {
        stop(kCannotImport, path);
        return 0;
    }
    doc.SetReturnModified(true);
    return 1;
}

void ImportPriorYearCommand(CTaxDoc& doc) {
    pf::WaitCursor wait;
    runHomePageCommand();
    const std::string path = PickPriorYearFile();
    if (path.empty() || !ImportPriorYear(doc, path, true))
        return;
    doc.SetImporting(true);
    doc.updateAllViews(kHintImported);
    doc.SetImporting(false);
    doc.SetReturnModified(true);
    pf::messageBox(kComplete, pf::MB_OK | pf::MB_ICONINFORMATION);
}

void OfferPriorYearImport(CTaxDoc& doc) {
    CImportDlg dialog;
    if (pf::execDialog(dialog) != QDialog::Accepted)
        return;
    const std::string path = PickPriorYearFile();
    if (path.empty() || !ImportPriorYear(doc, path, false))
        return;
    doc.SetReturnModified(true);
    pf::messageBox(kComplete, pf::MB_OK | pf::MB_ICONINFORMATION);
}

} // namespace qv
