#pragma once

#include "forms/formsview.h"
#include "forms/historylist.h"

#include <QPointer>

#include <functional>

class CModuleList;
class CTaxDoc;
class QTimer;
class QToolBar;
class QWidget;

namespace qv {

class CFormToolbar;
class CMainFrame;
class CommandTable;

// Puts the form view into the main window: the single way to open a form copy on screen
// (OpenForm), the form toolbar above it, and the form view's commands in the frame's table.
class FormViewHost final {
public:
    // `idleView` makes the main view shown once the form is closed.
    FormViewHost(CMainFrame& frame, CModuleList& modules, CTaxDoc* doc, HistoryList* history,
                 std::function<QWidget*()> idleView);
    ~FormViewHost();
    FormViewHost(const FormViewHost&) = delete;
    FormViewHost& operator=(const FormViewHost&) = delete;

    // Shows (module, form, copy, field). Copy 0, or a copy that does not exist, makes one: a
    // root copy, or with `flags` 1 a child of the copy shown now, with 2 a child of that
    // copy's parent. With `recordHistory` the visit goes into the history. False when no
    // copy could be made (the user has been told).
    bool OpenForm(FieldRef ref, int flags = 0, bool recordHistory = true);
    // The first form view of a run: copy 1 of Form 1040, recorded in the history.
    void ShowDefaultForm();
    // Stores the field being edited and closes the page; false when the store was refused.
    bool CloseForm();
    // Closes the page without storing or deleting anything (the return goes away).
    void DropForm();

    CFormsView* view() const { return m_view; }
    CFormToolbar* toolbar() const { return m_toolbar; }

private:
    CFormsView* makeView();
    void showToolbar(bool on);
    void registerCommands(CommandTable& commands);

    CMainFrame& m_frame;
    CModuleList& m_modules;
    CTaxDoc* m_doc;
    HistoryList* m_history;
    std::function<QWidget*()> m_idleView;
    QToolBar* m_bar = nullptr;
    CFormToolbar* m_toolbar = nullptr;
    QPointer<CFormsView> m_view;
    QTimer* m_buttonTimer = nullptr;
};

} // namespace qv
