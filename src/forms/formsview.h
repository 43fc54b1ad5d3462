#pragma once

#include "forms/historylist.h"
#include "platform/messages.h"
#include "platform/view.h"

#include <QWidget>

#include <functional>
#include <optional>

class CModuleList;
class CTaxModule;
struct CField;
struct CFormCopy;

namespace qv {

class CFormPageWnd;
class HistoryList;

// Command ids the form view handles.
namespace formcmd {
enum : int {
    IdCopy = 57634,
    IdCut = 57635,
    IdPaste = 57637,
    IdAddDetails = 32780,
    IdAddDetailsButton = 32832,
    IdSupportingForm = 32776,
    IdSupportingFormButton = 32828,
    IdOverrideField = 32777,
    IdClearOverride = 32778,
    IdMarkEstimate = 32779,
    IdCalculator = 32784,
    IdNewCopy = 32822,
    IdPreviousCopy = 32824,
    IdNextCopy = 32825,
    IdPrintCopy = 32826,
    IdPrintForm = 57607,
    IdPrintPreview = 57609,
    IdCloseForm = 133,
    IdExitButton = 138,
    IdFormHelp = 32831,
};
} // namespace formcmd

// OpenForm's creation flags for a new copy: 1 a child of the copy shown before, 2 a child
// of that copy's parent.
enum OpenFormFlags : int { OF_ROOT = 0, OF_CHILD = 1, OF_SIBLING = 2 };

// A form the supporting-form dialog picked: an existing copy, or a new copy (copy number 0)
// that is a child of the field's copy when `childOfFieldCopy`.
struct SupportingPick {
    FieldRef ref;
    bool childOfFieldCopy = false;
};

// The main view that shows one form copy on its page, with the commands of the form.
class CFormsView final : public QWidget, public pf::View, public pf::MsgTarget {
    Q_OBJECT
public:
    // `frame` hears the caption, the field status and the stored values.
    CFormsView(CModuleList& modules, QWidget* parent = nullptr, pf::MsgTarget* frame = nullptr);
    ~CFormsView() override;

    // The place to show; without one the first update shows copy 1 of Form 1040.
    void setFieldRef(const FieldRef& ref) {
        m_ref = ref;
        m_hasRef = true;
    }
    const FieldRef& fieldRef() const;
    // The history the view records its place in (may be null), and its entry there.
    void setHistory(HistoryList* history) { m_history = history; }
    void setHistoryIndex(int index);
    // The first update: loads the page and gives it the focus.
    void InitialUpdate();
    // Shows another place in the same view: the page in use is closed first.
    void Reopen(const FieldRef& ref);

    void onUpdate(pf::View* sender, long hint) override;
    pf::LRESULT onMessage(unsigned msg, pf::WPARAM wparam, pf::LPARAM lparam) override;

    CFormPageWnd* page() const { return m_page; }
    CTaxModule* module() const;

    // The commands, their enabling and checks.
    static const std::vector<int>& commandIds();
    bool RunCommand(int id);
    bool IsCommandEnabled(int id) const;
    bool IsCommandChecked(int id) const;

    // Copies of the shown form kind.
    bool PreviousCopy();
    bool NextCopy();
    bool NewCopy();
    bool HasPreviousCopy() const;
    bool HasNextCopy() const;
    bool CanAddCopy() const;
    // The supporting form of the current field; true when a form was opened.
    bool OpenSupportingForm();
    // Prints the copy from its layout onto the application printer.
    bool PrintCopy();
    // Commits the field being edited, then closes through onCloseForm.
    bool CloseForm();

    // Hooks the application fills in.
    std::function<bool(const FieldRef&, int flags)> openForm; // true when shown
    std::function<void()> onCloseForm;
    std::function<void()> onCalculator;
    std::function<void(CField&)> onDetails;
    // The forms explorer's "Open a Supporting Form" dialog; nothing when cancelled.
    std::function<std::optional<SupportingPick>(const FieldRef&)> chooseSupportingForm;
    // Asks whether a calculated check box may be overridden (the override dialog).
    std::function<int(CField&)> overridePrompt;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // The copies sharing the shown copy's parent, in order, and the shown one's position.
    std::vector<CFormCopy*> siblings(int* position) const;
    bool openCopyAt(int delta);
    void markModified();
    void reloadField(bool repaint);

    CModuleList& m_modules;
    pf::MsgTarget* m_frame;
    CFormPageWnd* m_page;
    HistoryList* m_history = nullptr;
    FieldRef m_ref;
    bool m_hasRef = false;
};

} // namespace qv
