#pragma once

#include <string>

struct CField;

// What a field editor needs from the window it sits in beyond its window messages: the names
// of the field's module and form, the return's modified mark, the supporting form, and where
// the window is shown. The form page and the interview page window implement it; the defaults
// read everything from the field's own copy and form manager and mark the open return.
class CFieldEditHost {
public:
    CFieldEditHost() = default;
    virtual ~CFieldEditHost();
    CFieldEditHost(const CFieldEditHost&) = delete;
    CFieldEditHost& operator=(const CFieldEditHost&) = delete;

    // GetModuleName of the field's module ("FEDERAL", "IL"); empty when it cannot be found.
    virtual std::string ModuleName(CField& field);
    // GetFormName of the field's form ("USF1040"); empty when it cannot be found.
    virtual std::string FormName(CField& field);
    // The application's modified mark on the open return.
    virtual void MarkReturnModified();
    // Whether the field's module finds a supporting form for it.
    virtual bool HasSupportingForm(CField& field);
    // Opens the supporting form of the field; false when that fails.
    virtual bool OpenSupportingForm(CField& field);
    // Shown in the small form pane of the window-panes view: overrides are asked with the
    // Yes/No warning there.
    virtual bool InFormPane();
    // Hosted by the interview view (no supporting forms on double click, no context menu for
    // plain editors in mode 1).
    virtual bool InInterviewView();
    // The field's flags changed: the main frame shows its state (UM_FIELD_STATUS).
    virtual void FieldStatusChanged(CField& field);
    // The program help (command 32951).
    virtual void ShowProgramHelp();

    // The host every editor falls back to when its window provides none.
    static CFieldEditHost& Default();
};
