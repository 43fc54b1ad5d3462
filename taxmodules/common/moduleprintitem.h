#pragma once

#include <quorva/printitem.h>

#include <string>
#include <vector>

namespace qv {

// A grid text, stamp, image or barcode step of an image item.
class ModulePrintElement final : public CPrintElement {
public:
    ModulePrintElement(int type, unsigned flags, int page, int row, int column, int width,
                       std::string text)
        : m_type(type), m_flags(flags), m_page(page), m_row(row), m_column(column), m_width(width),
          m_text(std::move(text)) {}

    int GetType() override { return m_type; }
    int TestFlag(unsigned mask) override { return (m_flags & mask) != 0; }
    int GetPage() override { return m_page; }
    int GetRow() override { return m_row; }
    int GetColumn() override { return m_column; }
    int GetWidth() override { return m_width; }
    const char* GetText() override { return m_text.c_str(); }

private:
    int m_type;
    unsigned m_flags;
    int m_page;
    int m_row;
    int m_column;
    int m_width;
    std::string m_text;
};

// One print item. Elements are appended in page order by whoever builds the item.
class ModulePrintItem final : public CPrintItem {
public:
    ModulePrintItem(CPrintManager* manager, int kind, CFormCopy* copy)
        : m_manager(manager), m_kind(kind), m_copy(copy) {}

    void setFlags(unsigned flags) { m_flags = flags; }
    void setDocumentPath(std::string path) { m_path = std::move(path); }
    void addElement(int type, unsigned flags, int page, int row, int column, int width,
                    std::string text);

    CPrintManager* GetPrintManager() override { return m_manager; }
    int GetKind() override { return m_kind; }
    int TestFlag(unsigned mask) override { return (m_flags & mask) != 0; }
    int GetPageCount() override { return m_pages; }
    int GetElementCount() override { return int(m_elements.size()); }
    CPrintElement* GetElement(int index) override;
    CFormCopy* GetItemCopy() override { return m_copy; }
    void* GetWindow() override { return m_window; }
    void SetWindow(void* window) override { m_window = window; }
    void SetPageCount(int pages) override { m_pages = pages; }
    int GetDocumentPath(char* buffer, int size) override;

private:
    CPrintManager* m_manager;
    int m_kind;
    CFormCopy* m_copy;
    unsigned m_flags = 0;
    int m_pages = 0;
    void* m_window = nullptr;
    std::string m_path;
    std::vector<ModulePrintElement> m_elements;
};

} // namespace qv
