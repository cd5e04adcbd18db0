// isButton's layout: the minimum size, where the caption goes for each alignment and reading
// order, and the window's shape for each look.
#include "controls/isbutton/is_button.h"

#include "controls/contracts/access_key.h"
#include "controls/isbutton/button_colours.h"

#include <array>

namespace plainquill::isbutton {

using namespace contracts;

namespace {

// 20 pixels at 15 twips per pixel.
constexpr double kMinimumTwips = 300;

} // namespace

void isButton::LayOut()
{
    // Growing the window delivers Resize (a nested layout) before the set returns.
    if (container().Width() < kMinimumTwips)
        container().SetWidth(kMinimumTwips);
    if (container().Height() < kMinimumTwips)
        container().SetHeight(kMinimumTwips);
    m_buttonRect = {0, 0, roundHalfEven(container().ScaleWidth()), roundHalfEven(container().ScaleHeight())};
    PlaceCaptionAndShape();
    Refresh();
}

void isButton::PlaceCaptionAndShape()
{
    const int W = m_buttonRect.right, H = m_buttonRect.bottom;
    m_captionRect = {4, 4, W - 4, H - 4};
    Rect measured = m_captionRect;
    const DrawTextFormat rtl = m_rightToLeft != 0 ? DT_RTLREADING : 0;
    container().hDC().drawText(m_caption, measured, DT_CALCRECT | DT_WORDBREAK | rtl);
    AlignCaption(measured);
    m_captionFormat |= rtl;
    // The caption's "&x" is drawn underlined; Alt+x should reach the button as well.
    container().SetAccessKeys(accessKeyOf(m_caption));
    ShapeWindow();
}

// The caption's rectangle and format for CaptionAlign, from the text's measured rectangle.
void isButton::AlignCaption(const Rect& measured)
{
    const int W = m_buttonRect.right, H = m_buttonRect.bottom;
    const double l = measured.left, t = measured.top, r = measured.right, b = measured.bottom;
    const double m = m_iconMargin;
    auto at = [](double left, double top, double right, double bottom) {
        return Rect{roundHalfEven(left), roundHalfEven(top), roundHalfEven(right), roundHalfEven(bottom)};
    };
    const double middleTop = (H - b - t) / 2 + 3, middleBottom = (H + b - t) / 2;
    switch (m_captionAlign) {
    case Center:
        m_captionRect = at((W - r - l) / 2, middleTop, (W + r - l) / 2, middleBottom);
        m_captionFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
        break;
    case Left:
        m_captionRect = at(m, middleTop, r + m, middleBottom);
        m_captionFormat = DT_LEFT | DT_VCENTER | DT_WORDBREAK;
        break;
    case Right:
        m_captionRect = at(W - r - l - m, middleTop, W - l - m, middleBottom);
        m_captionFormat = DT_RIGHT | DT_VCENTER | DT_WORDBREAK;
        break;
    case Top:
        m_captionRect = at((W - r - l) / 2, m / 2, (W + r - l) / 2, m / 2 + (b - t));
        m_captionFormat = DT_CENTER | DT_WORDBREAK;
        break;
    case Bottom:
        m_captionRect = at((W - r - l) / 2, H - (b - t) - m / 2, (W + r - l) / 2, H - m / 2);
        m_captionFormat = DT_CENTER | DT_BOTTOM | DT_WORDBREAK;
        break;
    default:
        break; // an unknown alignment keeps the inset rectangle and the last format
    }
}

void isButton::ShapeWindow()
{
    const int W = m_buttonRect.right, H = m_buttonRect.bottom;
    Graphics& g = container().graphics();
    m_themedShapeState = 0; // the theme's outline, if any, is replaced here
    switch (m_style) {
    case BlueSkin:
    case FaceSkin: {
        const std::array<Point, 8> cut{{{0, 1}, {1, 0}, {W - 1, 0}, {W, 1}, {W, H - 2}, {W - 2, H}, {2, H}, {0, H - 2}}};
        container().SetWindowRgn(g.createPolygonRgn(cut, ALTERNATE));
        break;
    }
    case Gradient:
    case Glossy: {
        const std::array<Point, 8> cut{{{0, 2}, {2, 0}, {W - 3, 0}, {W, 3}, {W, H - 3}, {W - 3, H}, {4, H}, {0, H - 4}}};
        container().SetWindowRgn(g.createPolygonRgn(cut, ALTERNATE));
        break;
    }
    case Rounded:
        container().SetWindowRgn(g.createRoundRectRgn({0, 0, W + 1, H + 1}, 18, 18));
        break;
    default:
        container().SetWindowRgn(g.createRectRgn({0, 0, W, H}));
        break;
    }
}

} // namespace plainquill::isbutton
