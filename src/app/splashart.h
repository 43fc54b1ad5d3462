#pragma once

class QPixmap;

namespace qv {

// The product's splash picture, shown at start and in the about box.
QPixmap splashPixmap();

} // namespace qv
