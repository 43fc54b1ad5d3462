#pragma once

#include <quorva/detailsstore.h>

#include <string>
#include <vector>

class CMemDataFile;
class CModuleList;

// The program's one details store: form and print managers read a field's line items and
// comment from the open return through it, and print managers fill its print list.
class CDetailsStoreHost final : public CDetailsStore {
public:
    CDetailsStoreHost(CModuleList& modules, CMemDataFile& returnFile);

    int GetDetailsListSize(CField* field) override;
    int ReadDetailsList(CField* field, void* buffer, int size) override;
    int GetDetailsNoteSize(CField* field) override;
    int ReadDetailsNote(CField* field, void* buffer, int size) override;
    void AddPrintItem(CPrintItem* item) override;
    void ResetPrintItems() override;
    CPrintItem* GetPrintItem(int index) override;
    int GetPrintItemCount() override;

    // "DL_<module>_<form>_<copy:03>_<field>_<element:03>" and the "DN_" twin; empty when
    // the field cannot be named.
    static std::string detailsListName(CField* field);
    static std::string detailsNoteName(CField* field);

private:
    int entrySize(const std::string& name) const;
    int readEntry(const std::string& name, void* buffer, int size);

    CModuleList& m_modules;
    CMemDataFile& m_returnFile;
    std::vector<CPrintItem*> m_printItems;
};
