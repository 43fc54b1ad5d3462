#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>

class CTaxModule;
class QLabel;
class QToolButton;

namespace qv {

// The refund or amount owed of a module's return: a refund button (1118) or an owed button
// (1119), federal or state bitmaps, and the amount beside them.
class CRefundIndicator final : public QWidget {
    Q_OBJECT
public:
    explicit CRefundIndicator(QWidget* parent = nullptr);

    // Reads the module's "RefundOwe"; nothing happens while neither the amount nor the kind
    // of module changed.
    void refresh(CTaxModule* module);

    bool showsOwed() const;
    bool showsFederal() const { return m_federal; }
    QString amountText() const;
    QToolButton* refundButton() const { return m_refund; }
    QToolButton* owedButton() const { return m_owed; }

    // Either button: open the tax summary, for the federal module or a state.
    std::function<void(bool federal)> onSummary;

private:
    QToolButton* m_refund;
    QToolButton* m_owed;
    QLabel* m_amount;
    bool m_known = false;
    bool m_federal = true;
    std::int64_t m_cents = 0;
};

} // namespace qv
