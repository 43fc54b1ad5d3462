#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CMemDataFile;
class CTaxModule;
struct CDetailsStore;
struct CFormManager;

// The loaded tax modules, federal first, then the states in the order they were found.
// Modules are numbered from 1 in list order; the list only grows while the program runs.
class CModuleList final {
public:
    CModuleList();
    ~CModuleList();
    CModuleList(const CModuleList&) = delete;
    CModuleList& operator=(const CModuleList&) = delete;

    // The one list of the program.
    static CModuleList& instance();

    // Loads the federal module (0 when it fails: the program cannot run), then every state
    // listed in the Modules settings.
    int LoadModules();
    // Adds every registered module not yet loaded; `newFound` tells whether one was added.
    int ScanInstalledModules(bool* newFound = nullptr);
    // Every state inactive and unlinked, every form manager cleared.
    void ResetAll();

    // The open return's data. InitEmptyReturn: every module to its empty state (federal
    // default copies, states cleared and inactive). LoadReturnData moves the module sections
    // of the return file into the form managers and removes them from the file; SaveReturnData
    // puts fresh ones (and APPDATA, PRODUCTCODE, the header comment) back. 1 or 0.
    int InitEmptyReturn();
    int LoadReturnData();
    int SaveReturnData();
    // Whether the last LoadReturnData converted the federal module from another version.
    bool federalWasMapped() const { return m_federalMapped; }
    void UnloadAll();

    CTaxModule* FindByName(const std::string& name) const;
    // 1-based number of the module, count + 1 when absent.
    int IndexOf(const std::string& name) const;
    CTaxModule* GetByNumber(int n) const;
    CTaxModule* FindByFormManager(const CFormManager* manager) const;
    // The module a form name belongs to: its first two letters name it, "US" = FEDERAL.
    CTaxModule* FindByFormName(const std::string& formName) const;
    int GetCount() const { return int(m_modules.size()); }
    int GetActiveCount() const;
    CTaxModule* GetActive(int n) const;
    CTaxModule* federal() const { return m_federal; }

    // Runs after every change of the set of active states; the main window refills its
    // state sub-menus here.
    void RebuildStateMenus();
    void setStateMenuRebuilder(std::function<void()> rebuild) {
        m_rebuildMenus = std::move(rebuild);
    }

    // The program's line-item details store, handed to every form and print manager.
    void setDetailsStore(CDetailsStore* store) { m_detailsStore = store; }
    CDetailsStore* detailsStore() const { return m_detailsStore; }
    void setReturnFile(CMemDataFile* file) { m_returnFile = file; }
    CMemDataFile* returnFile() const { return m_returnFile; }

private:
    CTaxModule* m_federal = nullptr;
    CMemDataFile* m_returnFile = nullptr;
    std::vector<std::unique_ptr<CTaxModule>> m_modules;
    CDetailsStore* m_detailsStore = nullptr;
    std::function<void()> m_rebuildMenus;
    bool m_federalMapped = false;
};

// The module name a form name maps to: "US" (any case) is FEDERAL, else the first two
// letters upper-cased.
std::string ModuleNameOfForm(const std::string& formName);
