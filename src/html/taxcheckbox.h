#pragma once

#include "html/dibbutton.h"

class CTaxCheckBoxFormControl;

// The bitmap check box of a page (resource 475: normal, pressed, hover, disabled).
class CTaxCheckBox final : public CDIBButton {
public:
    CTaxCheckBox(CTaxCheckBoxFormControl* control, HtmlWindow* page, QWidget* parent);
    void detach() { m_control = nullptr; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void nextCheckState() override;

private:
    CTaxCheckBoxFormControl* m_control;
};
