#pragma once

#include "platform/messages.h"

#include <QWidget>

#include <functional>

class QLabel;
class QToolButton;

namespace qv {

class CRefundIndicator;

// The bar above the form view: copy and line-item buttons on the left, the form's caption and
// the refund indicator between them and the close button at the right edge.
class CFormToolbar final : public QWidget, public pf::MsgTarget {
    Q_OBJECT
public:
    explicit CFormToolbar(QWidget* parent = nullptr);

    // The view asked for the module (UM_GET_MODULE) when a value was stored.
    void setView(pf::MsgTarget* view) { m_view = view; }
    pf::MsgTarget* view() const { return m_view; }

    // UM_VALUE_STORED refreshes the refund indicator, UM_SET_CAPTION sets the caption.
    pf::LRESULT onMessage(unsigned msg, pf::WPARAM wparam, pf::LPARAM lparam) override;

    CRefundIndicator* refundIndicator() const { return m_refund; }
    QToolButton* button(int id) const;
    QString caption() const;
    // Enables each button by `enabled(id)`; the frame calls it as it updates its commands.
    void updateButtons(const std::function<bool(int)>& enabled);

    // A button was clicked: its command id.
    std::function<void(int)> onCommand;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutButtons();

    pf::MsgTarget* m_view = nullptr;
    std::vector<QToolButton*> m_buttons; // left to right; the close button last
    QLabel* m_caption;
    CRefundIndicator* m_refund;
};

} // namespace qv
