#pragma once

#include "html/boundformcontrol.h"

#include <string>

class CTaxPushButton;
class CTaxCopyListFormControl;

// INPUT TYPE=button: a bitmap push button (SRC) with a caption (TEXT), a SCRIPT, an optional
// form copy (FORM=NAME[,n]) and an optional field. Its NAME is the page command it sends.
class CTaxButtonFormControl final : public qv::BoundFormControl {
public:
    CTaxButtonFormControl(int token, HtmlDocument* doc, PageForm* form,
                          const qv::AttributeList& attrs, CField* field, CFormCopy* copy);
    ~CTaxButtonFormControl() override;

    void SizeToFont(pf::Dc& dc) override;
    void Print(pf::Dc& dc, int x, int y) override;
    const std::string& script() const { return m_script; }
    CTaxPushButton* button() const;
    // The click, in order: the field write, the form commands of a copy list, the script,
    // the page command.
    void click();

protected:
    QWidget* makeWindow(QWidget* parent) override;
    void created() override;

private:
    CTaxCopyListFormControl* copyList() const;
    void askQuestion(int module, int form, int copyNumber);
    std::string m_script;
};
