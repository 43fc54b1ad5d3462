#pragma once

#include <cstdint>
#include <memory>
#include <string>

class CDataFile;
class CMemDataFile;
class CModuleList;
struct CFormCopy;
struct CFormManager;
struct CPrintManager;
namespace pf {
class Library;
}

// One loaded tax module: its calculation and print libraries, their form and print
// managers, and the module's data file (<MODULE>.DAT in the program directory).
class CTaxModule final {
public:
    explicit CTaxModule(CModuleList* owner);
    ~CTaxModule();
    CTaxModule(const CTaxModule&) = delete;
    CTaxModule& operator=(const CTaxModule&) = delete;

    // Binds the module "FEDERAL" or a state code; 1 success, 0 failure (then unloaded).
    int Load(const std::string& name);
    void Unload();

    // Empties the module for a new return: the federal module makes its default copies
    // (their result is returned); a state is unlinked from the federal module and cleared.
    int InitModule();
    // Takes the state into the open return or out of it; no effect on the federal module.
    void SetActive(bool on);
    bool IsActive() const { return m_active; }
    // Sets the flag alone, for loading a return whose sections say which states take part.
    void SetActiveFlag(bool on) { m_active = on; }
    bool IsFederal() const;

    bool HasOpenForms() const;
    bool HasOverriddenFields() const;
    bool IsFormUserModified(const std::string& formName) const;
    int CanPrintForm(int form) const;
    // Removes the module's line-item details from the return, then makes its default copies.
    void DropModuleDetails();

    // Restores the module from its sections of the return file (MODDATA_, MODMAP_, FORMMAP_,
    // FORMDATA_), converting them through the module when they were saved by another
    // version. A module without sections is new to the return. 1 or 0 (then cleared).
    int LoadModuleData();
    // Puts the module's sections into the return file. 1 or 0.
    int SaveModuleData();
    // Deletes every copy of a kind made from parent forms that has lost its parent, with
    // its line-item details.
    void DeleteOrphanCopies();
    // Whether the last LoadModuleData converted sections of another version.
    bool lastLoadMapped() const { return m_lastLoadMapped; }

    const std::string& GetModuleName() const { return m_name; }
    const std::string& GetModuleVersion() const { return m_version; }
    std::string GetModuleTitle() const;
    std::string GetFormName(int form) const;
    std::string GetFormTitle(int form) const;
    std::string GetFieldName(int form, int field) const;
    std::string GetFormLongTitle(int form) const;
    std::string GetNewCopyInterviewTarget(int form) const;
    std::string GetCopyInterviewTarget(CFormCopy* copy) const;
    std::string GetCopyTitle(CFormCopy* copy) const;
    std::string GetFieldText(const std::string& fieldName) const;
    int GetFieldFlag(const std::string& fieldName) const;
    std::int64_t GetFieldValue(const std::string& fieldName) const;

    CFormManager* formManager() const { return m_formManager; }
    CPrintManager* printManager() const { return m_printManager; }
    CDataFile& dataFile() const { return *m_dataFile; }
    CModuleList* owner() const { return m_owner; }

private:
    bool loadFormManager(const std::string& dir);
    bool loadPrintManager(const std::string& dir);
    int loadSections(CMemDataFile& file);
    template <typename Fill>
    std::string text(int size, Fill fill) const;

    CModuleList* m_owner;
    CFormManager* m_formManager = nullptr;
    CPrintManager* m_printManager = nullptr;
    pf::Library* m_calcLibrary = nullptr;
    pf::Library* m_printLibrary = nullptr; // federal only: a state prints from its calc library
    std::string m_name;
    std::string m_version;
    std::unique_ptr<CDataFile> m_dataFile;
    bool m_active = false;
    bool m_lastLoadMapped = false;
};
