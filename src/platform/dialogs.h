#pragma once

#include "platform/pfexport.h"

#include <QRect>

#include <cstddef>
#include <functional>

class QDialog;
class QWidget;

namespace pf {

// Controls carry the numeric id the dialog code knows them by. 0 = no id.
PF_EXPORT void setCtrlId(QWidget* control, int id);
PF_EXPORT int ctrlId(const QWidget* control);
// The control with the id among the descendants of `parent`: its direct children first (in
// creation order), then each child's own descendants. Null when there is none.
PF_EXPORT QWidget* dlgItem(QWidget* parent, int id);
template <class T>
T* dlgItemAs(QWidget* parent, int id) {
    return dynamic_cast<T*>(dlgItem(parent, id));
}

// Runs a modal dialog and returns its result (QDialog::Accepted/Rejected or the value given to
// done()). When a test callback is queued, the first one is taken and called from inside the
// dialog's event loop, once the dialog is up; it fills in the controls and closes the dialog.
PF_EXPORT int execDialog(QDialog& dialog);
using DialogCallback = std::function<void(QDialog&)>;
PF_EXPORT void queueDialogCallback(DialogCallback callback);
PF_EXPORT std::size_t pendingDialogCallbacks();
PF_EXPORT void clearDialogCallbacks();
// Test hook: when set, a dialog with no queued callback is not shown; the handler's answer is
// the dialog's result (tests make an unexpected dialog a failure instead of a hang).
using UnexpectedDialogHandler = std::function<int(QDialog&)>;
PF_EXPORT void setUnexpectedDialogHandler(UnexpectedDialogHandler handler);

// Dialog units to pixels with the fixed base units 6 × 13 (a unit is a quarter of the base
// width and an eighth of the base height), rounded to nearest as the classic mapping does.
PF_EXPORT int dluToPixelsX(int dluX);
PF_EXPORT int dluToPixelsY(int dluY);
PF_EXPORT QRect dluToPixels(const QRect& dlus);
inline QRect dluToPixels(int x, int y, int width, int height) {
    return dluToPixels(QRect(x, y, width, height));
}

} // namespace pf
