#pragma once

#include "html/formcontrol.h"

// INPUT TYPE=checkbox: a check box; its VALUE is "On" unless the tag gives one.
class CCheckBoxFormControl final : public CFormControl {
public:
    CCheckBoxFormControl(int token, HtmlDocument* doc, PageForm* form,
                         const qv::AttributeList& attrs);

    void SizeToFont(pf::Dc& dc) override;
    void Print(pf::Dc& dc, int x, int y) override;
    void Reset() override;
    void setChecked(bool on) override;
    bool checked() const;

protected:
    QWidget* makeWindow(QWidget* parent) override;

private:
    bool m_initial;
    bool m_checked;
};
