#pragma once

#include "html/formcontrol.h"

// INPUT TYPE=radio: a radio button that, once checked, unchecks the other radio buttons of
// its form with the same NAME.
class CRadioButtonFormControl final : public CFormControl {
public:
    CRadioButtonFormControl(int token, HtmlDocument* doc, PageForm* form,
                            const qv::AttributeList& attrs);

    void SizeToFont(pf::Dc& dc) override;
    void Print(pf::Dc& dc, int x, int y) override;
    void Reset() override;
    bool isRadio() const override { return true; }
    void setChecked(bool on) override;
    bool checked() const;

protected:
    QWidget* makeWindow(QWidget* parent) override;

private:
    bool m_initial;
    bool m_checked;
};
