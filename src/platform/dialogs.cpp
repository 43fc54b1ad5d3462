#include "platform/dialogs.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <utility>

namespace pf {
namespace {

constexpr const char* kCtrlIdProperty = "pfCtrlId";
constexpr int kBaseX = 6;
constexpr int kBaseY = 13;

std::deque<DialogCallback>& callbacks() {
    static std::deque<DialogCallback> queue;
    return queue;
}

UnexpectedDialogHandler& unexpectedHandler() {
    static UnexpectedDialogHandler handler;
    return handler;
}

// a × b / c rounded to nearest, halves away from zero.
int mulDiv(int a, int b, int c) {
    const long long p = static_cast<long long>(a) * b;
    return int(p >= 0 ? (p + c / 2) / c : (p - c / 2) / c);
}

QWidget* findIn(QObject* parent, int id) {
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && ctrlId(w) == id)
            return w;
    }
    for (QObject* child : parent->children()) {
        if (QWidget* found = findIn(child, id))
            return found;
    }
    return nullptr;
}

} // namespace

void setCtrlId(QWidget* control, int id) {
    if (control)
        control->setProperty(kCtrlIdProperty, id);
}

int ctrlId(const QWidget* control) {
    if (!control)
        return 0;
    const QVariant v = control->property(kCtrlIdProperty);
    return v.isValid() ? v.toInt() : 0;
}

QWidget* dlgItem(QWidget* parent, int id) {
    return parent && id ? findIn(parent, id) : nullptr;
}

int execDialog(QDialog& dialog) {
    auto& queue = callbacks();
    if (queue.empty()) {
        if (const UnexpectedDialogHandler& handler = unexpectedHandler())
            return handler(dialog);
        return dialog.exec();
    }
    DialogCallback callback = std::move(queue.front());
    queue.pop_front();
    // The context object ties the call to the dialog: if it is gone first, nothing runs.
    QPointer<QDialog> guard(&dialog);
    QTimer::singleShot(0, &dialog, [guard, callback = std::move(callback)] {
        if (guard)
            callback(*guard);
    });
    return dialog.exec();
}

void queueDialogCallback(DialogCallback callback) {
    callbacks().push_back(std::move(callback));
}
std::size_t pendingDialogCallbacks() {
    return callbacks().size();
}
void clearDialogCallbacks() {
    callbacks().clear();
}

void setUnexpectedDialogHandler(UnexpectedDialogHandler handler) {
    unexpectedHandler() = std::move(handler);
}

int dluToPixelsX(int dluX) {
    return mulDiv(dluX, kBaseX, 4);
}
int dluToPixelsY(int dluY) {
    return mulDiv(dluY, kBaseY, 8);
}

QRect dluToPixels(const QRect& dlus) {
    // Mapped as a rectangle's edges, like the classic mapping: left/top and right/bottom are
    // each converted, so adjacent controls stay adjacent.
    const int left = dluToPixelsX(dlus.x());
    const int top = dluToPixelsY(dlus.y());
    const int right = dluToPixelsX(dlus.x() + dlus.width());
    const int bottom = dluToPixelsY(dlus.y() + dlus.height());
    return QRect(left, top, right - left, bottom - top);
}

} // namespace pf
