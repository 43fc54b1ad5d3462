#pragma once

#include "html/formcontrol.h"

class QLineEdit;

// INPUT TYPE=text or password (and any other type a plain control does not know): a
// single-line edit SIZE characters wide, limited to MAXLENGTH.
class CEditFormControl final : public CFormControl {
public:
    using CFormControl::CFormControl;

    void Reset() override;
    void Print(pf::Dc& dc, int x, int y) override;
    std::string text() const;
    bool password() const { return m_type == "password"; }

protected:
    QWidget* makeWindow(QWidget* parent) override;

private:
    QLineEdit* edit() const;
    std::string m_text; // the text while there is no window
};
