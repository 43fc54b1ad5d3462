#pragma once

#include "html/dibbutton.h"

class CTaxRadioButtonFormControl;

// The bitmap radio button of a page. Arrow keys move the focus within its group (the radio
// windows of one NAME that follow each other), wrapping at its ends; Tab leaves the group.
class CTaxRadioButton final : public CDIBButton {
public:
    CTaxRadioButton(CTaxRadioButtonFormControl* control, HtmlWindow* page, QWidget* parent);
    void detach() { m_control = nullptr; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void nextCheckState() override;

private:
    CTaxRadioButtonFormControl* m_control;
};
