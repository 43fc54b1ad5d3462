#pragma once

#include "forms/fieldedit.h"

class CTaxEditFormControl;

// The field editor in its page mode: the masks and entry checks of the field editor, with
// Tab and Enter moving through the page's controls, the page keys scrolling the page, and
// the value re-read from the field whenever the focus comes or goes.
class CTaxEdit final : public CFieldEdit {
public:
    CTaxEdit(CTaxEditFormControl* control, QWidget* parent);
    void detach() { m_control = nullptr; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void ReportText(const std::string& text) override;
    void AfterClearOverride() override;

private:
    CTaxEditFormControl* m_control;
};
