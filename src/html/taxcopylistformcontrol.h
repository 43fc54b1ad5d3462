#pragma once

#include "html/boundformcontrol.h"

#include <string>
#include <vector>

class QTreeWidget;

// INPUT TYPE=copylist: the copies of a form (FORM=) or of a child form under the page's
// copy (CHILDFORM=) as a tree under one root, with "New Copy" while there is room for
// another. Push buttons named NEWFORM, REVIEWFORM and DELETEFORM of the same page form act
// on it.
class CTaxCopyListFormControl final : public qv::BoundFormControl {
public:
    struct Entry {
        std::string label;
        int copyNumber = 0; // 0 for the root and for "New Copy"
    };

    CTaxCopyListFormControl(int token, HtmlDocument* doc, PageForm* form,
                            const qv::AttributeList& attrs);

    void SizeToFont(pf::Dc& dc) override;
    void Print(pf::Dc& dc, int x, int y) override;
    void readValue() override { fill(); }

    int formIndex() const { return m_kindIndex; }
    int moduleNumber() const { return m_module; }
    CFormCopy* parentCopy() const { return m_parent; }
    bool showsNewCopy() const { return m_newCopy; }
    // The root's label and one entry per copy (and "New Copy"), in order.
    const std::string& rootLabel() const { return m_root; }
    const std::vector<Entry>& entries() const { return m_entries; }
    // The copy number of the selected copy item; 0 for none, the root or "New Copy".
    int selectedCopyNumber() const;
    std::string selectedLabel() const;
    bool selectCopy(int copyNumber);
    // Deletes the selected copy after the checks and the question; true when deleted.
    bool deleteSelected();
    void fill();

protected:
    QWidget* makeWindow(QWidget* parent) override;
    void created() override { fill(); }

private:
    QTreeWidget* tree() const;
    CFormManager* manager() const;
    int m_kindIndex = 0;
    int m_module = 1;
    CFormCopy* m_parent = nullptr;
    bool m_child = false;
    bool m_newCopy = false;
    std::string m_root;
    std::vector<Entry> m_entries;
};
