#pragma once

#include <QDialog>

class QPaintEvent;
class QPushButton;

// The offer to import last year's return, shown after a new return is made: a tiled
// background, a heading and a body text painted with a white highlight under a dark shadow,
// and the buttons Import (OK) and Cancel, each centred in its half of the dialog.
class CImportDlg final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kImport = 1;
    static constexpr int kCancel = 2;

    explicit CImportDlg(QWidget* parent = nullptr);

    static const char* heading();
    static QString body();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* m_import;
    QPushButton* m_cancel;
};
