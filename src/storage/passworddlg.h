#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

// The password question when a protected return is opened or its password changed
// (dialog 598): the prompt, an edit of at most 8 characters, OK, Cancel and Help.
class CPasswordDlg final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPasswordEdit = 1056;
    static constexpr int kMessage = 1060;
    static constexpr int kHelp = 9;

    // An empty prompt shows the standard text.
    explicit CPasswordDlg(const std::string& prompt, QWidget* parent = nullptr);
    std::string password() const;

private:
    QLineEdit* m_edit;
};
