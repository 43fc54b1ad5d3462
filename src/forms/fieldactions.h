#pragma once

#include "platform/messages.h"

#include <memory>

class CFieldEditHost;
class QMenu;
class QWidget;
struct CField;

// The field commands shared by the in-place editors: the override question before a
// calculated field is changed, the refusal of a protected field, override, clear override,
// estimates, and the enabling of the Edit menu's items. Made on the stack for one use by the
// editor that has the focus.
class CFieldActions final {
public:
    CFieldActions(QWidget* editor, CField* field, CFieldEditHost& host, pf::MsgTarget* owner);

    // The system's texts.
    static constexpr const char* kEfileQuestion =
        "If you override this calcuated field you will NOT be able to electronically file this "
        "return.\r\n\r\nDo you wish to continue?";
    static constexpr const char* kProtectedText = "You may not modify a protected field";
    static constexpr const char* kReferenceFormsText =
        "You can not enter information directly into forms 1040A and 1040EZ. These forms are "
        "for your reference only.\n\nThese forms will automatically calculate as you complete "
        "your return using either the QnA or Forms method of entry.\n\nWhen it comes time to "
        "file your return, we will automatically print or electronically file the appropriate "
        "1040 form based on information in your return.\n\n If you wish to see where a value is "
        "transfering from, click on the Get Supporting Form icon beside the field, or click on "
        "Get Supporting Form item under the Edit menu.";

    // Whether the field's return can be filed electronically.
    bool CanEfile() const;
    // Asks before a calculated field is changed: the Yes/No warning in the form pane, else
    // COverrideDlg. True when the field is now overridden; on "Open Supporting Form" the form
    // is opened and the focus comes back to the editor only when that fails.
    bool AskOverride(int formIndex);
    void RefuseProtected();
    // Whether the text may change now: a protected field refuses, a calculated one asks.
    bool TextChangeAllowed(int formIndex);

    // Override field: the e-file question where it applies, then UM_MOVE_FIELD 2 and the
    // return marked modified in every case.
    void OverrideField();
    // Clear Override: the field goes back to its calculation; the caller sends the move.
    void ClearOverride();
    // Mark as Estimate toggles; `clearOnly` removes the mark (the clear-estimate command).
    void ToggleEstimate(bool clearOnly);

    // Enable and check state of Edit command `id` for this field.
    bool IsEnabled(int id, bool hasSelection, bool canUndo, bool* checked = nullptr) const;
    // The Edit pop-up with the states of IsEnabled; actions carry their ids as data.
    std::unique_ptr<QMenu> BuildEditMenu(bool hasSelection, bool canUndo) const;

private:
    bool onDetailsForm() const;
    void statusChanged();

    QWidget* m_editor;
    CField* m_field;
    CFieldEditHost& m_host;
    pf::MsgTarget* m_owner;
};
