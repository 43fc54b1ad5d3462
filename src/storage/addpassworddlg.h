#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

// Asks for a new return password twice (dialog 599, "Add Password" or "Change Password").
// OK closes the dialog only when the password is not empty and both entries agree.
class CAddPassword final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNewEdit = 1056;
    static constexpr int kConfirmEdit = 1057;
    static constexpr int kHelp = 9;

    explicit CAddPassword(bool change, QWidget* parent = nullptr);
    std::string password() const;
    void accept() override;

private:
    QLineEdit* m_new;
    QLineEdit* m_confirm;
};
