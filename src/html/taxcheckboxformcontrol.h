#pragma once

#include "html/boundformcontrol.h"

class CTaxCheckBox;

// A check box of a page: TYPE=check or checkbox, or bound to an option field outside any
// option group. A bound one shows and sets the field.
class CTaxCheckBoxFormControl final : public qv::BoundFormControl {
public:
    CTaxCheckBoxFormControl(int token, HtmlDocument* doc, PageForm* form,
                            const qv::AttributeList& attrs, CField* field, CFormCopy* copy);
    ~CTaxCheckBoxFormControl() override;

    void SizeToFont(pf::Dc& dc) override;
    void Print(pf::Dc& dc, int x, int y) override;
    void Reset() override;
    void readValue() override;
    void setChecked(bool on) override;
    bool checked() const;
    void clicked();
    CTaxCheckBox* box() const;

protected:
    QWidget* makeWindow(QWidget* parent) override;
    void created() override;

private:
    bool m_initial;
    bool m_checked;
};
