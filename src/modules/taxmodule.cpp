#include "modules/taxmodule.h"

#include "app/texthelpers.h"
#include "modules/modulelist.h"
#include "platform/library.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "storage/datafile.h"
#include "storage/memdatafile.h"
#include "storage/returnsections.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>
#include <quorva/printmanager.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kNameSize = QV_NAME_SIZE;

// Visits every copy of every form kind of a form manager until `visit` answers true.
template <typename Visit>
bool anyCopy(CFormManager* fm, Visit visit) {
    if (!fm)
        return false;
    const int forms = fm->GetFormCount();
    for (int form = 1; form <= forms; ++form) {
        const int copies = fm->GetCopyCount(form);
        for (int ordinal = 1; ordinal <= copies; ++ordinal) {
            CFormCopy* copy = fm->GetFormCopy(form, ordinal);
            if (copy && visit(form, copy))
                return true;
        }
    }
    return false;
}

} // namespace

CTaxModule::CTaxModule(CModuleList* owner)
    : m_owner(owner), m_dataFile(std::make_unique<CDataFile>()) {}

CTaxModule::~CTaxModule() {
    Unload();
}

template <typename Fill>
std::string CTaxModule::text(int size, Fill fill) const {
    if (!m_formManager)
        return {};
    std::vector<char> buffer(std::size_t(size) + 1, '\0');
    fill(buffer.data(), size);
    buffer[std::size_t(size)] = '\0';
    return buffer.data();
}

bool CTaxModule::IsFederal() const {
    return m_formManager && m_formManager->IsFederal() != 0;
}

int CTaxModule::Load(const std::string& name) {
    Unload();
    const std::string dir = pf::progDir();
    const std::string upperName = pf::upper(name);
    if (!loadFormManager(dir + (upperName == "FEDERAL" ? "FED" : upperName) + "CALC.so")) {
        Unload();
        return 0;
    }
    m_formManager->SetDetailsStore(m_owner->detailsStore());
    if (m_dataFile->Open(pf::findFile(dir + upperName + ".DAT"), CDataFile::readShared) != 1) {
        Unload();
        return 0;
    }
    m_name = text(kNameSize, [this](char* b, int n) { m_formManager->GetModuleName(b, n); });
    m_version = text(kNameSize, [this](char* b, int n) { m_formManager->GetModuleVersion(b, n); });
    CTaxModule* federal = m_owner->federal();
    if (m_formManager->IsFederal()) {
        if (!m_formManager->CreateDefaultForms()) {
            Unload();
            return 0;
        }
    } else if (federal && federal != this) {
        m_formManager->AttachFederal(federal->formManager());
    }
    if (!loadPrintManager(dir)) {
        Unload();
        return 0;
    }
    m_printManager->AttachFormManager(m_formManager);
    if (!m_formManager->IsFederal() && federal && federal != this) {
        m_printManager->AttachFederalFormManager(federal->formManager());
        m_printManager->AttachFederalPrintManager(federal->printManager());
    }
    m_printManager->SetDetailsStore(m_owner->detailsStore());
    return 1;
}

bool CTaxModule::loadFormManager(const std::string& path) {
    m_calcLibrary = pf::Library::load(pf::findFile(path));
    if (!m_calcLibrary)
        return false;
    auto create =
        reinterpret_cast<CreateFormManagerProc>(m_calcLibrary->resolve("CreateFormManager"));
    if (!create)
        return false;
    m_formManager = create();
    if (!m_formManager)
        return false;
    if (!m_formManager->Initialize()) {
        m_formManager->Release();
        m_formManager = nullptr;
        return false;
    }
    return true;
}

bool CTaxModule::loadPrintManager(const std::string& dir) {
    pf::Library* library = m_calcLibrary;
    if (m_formManager->IsFederal()) {
        m_printLibrary = pf::Library::load(pf::findFile(dir + "FEDPRINT.so"));
        library = m_printLibrary;
    }
    if (!library)
        return false;
    auto create = reinterpret_cast<CreatePrintManagerProc>(library->resolve("CreatePrintManager"));
    if (!create)
        return false;
    m_printManager = create();
    if (!m_printManager)
        return false;
    if (!m_printManager->Initialize()) {
        m_printManager->Release();
        m_printManager = nullptr;
        return false;
    }
    return true;
}

void CTaxModule::Unload() {
    if (m_printManager) {
        m_printManager->Release();
        m_printManager = nullptr;
    }
    if (m_printLibrary) {
        m_printLibrary->release();
        m_printLibrary = nullptr;
    }
    if (m_dataFile->IsOpen())
        m_dataFile->Close(true);
    if (m_formManager) {
        m_formManager->Release();
        m_formManager = nullptr;
    }
    if (m_calcLibrary) {
        m_calcLibrary->release();
        m_calcLibrary = nullptr;
    }
    m_name.clear();
    m_version.clear();
}

int CTaxModule::InitModule() {
    if (!m_formManager)
        return 0;
    if (m_formManager->IsFederal()) {
        // The default copies are made once; the previous return's copies must go first.
        m_formManager->ClearAll();
        return m_formManager->CreateDefaultForms();
    }
    if (CTaxModule* federal = m_owner->federal(); federal && federal->formManager())
        federal->formManager()->UnlinkStateModule(m_formManager);
    m_formManager->ClearAll();
    m_active = false;
    return 1;
}

void CTaxModule::SetActive(bool on) {
    if (!m_formManager || IsFederal() || m_active == on)
        return;
    CTaxModule* federal = m_owner->federal();
    CFormManager* federalFm = federal ? federal->formManager() : nullptr;
    if (on) {
        m_formManager->CreateDefaultForms();
        if (federalFm)
            federalFm->LinkStateModule(m_formManager);
    } else {
        if (federalFm)
            federalFm->UnlinkStateModule(m_formManager);
        m_formManager->ClearAll();
    }
    m_active = on;
    m_owner->RebuildStateMenus();
}

bool CTaxModule::HasOpenForms() const {
    return anyCopy(m_formManager,
                   [](int, CFormCopy* copy) { return copy->TestFlag(CF_OPEN) != 0; });
}

bool CTaxModule::HasOverriddenFields() const {
    return anyCopy(m_formManager, [this](int form, CFormCopy* copy) {
        const int fields = m_formManager->GetFieldCount(form);
        for (int n = 1; n <= fields; ++n) {
            CField* field = copy->GetField(n);
            if (field && field->TestFlag(FF_OVERRIDDEN))
                return true;
        }
        return false;
    });
}

bool CTaxModule::IsFormUserModified(const std::string& formName) const {
    if (!m_formManager)
        return false;
    const int form = m_formManager->FindForm(formName.c_str());
    if (form == 0)
        return false;
    const int copies = m_formManager->GetCopyCount(form);
    for (int ordinal = 1; ordinal <= copies; ++ordinal) {
        CFormCopy* copy = m_formManager->GetFormCopy(form, ordinal);
        if (copy && copy->TestFlag(CF_USERMODIFIED))
            return true;
    }
    return false;
}

int CTaxModule::CanPrintForm(int form) const {
    return m_printManager ? m_printManager->CanPrintForm(form) : 0;
}

void CTaxModule::DropModuleDetails() {
    if (CMemDataFile* file = m_owner->returnFile()) {
        const std::string lines = "DL_" + m_name;
        const std::string notes = "DN_" + m_name;
        std::vector<std::string> doomed;
        for (int i = 0; i < file->GetCount(); ++i) {
            std::string entry;
            if (file->GetName(i, entry) &&
                (entry.rfind(lines, 0) == 0 || entry.rfind(notes, 0) == 0))
                doomed.push_back(entry);
        }
        for (const std::string& entry : doomed)
            file->Remove(entry);
    }
    if (m_formManager)
        m_formManager->CreateDefaultForms();
}

std::string CTaxModule::GetModuleTitle() const {
    return text(QV_NAME_SIZE, [this](char* b, int n) { m_formManager->GetModuleTitle(b, n); });
}

std::string CTaxModule::GetFormName(int form) const {
    return text(QV_NAME_SIZE, [&](char* b, int n) { m_formManager->GetFormName(b, n, form); });
}

std::string CTaxModule::GetFormTitle(int form) const {
    return text(QV_TITLE_SIZE, [&](char* b, int n) { m_formManager->GetFormTitle(b, n, form); });
}

std::string CTaxModule::GetFieldName(int form, int field) const {
    return text(QV_NAME_SIZE,
                [&](char* b, int n) { m_formManager->GetFieldName(b, n, form, field); });
}

std::string CTaxModule::GetFormLongTitle(int form) const {
    return text(QV_LONGTEXT_SIZE,
                [&](char* b, int n) { m_formManager->GetFormLongTitle(b, n, form); });
}

std::string CTaxModule::GetNewCopyInterviewTarget(int form) const {
    return text(QV_LONGTEXT_SIZE,
                [&](char* b, int n) { m_formManager->GetNewCopyInterviewTarget(b, n, form); });
}

std::string CTaxModule::GetCopyInterviewTarget(CFormCopy* copy) const {
    return text(QV_LONGTEXT_SIZE,
                [&](char* b, int n) { m_formManager->GetCopyInterviewTarget(b, n, copy); });
}

std::string CTaxModule::GetCopyTitle(CFormCopy* copy) const {
    if (!copy)
        return {};
    return text(QV_LONGTEXT_SIZE, [&](char* b, int n) { copy->GetCopyTitle(b, n); });
}

std::string CTaxModule::GetFieldText(const std::string& fieldName) const {
    return text(QV_LONGTEXT_SIZE,
                [&](char* b, int n) { m_formManager->GetFieldText(b, n, fieldName.c_str()); });
}

int CTaxModule::GetFieldFlag(const std::string& fieldName) const {
    return m_formManager ? m_formManager->GetFieldFlag(fieldName.c_str()) : 0;
}

std::int64_t CTaxModule::GetFieldValue(const std::string& fieldName) const {
    return m_formManager ? m_formManager->GetFieldValue(fieldName.c_str()) : 0;
}

int CTaxModule::LoadModuleData() {
    m_lastLoadMapped = false;
    CMemDataFile* file = m_owner->returnFile();
    if (!m_formManager || !file)
        return 0;
    const int result = loadSections(*file);
    if (!result)
        m_formManager->ClearAll();
    return result;
}

int CTaxModule::loadSections(CMemDataFile& file) {
    namespace sec = qv::sections;
    CTaxModule* federal = m_owner->federal();
    CFormManager* federalFm = federal ? federal->formManager() : nullptr;
    const bool dependent = m_formManager->IsDependentModule() != 0;
    if (IsFederal())
        m_active = true;
    if (dependent && federalFm && federal != this)
        federalFm->UnlinkStateModule(m_formManager);
    m_formManager->ClearAll();

    bool found = false;
    const std::string modData = sec::ReadShortText(file, "MODDATA_" + m_name, &found);
    if (!found) {
        // A module new to this return.
        if (IsFederal())
            return m_formManager->CreateDefaultForms();
        m_active = false;
        return 1;
    }
    const std::string savedVersion = ReadToken(modData, 1, ' ');
    const bool mapped = savedVersion != ReadToken(m_version, 1, ' ') ||
                        ReadToken(modData, 2, ' ') != ReadToken(m_version, 2, ' ');
    std::string moduleMap;
    std::string federalMap;
    if (mapped) {
        moduleMap = sec::ReadBlob(file, "MODMAP_" + m_name, &found);
        if (!found)
            return 0;
        if (dependent) {
            federalMap = sec::ReadBlob(file, "MODMAP_" + federal->GetModuleName(), &found);
            if (!found)
                return 0;
        }
    }
    if (!IsFederal())
        m_active = ReadToken(modData, 3, ' ') == "ACTIVE";
    if (!m_active)
        return 1;

    for (int i = 0; i < file.GetCount(); ++i) {
        std::string name;
        file.GetName(i, name);
        const std::string form = sec::NamePart(name, 3);
        if (sec::NamePart(name, 1) != "FORMDATA" || sec::NamePart(name, 2) != m_name ||
            form.empty())
            continue;
        const std::string blob = sec::ReadBlob(file, name, &found);
        if (!found)
            return 0;
        if (mapped) {
            const std::string formMap =
                sec::ReadBlob(file, "FORMMAP_" + m_name + "_" + form, &found);
            if (!found)
                return 0;
            if (!m_formManager->ImportFormData(
                    form.c_str(), savedVersion.c_str(), moduleMap.data(), int(moduleMap.size()),
                    dependent ? federalMap.data() : nullptr, dependent ? int(federalMap.size()) : 0,
                    formMap.data(), int(formMap.size()), blob.data(), int(blob.size())))
                return 0;
            continue;
        }
        const int kind = m_formManager->FindForm(form.c_str());
        if (kind == 0)
            return 0;
        CFormCopy* copy = m_formManager->AddFormCopy(kind, 0, 0);
        // A blob the module refuses would leave an empty copy that the next save writes over
        // the user's data: the load fails instead.
        if (!copy || !copy->SetData(blob.data(), int(blob.size())))
            return 0;
    }
    if (mapped) {
        const int kinds = m_formManager->GetFormCount();
        for (int kind = 1; kind <= kinds; ++kind) {
            if (m_formManager->TestFormFlag(kind, FMF_ALWAYS) &&
                m_formManager->GetCopyCount(kind) == 0 && !m_formManager->AddFormCopy(kind, 1, 0))
                return 0;
        }
    }
    DeleteOrphanCopies();
    m_formManager->RecalculateAll();
    if (dependent && federalFm && federal != this)
        federalFm->LinkStateModule(m_formManager);
    m_lastLoadMapped = mapped;
    if (mapped && IsFederal()) {
        // Saved places point into the old layout of the forms.
        file.Remove(sec::kHistory);
        file.Remove(sec::kPageStack);
        for (const char* entry : {"ExpMod", "ExpCat", "ExpForm", "ExpCopy", "ExpField"})
            pf::Profile::app().deleteEntry("DATA", entry);
    }
    return 1;
}

int CTaxModule::SaveModuleData() {
    namespace sec = qv::sections;
    CMemDataFile* file = m_owner->returnFile();
    if (!m_formManager || !file)
        return 0;
    if (!sec::PutText(*file, "MODDATA_" + m_name, m_version + (m_active ? " ACTIVE" : "")))
        return 0;
    std::string map(std::size_t(std::max(0, m_formManager->GetModuleMapSize())), '\0');
    if (!map.empty() && !m_formManager->GetModuleMap(map.data(), int(map.size())))
        return 0;
    if (!file->Put("MODMAP_" + m_name, map.data(), std::uint32_t(map.size())))
        return 0;
    const int kinds = m_formManager->GetFormCount();
    for (int kind = 1; kind <= kinds; ++kind) {
        const int copies = m_formManager->GetCopyCount(kind);
        if (copies == 0)
            continue;
        const std::string form = GetFormName(kind);
        std::string formMap(std::size_t(std::max(0, m_formManager->GetFormMapSize(kind))), '\0');
        if (!formMap.empty() &&
            !m_formManager->GetFormMap(kind, formMap.data(), int(formMap.size())))
            return 0;
        if (!file->Put("FORMMAP_" + m_name + "_" + form, formMap.data(),
                       std::uint32_t(formMap.size())))
            return 0;
        for (int ordinal = 1; ordinal <= copies; ++ordinal) {
            CFormCopy* copy = m_formManager->GetFormCopy(kind, ordinal);
            if (!copy)
                continue;
            std::string blob(std::size_t(std::max(0, copy->GetDataSize())), '\0');
            if (!blob.empty() && !copy->GetData(blob.data(), int(blob.size())))
                return 0;
            const std::string name =
                "FORMDATA_" + m_name + "_" + form + "_" + std::to_string(copy->GetCopyNumber());
            if (!file->Put(name, blob.data(), std::uint32_t(blob.size())))
                return 0;
        }
    }
    return 1;
}

void CTaxModule::DeleteOrphanCopies() {
    if (!m_formManager)
        return;
    CMemDataFile* file = m_owner->returnFile();
    const int kinds = m_formManager->GetFormCount();
    for (int kind = 1; kind <= kinds; ++kind) {
        if (!m_formManager->IsMadeFromParent(kind) && !m_formManager->IsMadeFromFederalParent(kind))
            continue;
        const std::string form = GetFormName(kind);
        int ordinal = 1;
        while (ordinal <= m_formManager->GetCopyCount(kind)) {
            CFormCopy* copy = m_formManager->GetFormCopy(kind, ordinal);
            if (!copy || copy->GetParentCopy()) {
                ++ordinal;
                continue;
            }
            if (file) {
                char lines[256];
                char notes[256];
                std::snprintf(lines, sizeof lines, "DL_%s_%s_%03d", m_name.c_str(), form.c_str(),
                              copy->GetCopyNumber());
                std::snprintf(notes, sizeof notes, "DN_%s_%s_%03d", m_name.c_str(), form.c_str(),
                              copy->GetCopyNumber());
                qv::sections::RemoveEntriesIf(*file, [&](const std::string& entry) {
                    return entry.rfind(lines, 0) == 0 || entry.rfind(notes, 0) == 0;
                });
            }
            const int before = m_formManager->GetCopyCount(kind);
            // The next copy moves into this place; a manager that keeps the copy (or makes
            // the kind again at once) must not hold the loop here.
            if (!m_formManager->DeleteFormCopy(copy) || m_formManager->GetCopyCount(kind) >= before)
                ++ordinal;
        }
    }
}
