#pragma once

#include <QWidget>

class CModuleList;

namespace qv {

// The main view until the interview's home page is shown: the product and the tax modules
// the program has loaded.
class StartPanel final : public QWidget {
    Q_OBJECT
public:
    explicit StartPanel(const CModuleList& modules, QWidget* parent = nullptr);
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CModuleList& m_modules;
    QStringList m_lines;
};

} // namespace qv
