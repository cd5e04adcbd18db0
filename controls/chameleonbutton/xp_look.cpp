// ButtonType 3, the look of the main window's buttons: a vertical gradient from a tint of the face,
// a dark blue outline with rounded corners, an orange glow under the pointer and a blue one while
// focused or default.
#include "controls/chameleonbutton/chameleon_button.h"

#include <cmath>

namespace plainquill::chameleon {

using namespace contracts;

namespace {

constexpr Colour kOutline = 0x733C00;      // RGB(0, 60, 115)
constexpr Colour kOutlineCorner = 0x7B4D10; // RGB(16, 77, 123)

struct Glow {
    Colour frame, bottom, top, second, sides;
};
constexpr Glow kHoverGlow{0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF};
constexpr Glow kFocusGlow{0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5};

// The gradient's step per line, kept in single precision; the product with the line number is
// taken in double precision, as a single times a whole number is, and rounded half to even.
int gradientAmount(float step, int line) { return static_cast<int>(std::nearbyint(-(double(step) * line))); }

} // namespace

void chameleonButton::DrawXPOutline()
{
    const int w = W();
    const int h = H();
    DrawRect(0, 0, w, h, kOutline, true);
    for (const Point p : {Point{1, 1}, Point{1, h - 2}, Point{w - 2, 1}, Point{w - 2, h - 2}})
        PutPixel(p.x, p.y, kOutlineCorner);
}

void chameleonButton::DrawXPUp()
{
    const int w = W();
    const int h = H();
    const Colour face = m_palette.xpFace;
    const float step = 25.0f / static_cast<float>(h);
    for (int i = 1; i <= h; ++i)
        PaintLine(0, i, w, i, ShiftXP(face, gradientAmount(step, i)));
    DrawCaption(HoverStyle());
    DrawXPOutline();

    const auto glow = [&](const Glow& g) {
        DrawRect(1, 2, w - 2, h - 4, g.frame, true);
        PaintLine(2, h - 2, w - 2, h - 2, g.bottom);
        PaintLine(2, 1, w - 2, 1, g.top);
        PaintLine(1, 2, w - 1, 2, g.second);
        PaintLine(2, 3, 2, h - 3, g.sides);
        PaintLine(w - 3, 3, w - 3, h - 3, g.sides);
    };
    if (m_isOver) {
        glow(kHoverGlow);
    } else if ((m_hasFocus || container().Ambient().DisplayAsDefault) && m_showFocusRect) {
        glow(kFocusGlow);
    } else {
        PaintLine(2, h - 2, w - 2, h - 2, ShiftXP(face, -48));
        PaintLine(1, h - 3, w - 2, h - 3, ShiftXP(face, -32));
        PaintLine(w - 2, 2, w - 2, h - 2, ShiftXP(face, -36));
        PaintLine(w - 3, 3, w - 3, h - 3, ShiftXP(face, -24));
        PaintLine(2, 1, w - 2, 1, ShiftXP(face, 16));
        PaintLine(1, 2, w - 2, 2, ShiftXP(face, 10));
        PaintLine(1, 2, 1, h - 2, ShiftXP(face, -5));
        PaintLine(2, 3, 2, h - 3, ShiftXP(face, -10));
    }
}

void chameleonButton::DrawXPDown()
{
    const int w = W();
    const int h = H();
    const Colour d = ShiftXP(m_palette.xpFace, -32);
    const float step = 25.0f / static_cast<float>(h);
    for (int i = 1; i <= h; ++i)
        PaintLine(0, h - i, w, h - i, ShiftXP(d, gradientAmount(step, i)));
    DrawCaption(2);
    DrawXPOutline();
    PaintLine(2, h - 2, w - 2, h - 2, ShiftXP(d, 16));
    PaintLine(1, h - 3, w - 2, h - 3, ShiftXP(d, 10));
    PaintLine(w - 2, 2, w - 2, h - 2, ShiftXP(d, 5));
    PaintLine(w - 3, 3, w - 3, h - 3, m_palette.xpFace);
    PaintLine(2, 1, w - 2, 1, ShiftXP(d, -32));
    PaintLine(1, 2, w - 2, 2, ShiftXP(d, -24));
    PaintLine(1, 2, 1, h - 2, ShiftXP(d, -32));
    PaintLine(2, 2, 2, h - 2, ShiftXP(d, -22));
}

void chameleonButton::DrawXPDisabled()
{
    const int w = W();
    const int h = H();
    const Colour face = m_palette.xpFace;
    DrawRect(0, 0, w, h, ShiftXP(face, -24), false);
    DrawCaption(5);
    DrawRect(0, 0, w, h, ShiftXP(face, -84), true);
    for (const Point p : {Point{1, 1}, Point{1, h - 2}, Point{w - 2, 1}, Point{w - 2, h - 2}})
        PutPixel(p.x, p.y, ShiftXP(face, -72));
}

} // namespace plainquill::chameleon
