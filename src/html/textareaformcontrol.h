#pragma once

#include "html/formcontrol.h"

#include <vector>

// TEXTAREA: a multi-line edit ROWS lines high and COLS characters wide holding the lines
// between its tags.
class CTextAreaFormControl final : public CFormControl {
public:
    using CFormControl::CFormControl;

    void textComplete() override;
    void SizeToFont(pf::Dc& dc) override;
    void Print(pf::Dc& dc, int x, int y) override;
    void Reset() override;
    std::vector<std::string> currentLines() const;

protected:
    QWidget* makeWindow(QWidget* parent) override;
};
