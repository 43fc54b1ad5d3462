#pragma once

#include "html/boundformcontrol.h"

#include <vector>

class CTaxRadioButton;

// A radio button of a page drawn from the "IDB_TAXRADIO" strip: bound to a check field or to
// an option field of an option group, or unbound (TYPE=radio) when exclusive by NAME.
class CTaxRadioButtonFormControl final : public qv::BoundFormControl {
public:
    CTaxRadioButtonFormControl(int token, HtmlDocument* doc, PageForm* form,
                               const qv::AttributeList& attrs, CField* field, CFormCopy* copy);
    ~CTaxRadioButtonFormControl() override;

    void SizeToFont(pf::Dc& dc) override;
    void Print(pf::Dc& dc, int x, int y) override;
    void Reset() override;
    void readValue() override;
    bool isRadio() const override { return true; }
    void setChecked(bool on) override;
    bool checked() const;
    void clicked();
    // The radio windows of one NAME that stand together with this one, in page order.
    std::vector<CTaxRadioButtonFormControl*> group() const;
    CTaxRadioButton* button() const;

protected:
    QWidget* makeWindow(QWidget* parent) override;
    void created() override;

private:
    bool m_initial;
    bool m_checked;
};
