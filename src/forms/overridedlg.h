#pragma once

#include <QDialog>

class CFieldEditHost;
struct CField;

// "Warning": asked before a calculated field is typed over. Ends with IdOpenSupportingForm,
// IdOverrideValue (after the e-file question where the return can be filed electronically)
// or pf::IDCANCEL.
class COverrideDlg final : public QDialog {
public:
    enum : int { IdOpenSupportingForm = 1026, IdOverrideValue = 1027, IdHelp = 9 };

    static constexpr const char* kText1 =
        "WARNING: You are attempting to alter a calculated value! Directly altering a "
        "calculated value is NOT recommended. The preferred method for altering a calculated "
        "value is to open the supporting form(s) and modify the appropriate values.";
    static constexpr const char* kText2 =
        "You may alter a calculated value by opening the supporting form(s) and editing the "
        "appropriate values. This is the preferred method.";
    static constexpr const char* kText3 =
        "You may directly alter a calculated value by clicking the Override Value button, "
        "however, we STRONGLY recommend that you open its supporting form(s) and edit the "
        "appropriate values. Directly altering a calculated field may cause";
    static constexpr const char* kText4 =
        "unintentional and unforeseen consequences to your return.";

    // `hideSupportingForm` leaves "Open Supporting Form" disabled whatever the field says.
    COverrideDlg(CField& field, int formIndex, CFieldEditHost& host, QWidget* parent = nullptr,
                 bool hideSupportingForm = false);

    int FormIndex() const { return m_formIndex; }

    void reject() override;

private:
    void overrideValue();

    CField& m_field;
    int m_formIndex;
    CFieldEditHost& m_host;
};
