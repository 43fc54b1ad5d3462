#pragma once

#include <QDialog>

// The Yes/No "Warning" asked before a calculated field is typed over in the small form pane.
// Ends with pf::IDYES or pf::IDNO (also on Esc).
class COverrideWarningDlg final : public QDialog {
public:
    static constexpr const char* kLines[4] = {
        "WARNING: You are attempting to alter a calculated value! Directly altering a "
        "calculated value is NOT recommended.",
        "The preferred method for altering this calculated value is to enter the value in the "
        "appropriate form or Qna topic.",
        "You may directly alter a calculated value. However, we STRONGLY recommend that you "
        "enter the value in the appropriate form or Qna topic. Directly altering a calculated "
        "field may cause unintentional and unforeseen consequences to your return.",
        "Are you sure you want to alter this calculated field?",
    };

    explicit COverrideWarningDlg(QWidget* parent = nullptr);

    void reject() override;
};
