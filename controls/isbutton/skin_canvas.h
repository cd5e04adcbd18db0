#pragma once
// The few strokes the skins and the line-drawn faces are made of, on a DC, each in its own pen or
// brush. A gradient of no steps divides by zero: it throws SkinEnded, which ends the face early
// (the icon and caption are still drawn).
#include "controls/contracts/drawing_surface.h"

namespace plainquill::isbutton {

struct SkinEnded {};

class SkinCanvas {
public:
    explicit SkinCanvas(contracts::Dc& dc) : m_dc(dc) {}

    void pixel(int x, int y, contracts::Colour c);
    // From (x1, y1) to (x2, y2), the end point left out.
    void line(int x1, int y1, int x2, int y2, contracts::Colour c);
    // (x, y) to (x + w, y + h), right and bottom exclusive.
    void fill(int x, int y, int w, int h, contracts::Colour c);
    // The closed path (x, y) -> (x + w, y) -> (x + w, y + h) -> (x, y + h) -> (x, y).
    void outline(int x, int y, int w, int h, contracts::Colour c);
    // Rows y .. y + n, each the line (x1, row) - (x2, row) in its step from `top` to `bottom`.
    // n < 0 draws nothing; n = 0 throws SkinEnded.
    void gradient(contracts::Colour top, contracts::Colour bottom, int x1, int y, int x2, int n);
    // Columns x1 .. x2 inclusive, each the line (x, y1) - (x, y2); x1 = x2 throws SkinEnded.
    void hgradient(contracts::Colour left, contracts::Colour right, int x1, int y1, int x2, int y2);
    // The dark border of the blue and face skins with its inner corner pixels, and the lighter
    // pixels outside the corners that soften them.
    void borderAndOuterPixels(int W, int H, contracts::Colour border, contracts::Colour outer);

private:
    contracts::Dc& m_dc;
};

} // namespace plainquill::isbutton
