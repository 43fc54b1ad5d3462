#pragma once

#include "html/boundformcontrol.h"

#include <string>

class CTaxEdit;

// An INPUT bound to a field that is typed: the page's field editor, filled from the field in
// its display form, storing what is typed when the page commits it.
class CTaxEditFormControl final : public qv::BoundFormControl {
public:
    CTaxEditFormControl(int token, HtmlDocument* doc, PageForm* form,
                        const qv::AttributeList& attrs, CField* field, CFormCopy* copy);
    ~CTaxEditFormControl() override;

    void Print(pf::Dc& dc, int x, int y) override;
    void Reset() override { readValue(); }

    // The field's value as the page shows it: empty for zero amounts and numbers.
    std::string displayText() const;
    void readValue() override;
    std::string text() const;
    bool modified() const;
    CTaxEdit* edit() const;

    // Stores the edit's text by the field's rules; false when the value is refused, with the
    // message in `message`. A stored value may still come with a warning in `message`.
    bool store(std::string& message);

    void gotFocus();
    void lostFocus();

    // The mask and the text limit of the field's type on a page.
    static void MaskFor(CField& field, const std::string& formName, const std::string& fieldName,
                        std::string& mask, int& limit);

protected:
    QWidget* makeWindow(QWidget* parent) override;
    void created() override;

private:
    void applyColours();
    bool m_lastRefused = false;
    std::string m_text; // while there is no window
};
