#pragma once

#include "html/formcontrol.h"

// INPUT TYPE=submit or reset: a push button; reset resets the control's form, submit does
// nothing (pages send no form data).
class CButtonFormControl final : public CFormControl {
public:
    using CFormControl::CFormControl;

    void SizeToFont(pf::Dc& dc) override;
    void Print(pf::Dc& dc, int x, int y) override;
    bool isReset() const { return m_type == "reset"; }
    std::string caption() const;
    void click();

protected:
    QWidget* makeWindow(QWidget* parent) override;
};
