#pragma once

#include "html/dibbutton.h"

class CTaxButtonFormControl;

// The bitmap push button of a page: a click runs the button's field write, form commands,
// script and page command.
class CTaxPushButton final : public CDIBButton {
public:
    CTaxPushButton(CTaxButtonFormControl* control, HtmlWindow* page, QWidget* parent);
    void detach() { m_control = nullptr; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    CTaxButtonFormControl* m_control;
};
