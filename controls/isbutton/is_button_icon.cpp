// isButton's icon: where it goes, the grey silhouette behind it on a hot Highlight button, the
// masked paint that leaves out MaskColor, and the grey icon of a disabled button.
#include "controls/isbutton/is_button.h"

#include "controls/isbutton/button_colours.h"

#include <algorithm>
#include <array>

namespace plainquill::isbutton {

using namespace contracts;

namespace {

constexpr Colour kSilhouette = 0x808080;

// Left as they are by the grey conversion (0x909090 is not among them).
constexpr std::array<Colour, 16> kPureGreys{0x000000, 0x101010, 0x202020, 0x303030, 0x404040, 0x505050,
                                            0x606060, 0x707070, 0x808080, 0xA0A0A0, 0xB0B0B0, 0xC0C0C0,
                                            0xD0D0D0, 0xE0E0E0, 0xF0F0F0, 0xFFFFFF};

Colour greyOf(Colour c)
{
    const int v = std::min(255, roundHalfEven(0.33 * redOf(c) + 0.59 * greenOf(c) + 0.11 * blueOf(c)));
    return rgb(v, v, v);
}

} // namespace

// Where the icon goes for its alignment, a pixel down and right while pressed.
Point isButton::IconPlace() const
{
    const int W = m_buttonRect.right, H = m_buttonRect.bottom, s = m_iconSize, m = m_iconMargin;
    int x = 0, y = 0;
    switch (m_iconAlign) {
    case Center:
        x = roundHalfEven((W - s) / 2.0), y = roundHalfEven((H - s) / 2.0);
        break;
    case Left:
        x = m, y = roundHalfEven((H - s) / 2.0);
        break;
    case Right:
        x = W - s - m, y = roundHalfEven((H - s) / 2.0);
        break;
    case Top:
        x = roundHalfEven((W - s) / 2.0), y = m;
        break;
    case Bottom:
        x = roundHalfEven((W - s) / 2.0), y = H - s - m;
        break;
    default:
        break;
    }
    if (m_state == Pressed)
        ++x, ++y;
    return {x, y};
}

// The grey silhouette at (x, y) that a hot Highlight button shows behind its raised icon.
void isButton::DrawIconSilhouette(Dc& dc, const Picture& picture, int x, int y)
{
    const int s = m_iconSize;
    if (m_useMaskColor) {
        MaskedPaint(dc, picture, x + 1, y + 1, s, s, kSilhouette, false);
        MaskedPaint(dc, picture, x - 1, y - 1, s, s, std::nullopt, false);
        return;
    }
    container().PaintPicture(picture, x, y, s, s);
    const Colour background = dc.getPixel({1, 1});
    for (int row = y; row < y + s; ++row)
        for (int column = x; column < x + s; ++column)
            if (dc.getPixel({column, row}) != background)
                dc.setPixelV({column, row}, kSilhouette);
}

void isButton::DrawIcon(Dc& dc)
{
    const Point place = IconPlace();
    int x = place.x, y = place.y;
    const int s = m_iconSize;
    const Picture& picture = *m_icon;
    if (m_state == Hot && m_style == Highlight) {
        DrawIconSilhouette(dc, picture, x, y);
        x -= 2, y -= 2;
    }
    if (m_useMaskColor)
        MaskedPaint(dc, picture, x, y, s, s, std::nullopt, !m_enabled);
    else if (m_enabled)
        container().PaintPicture(picture, x, y, s, s);
    else
        PaintIconGrayscale(&dc, picture.icon(), x, y, s, s);
}

void isButton::MaskedPaint(Dc& dc, const Picture& picture, int x, int y, int w, int h, std::optional<Colour> shadow,
                           bool grey)
{
    if (w <= 0 || h <= 0)
        return;
    std::unique_ptr<Dc> source = dc.createCompatibleDc();
    const Bitmap image = picture.bitmap() ? *picture.bitmap() : dc.createCompatibleBitmap({w, h});
    const Bitmap old = source->selectBitmap(image);
    if (const contracts::Icon* icon = picture.icon()) {
        const Brush background = Brush::solid(m_maskColor);
        source->drawIconEx(0, 0, *icon, 0, 0, &background, DI_NORMAL);
    }
    for (int row = 0; row < h; ++row) {
        for (int column = 0; column < w; ++column) {
            const Point at{x + column, y + row};
            const Colour from = source->getPixel({column, row});
            if (from == CLR_INVALID || dc.getPixel(at) == CLR_INVALID)
                continue;
            const Colour nearest = dc.getNearestColor(from);
            if (m_useMaskColor && nearest == m_maskColor)
                continue;
            Colour to = from;
            if (shadow) {
                to = *shadow;
            } else if (grey) {
                const int g = roundHalfEven(roundHalfEven(0.3 * redOf(from)) + 0.59 * greenOf(from) + 0.11 * blueOf(from));
                to = rgb(g, g, g);
            }
            dc.setPixelV(at, to);
        }
    }
    source->selectBitmap(old);
}

bool isButton::PaintIconGrayscale(Dc* dc, const contracts::Icon* icon, int x, int y, int height, int width)
{
    if (dc == nullptr || icon == nullptr || icon->isNull())
        return false;
    IconInfo info = icon->info();
    Bitmap& colour = info.colour;
    for (int row = 0; row < colour.height(); ++row) {
        for (int column = 0; column < colour.width(); ++column) {
            const Colour c = colour.pixel(column, row);
            if (std::find(kPureGreys.begin(), kPureGreys.end(), c) == kPureGreys.end())
                colour.setPixel(column, row, greyOf(c));
        }
    }
    const contracts::Icon greyIcon = Icon::createIndirect(info);
    return !greyIcon.isNull() && dc->drawIconEx(x, y, greyIcon, width, height, nullptr, DI_NORMAL);
}

} // namespace plainquill::isbutton
