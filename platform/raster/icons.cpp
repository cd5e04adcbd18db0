// DrawIconEx: the AND mask then the XOR image, stretched by nearest pixel.
#include "platform/raster/raster_dc.h"

namespace plainquill::raster {

using contracts::Colour;

// Per pixel: the destination is ANDed with the mask (1 keeps, 0 clears; black text and a white
// background are forced for this step, so the mask's own colours count, whatever the DC's) and then XORed with the colour image. DI_IMAGE alone copies the image.
// A flicker-free brush replaces the destination by the brush before the mask is applied.
bool RasterDc::drawIconEx(int x, int y, const contracts::Icon& icon, int cx, int cy,
                          const contracts::Brush* flickerFreeBrush, contracts::DrawIconFlags flags)
{
    syncScale();
    using namespace contracts;
    if (icon.isNull() || !(flags & DI_NORMAL))
        return false;
    const Bitmap& mask = icon.maskBitmap();
    const Bitmap& image = icon.colourBitmap();
    const int w = cx > 0 ? cx : image.width();
    const int h = cy > 0 ? cy : image.height();
    const std::optional<BrushPattern> background =
        flickerFreeBrush ? std::optional<BrushPattern>(BrushPattern(*flickerFreeBrush, patternContext()))
                         : std::nullopt;
    m_canvas.forEachPixel(Rect::fromSize(x, y, w, h), [&](int px, int py, std::uint32_t& d) {
        const int sx = static_cast<int>(static_cast<long long>(px - x) * image.width() / w);
        const int sy = static_cast<int>(static_cast<long long>(py - y) * image.height() / h);
        Colour value = d;
        if (background)
            value = background->at(px, py).value_or(d);
        if (flags & DI_MASK)
            value &= mask.pixel(sx, sy) == kWhite ? 0xFFFFFFu : 0u;
        if (flags & DI_IMAGE)
            value = (flags & DI_MASK) ? value ^ image.pixel(sx, sy) : image.pixel(sx, sy);
        d = value;
    });
    return true;
}

} // namespace plainquill::raster
