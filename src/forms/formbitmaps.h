#pragma once

#include <QPixmap>

namespace qv {

// The bitmaps of the form toolbar and the refund indicator, drawn in code so that the
// program ships no image files for them. Unknown names give an empty pixmap.
QPixmap formBitmap(const char* name);

} // namespace qv
