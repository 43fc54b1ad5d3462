#pragma once

#include <vector>

namespace qv {

// The left and right limits of a section list during one layout pass. Floating images and
// tables narrow them for their height; each indentation level is a 35-pixel left float that
// runs until the level is closed.
class FloatMargins final {
public:
    static constexpr int kIndent = 35;

    FloatMargins(int left, int right) : m_left(left), m_right(right) {}

    // Opens levels up to `depth` at `top`, or closes deeper ones just above it.
    void setDepth(int depth, int top);
    int depth() const { return m_depth; }

    // The limits for a line from y to y + h: every float that overlaps it counts.
    int leftAt(int y, int h = 1) const;
    int rightAt(int y, int h = 1) const;

    // Places a float of `width` at the current edge from `top` for `height`; returns the x
    // of its left side.
    int addLeft(int top, int width, int height);
    int addRight(int top, int width, int height);

    // The lowest bottom of the floats on one side (1 left, 2 right, 3 both), 0 when none.
    int clearBelow(int sides) const;
    int lowestBottom() const { return clearBelow(3); }
    // The nearest bottom below y of a float that overlaps y, or -1 when none does.
    int nextBottom(int y) const;
    int baseLeft() const { return m_left; }
    int baseRight() const { return m_right; }

private:
    struct Float {
        int x0, x1, top, bottom;
    };
    int m_left;
    int m_right;
    std::vector<Float> m_leftFloats;
    std::vector<Float> m_rightFloats;
    int m_depth = 0;
};

} // namespace qv
