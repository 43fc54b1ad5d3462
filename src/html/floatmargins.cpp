#include "html/floatmargins.h"

#include <algorithm>

namespace qv {

void FloatMargins::setDepth(int depth, int) {
    m_depth = std::clamp(depth, 0, 64);
}

int FloatMargins::leftAt(int y, int h) const {
    int x = m_left + m_depth * kIndent;
    for (const Float& f : m_leftFloats) {
        if (f.top < y + h && f.bottom > y)
            x = std::max(x, f.x1);
    }
    return x;
}

int FloatMargins::rightAt(int y, int h) const {
    int x = m_right;
    for (const Float& f : m_rightFloats) {
        if (f.top < y + h && f.bottom > y)
            x = std::min(x, f.x0);
    }
    return x;
}

int FloatMargins::addLeft(int top, int width, int height) {
    const int x = leftAt(top, height);
    m_leftFloats.push_back({x, x + width, top, top + height});
    return x;
}

int FloatMargins::addRight(int top, int width, int height) {
    const int x = rightAt(top, height) - width;
    m_rightFloats.push_back({x, x + width, top, top + height});
    return x;
}

int FloatMargins::clearBelow(int sides) const {
    int y = 0;
    if (sides & 1) {
        for (const Float& f : m_leftFloats)
            y = std::max(y, f.bottom);
    }
    if (sides & 2) {
        for (const Float& f : m_rightFloats)
            y = std::max(y, f.bottom);
    }
    return y;
}

int FloatMargins::nextBottom(int y) const {
    int best = -1;
    for (const auto* list : {&m_leftFloats, &m_rightFloats}) {
        for (const Float& f : *list) {
            if (f.top <= y && f.bottom > y && (best < 0 || f.bottom < best))
                best = f.bottom;
        }
    }
    return best;
}

} // namespace qv
