#include "platform/messages.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace pf {
namespace {

QEvent::Type messageEventType() {
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

class MessageEvent final : public QEvent {
public:
    MessageEvent(unsigned msg, WPARAM wparam, LPARAM lparam)
        : QEvent(messageEventType()), m_msg(msg), m_wparam(wparam), m_lparam(lparam) {}
    unsigned m_msg;
    WPARAM m_wparam;
    LPARAM m_lparam;
};

// Lives exactly as long as its target; Qt discards the events posted to it when it is
// deleted, which is what drops messages to a target destroyed before they arrive.
class Receiver final : public QObject {
public:
    explicit Receiver(MsgTarget* target) : m_target(target) {}

protected:
    void customEvent(QEvent* event) override {
        if (event->type() != messageEventType())
            return;
        const auto* m = static_cast<MessageEvent*>(event);
        m_target->onMessage(m->m_msg, m->m_wparam, m->m_lparam);
    }

private:
    MsgTarget* m_target;
};

} // namespace

MsgTarget::MsgTarget() : m_receiver(new Receiver(this)) {}

MsgTarget::~MsgTarget() {
    delete m_receiver;
}

LRESULT sendMessage(MsgTarget* target, unsigned msg, WPARAM wparam, LPARAM lparam) {
    return target ? target->onMessage(msg, wparam, lparam) : 0;
}

void postMessage(MsgTarget* target, unsigned msg, WPARAM wparam, LPARAM lparam) {
    if (!target)
        return;
    QCoreApplication::postEvent(target->m_receiver, new MessageEvent(msg, wparam, lparam));
}

} // namespace pf
