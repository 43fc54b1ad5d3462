#pragma once

#include "moduleprintitem.h"
#include "printimagefile.h"

#include <quorva/printmanager.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// What a module prints beyond the engine's rules: named sets of forms.
struct NamedPrintSet {
    std::string name;
    std::vector<std::string> forms;
};

struct PrintOptions {
    // The print library's data file of page images beside it ("" for none).
    std::string imageFile;
    // Adds the module's own elements to page `page` of a copy's image item, after its values.
    std::function<void(CFormCopy* copy, ModulePrintItem& item, int page, int pages)> decorate;
};

// A print manager working on any form manager through its slots. A form with page images
// prints them with its values on the character grid; a form without prints from its screen
// layout (layout items); supporting details print as statements on the grid.
class ModulePrintManager final : public CPrintManager {
public:
    explicit ModulePrintManager(std::vector<NamedPrintSet> sets, PrintOptions options = {})
        : m_sets(std::move(sets)), m_options(std::move(options)) {}

    int Initialize() override;
    void AttachFormManager(CFormManager* own) override { m_fm = own; }
    void AttachFederalFormManager(CFormManager* federal) override { m_federalFm = federal; }
    void Unused3() override {}
    CFormManager* GetFormManager() override { return m_fm; }
    void SetDetailsStore(CDetailsStore* store) override { m_store = store; }
    void Release() override { delete this; }
    void ClearItems() override { m_items.clear(); }
    int GetItemCount() override { return int(m_items.size()); }
    CPrintItem* GetItem(int index) override;
    void Unused10() override {}
    void AddReturn() override;
    void AddReturnDetails() override;
    int CanPrintForm(int form) override;
    void AddCopy(CFormCopy* copy) override;
    void AddLayoutCopy(CFormCopy* copy) override;
    void AddCopyDetails(CFormCopy* copy) override;
    void AddFieldDetails(CField* field, const void* block, int size, const char* comment) override;
    void Unused18() override {}
    void AddDocument(const char* path) override;
    void AddNamedSet(const char* name) override;
    int GetImageSize(const char* image) override;
    int ReadImage(const char* image, void* buffer, int size) override;
    void AttachFederalPrintManager(CPrintManager* federal) override { m_federalPm = federal; }

private:
    ~ModulePrintManager() = default;
    ModulePrintItem* add(int kind, CFormCopy* copy);
    void forEachReturnCopy(void (ModulePrintManager::*action)(CFormCopy*));
    void addStatement(CField* field, const std::string& block, const std::string& comment);
    void addImageCopy(CFormCopy* copy, const std::string& formName);
    std::string formName(int form) const;
    const std::vector<GridPlace>& placesOf(const std::string& formName);

    std::vector<NamedPrintSet> m_sets;
    PrintOptions m_options;
    PrintImageFile m_images;
    std::map<std::string, std::vector<GridPlace>> m_places; // by form name, read once
    CFormManager* m_fm = nullptr;
    CFormManager* m_federalFm = nullptr;
    CPrintManager* m_federalPm = nullptr;
    CDetailsStore* m_store = nullptr;
    std::vector<std::unique_ptr<ModulePrintItem>> m_items;
};

} // namespace qv
