#pragma once

#include "app/browser.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace qv {

// "Select Browser" (dialog 647): the system default, the named browsers that are installed,
// or another program given by its command line. OK writes Browser and BrowserOther.
class CSelectBrowserDlg final : public QDialog {
    Q_OBJECT
public:
    enum : int {
        SystemDefault = 1124,
        Explorer = 1125,
        Navigator = 1126,
        AmericaOnline = 1127,
        Other = 1128,
        OtherCommand = 1129,
        Browse = 1130,
    };
    explicit CSelectBrowserDlg(const DetectedBrowsers& browsers, QWidget* parent = nullptr);
    void accept() override;

private:
    void updateOtherControls();
    void browse();

    QButtonGroup* m_choices;
    QLineEdit* m_command;
    QPushButton* m_browse;
};

} // namespace qv
