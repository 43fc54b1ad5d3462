#pragma once

#include "html/formcontrol.h"

// SELECT without MULTIPLE and with SIZE below 2: a drop-down list.
class CComboFormControl final : public CFormControl {
public:
    using CFormControl::CFormControl;

    void textComplete() override;
    void SizeToFont(pf::Dc& dc) override;
    void Print(pf::Dc& dc, int x, int y) override;
    void Reset() override;
    int current() const;

protected:
    QWidget* makeWindow(QWidget* parent) override;

private:
    int m_initial = -1;
    int m_current = -1; // while there is no window
};
