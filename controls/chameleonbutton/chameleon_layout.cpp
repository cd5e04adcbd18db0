// The resize sequence: client size, focus rectangle, caption and picture placement, window shape.
#include "controls/chameleonbutton/chameleon_button.h"

#include <cmath>
#include <vector>

namespace plainquill::chameleon {

using namespace contracts;

namespace {

constexpr DrawTextFormat kMeasureCaption = DT_CALCRECT | DT_WORDBREAK; // 0x410

bool isBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

} // namespace

void chameleonButton::ResizeSequence()
{
    if (m_inCapture)
        return;
    const Rect client = container().ClientRect(container().hWnd()).value_or(Rect{});
    m_clientWidth = client.right;
    m_clientHeight = client.bottom;
    if (m_buttonType >= ThinRaised && m_buttonType <= Oval)
        m_focusRect = client.inflatedBy(-3, -3);
    else if (m_buttonType == Gradient)
        m_focusRect = client.inflatedBy(-5, -5).offsetBy(1, 1);
    else
        m_focusRect = client.inflatedBy(-4, -4);
    CalcCaptionRect();
    MakeRegion();
    if (m_clientHeight != 0)
        Redraw(Up, true);
}

void chameleonButton::MakeRegion()
{
    Graphics& g = container().graphics();
    const int w = W();
    const int h = H();
    const Region client = g.createRectRgn({0, 0, w, h});
    const auto without = [&](std::initializer_list<Point> pixels) {
        Region shape = client;
        for (const Point p : pixels)
            shape = g.combineRgn(shape, g.createRectRgn(Rect::fromSize(p.x, p.y, 1, 1)), RGN_DIFF);
        return shape;
    };
    Region shape;
    switch (m_buttonType) {
    case Outlined:
    case Gradient:
        shape = without({{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}});
        break;
    case FlatFrame:
        shape = without({{w - 1, 0}, {0, h - 1}});
        break;
    case WindowsXP:
    case RoundedPanel:
        shape = without({{0, 0}, {1, 0}, {0, 1}, {w - 2, 0}, {w - 1, 0}, {w - 1, 1},
                         {0, h - 2}, {0, h - 1}, {1, h - 1}, {w - 1, h - 2}, {w - 2, h - 1}, {w - 1, h - 1}});
        break;
    case Oval:
        // The platform's elliptic regions stop one pixel short at the right and bottom; one pixel
        // more makes the shape the ellipse the oval look draws in the W x H client area.
        shape = g.createEllipticRgn({0, 0, w + 1, h + 1});
        break;
    default:
        shape = client;
        break;
    }
    container().SetWindowRgn(std::move(shape));
}

void chameleonButton::MeasurePicture()
{
    if (!m_pictureNormal) {
        m_picWidth = m_picHeight = 0;
        return;
    }
    const auto pixels = [&](double himetric) {
        return static_cast<int>(std::nearbyint(container().ScaleX(himetric, ScaleUnit::Himetric, ScaleUnit::Pixels)));
    };
    m_picWidth = pixels(m_pictureNormal->Width());
    m_picHeight = pixels(m_pictureNormal->Height());
}

void chameleonButton::CalcCaptionRect()
{
    const int w = W();
    const int h = H();
    Rect r;
    switch (m_picturePosition) {
    case PictureLeft: r = {m_picWidth + 1, 1, w - 2, h - 2}; break;
    case PictureRight: r = {1, 1, w - m_picWidth - 2, h - 2}; break;
    case PictureAbove: r = {1, m_picHeight + 1, w - 2, h - 2}; break;
    case PictureBelow: r = {1, 1, w - 2, h - m_picHeight - 2}; break;
    case PictureBehind: r = {1, 1, w - 2, h - 2}; break;
    default: r = m_pressedCaptionRect; break;
    }
    dc().drawText(m_caption, r, kMeasureCaption);
    m_captionWidth = r.right - r.left;
    m_captionHeight = r.bottom - r.top;
    const Point centring = CaptionCentring(r);
    m_captionRect = r.offsetBy(centring.x, centring.y);
    m_pressedCaptionRect = m_captionRect.offsetBy(1, 1);
    PlacePicture();
}

// How far the measured caption `r` moves to sit in the middle of the room the picture leaves it.
Point chameleonButton::CaptionCentring(const Rect& r) const
{
    const int w = W();
    const int h = H();
    int dx = 0;
    int dy = 0;
    switch (m_picturePosition) {
    case PictureRight:
        dx = (w - r.right - m_picWidth - 4) / 2;
        dy = (h - r.bottom) / 2;
        break;
    case PictureBelow:
        dx = (w - r.right) / 2;
        dy = (h - r.bottom - m_picHeight - 4) / 2;
        break;
    case PictureLeft:
    case PictureAbove:
    case PictureBehind:
        dx = (w - r.right) / 2;
        dy = (h - r.bottom) / 2;
        break;
    default:
        break;
    }
    return {dx, dy};
}

void chameleonButton::PlacePicture()
{
    if (!m_pictureNormal && !m_pictureOver)
        return;
    const int w = W();
    const int h = H();
    if (isBlank(m_caption) || m_picturePosition == PictureBehind) {
        m_pictureX = (w - m_picWidth) / 2;
        m_pictureY = (h - m_picHeight) / 2;
        return;
    }
    switch (m_picturePosition) {
    case PictureLeft:
        m_pictureX = m_captionRect.left - m_picWidth - 4;
        m_pictureY = (h - m_picHeight) / 2;
        break;
    case PictureRight:
        m_pictureX = m_captionRect.right + 4;
        m_pictureY = (h - m_picHeight) / 2;
        break;
    case PictureAbove:
        m_pictureX = (w - m_picWidth) / 2;
        m_pictureY = m_captionRect.top - m_picHeight - 2;
        break;
    case PictureBelow:
        m_pictureX = (w - m_picWidth) / 2;
        m_pictureY = m_captionRect.bottom + 2;
        break;
    default:
        break;
    }
}

} // namespace plainquill::chameleon
