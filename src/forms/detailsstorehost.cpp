#include "forms/detailsstorehost.h"

#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "storage/memdatafile.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>
#include <quorva/printmanager.h>

#include <cstdio>
#include <vector>

namespace {

std::string entryName(const char* prefix, CField* field) {
    if (!field)
        return {};
    CFormCopy* copy = field->GetCopy();
    CFormManager* fm = copy ? copy->GetFormManager() : nullptr;
    if (!fm)
        return {};
    char module[QV_NAME_SIZE] = {};
    char form[QV_NAME_SIZE] = {};
    char name[QV_NAME_SIZE] = {};
    fm->GetModuleName(module, sizeof module);
    fm->GetFormName(form, sizeof form, copy->GetFormIndex());
    fm->GetFieldName(name, sizeof name, copy->GetFormIndex(), field->GetFieldNumber());
    char entry[4 * QV_NAME_SIZE];
    std::snprintf(entry, sizeof entry, "%s_%s_%s_%03d_%s_%03d", prefix, module, form,
                  copy->GetCopyNumber(), name, field->GetElementIndex());
    return entry;
}

} // namespace

CDetailsStoreHost::CDetailsStoreHost(CModuleList& modules, CMemDataFile& returnFile)
    : m_modules(modules), m_returnFile(returnFile) {}

std::string CDetailsStoreHost::detailsListName(CField* field) {
    return entryName("DL", field);
}

std::string CDetailsStoreHost::detailsNoteName(CField* field) {
    return entryName("DN", field);
}

int CDetailsStoreHost::entrySize(const std::string& name) const {
    return name.empty() ? 0 : int(m_returnFile.GetLength(name));
}

int CDetailsStoreHost::readEntry(const std::string& name, void* buffer, int size) {
    const int length = entrySize(name);
    if (length == 0 || !buffer || size < length)
        return 0;
    return m_returnFile.Get(name, buffer) ? length : 0;
}

int CDetailsStoreHost::GetDetailsListSize(CField* field) {
    return entrySize(detailsListName(field));
}

int CDetailsStoreHost::ReadDetailsList(CField* field, void* buffer, int size) {
    return readEntry(detailsListName(field), buffer, size);
}

int CDetailsStoreHost::GetDetailsNoteSize(CField* field) {
    return entrySize(detailsNoteName(field));
}

int CDetailsStoreHost::ReadDetailsNote(CField* field, void* buffer, int size) {
    return readEntry(detailsNoteName(field), buffer, size);
}

void CDetailsStoreHost::AddPrintItem(CPrintItem* item) {
    if (item)
        m_printItems.push_back(item);
}

void CDetailsStoreHost::ResetPrintItems() {
    for (int n = 1; n <= m_modules.GetActiveCount(); ++n) {
        if (CPrintManager* pm = m_modules.GetActive(n)->printManager())
            pm->ClearItems();
    }
    m_printItems.clear();
}

CPrintItem* CDetailsStoreHost::GetPrintItem(int index) {
    if (index < 0 || std::size_t(index) >= m_printItems.size())
        return nullptr;
    return m_printItems[std::size_t(index)];
}

int CDetailsStoreHost::GetPrintItemCount() {
    return int(m_printItems.size());
}
