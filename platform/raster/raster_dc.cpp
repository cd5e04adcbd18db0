// State, object selection and single pixels of the raster DC.
#include "platform/raster/raster_dc.h"

#include <algorithm>

namespace plainquill::raster {

using contracts::Bitmap;
using contracts::Colour;
using contracts::Point;

RasterDc::RasterDc(Kind kind, std::shared_ptr<RasterContext> context, Bitmap target, ScaleSource scale)
    : m_kind(kind), m_context(std::move(context)), m_bitmap(std::move(target)), m_scale(scale ? std::max(1, *scale) : 1),
      m_follows(std::move(scale))
{
    if (m_kind == Kind::Memory)
        m_layer = enlarged(m_bitmap, m_scale); // the stock bitmap: not worth keeping in the store
    rebuildCanvas();
}

std::unique_ptr<RasterDc> RasterDc::forWindow(std::shared_ptr<RasterContext> context, Bitmap surface,
                                              DeviceLayer layer)
{
    auto own = std::make_shared<int>(std::max(1, layer.scale));
    std::unique_ptr<RasterDc> dc(new RasterDc(Kind::Window, std::move(context), {}, own));
    dc->m_ownScale = std::move(own);
    dc->retarget(std::move(surface), std::move(layer));
    return dc;
}

std::unique_ptr<RasterDc> RasterDc::forScreen(std::shared_ptr<RasterContext> context, ScaleSource scale)
{
    return std::unique_ptr<RasterDc>(new RasterDc(Kind::Window, std::move(context), {}, std::move(scale)));
}

std::unique_ptr<RasterDc> RasterDc::forMemory(std::shared_ptr<RasterContext> context, ScaleSource scale)
{
    Bitmap stock = Bitmap::create({1, 1}, Bitmap::Format::Monochrome);
    return std::unique_ptr<RasterDc>(new RasterDc(Kind::Memory, std::move(context), std::move(stock), std::move(scale)));
}

void RasterDc::retarget(Bitmap surface, DeviceLayer layer)
{
    m_bitmap = std::move(surface);
    m_scale = std::max(1, layer.scale);
    m_layer = std::move(layer.pixels);
    if (m_ownScale)
        *m_ownScale = m_scale;
    rebuildCanvas();
}

void RasterDc::syncScale()
{
    if (m_kind != Kind::Memory || !m_follows || std::max(1, *m_follows) == m_scale)
        return;
    m_scale = std::max(1, *m_follows);
    m_layer = m_context->layers.layerFor(m_bitmap, m_scale);
    rebuildCanvas();
}

void RasterDc::rebuildCanvas() { m_canvas = Canvas(m_bitmap, m_clip, {m_layer, m_scale}); }

PatternContext RasterDc::patternContext() const
{
    return {m_textColour, m_bkColour, m_bkMode, m_bitmap.isMonochrome()};
}

contracts::Size RasterDc::size() const { return m_bitmap.size(); }

int RasterDc::bitsPerPixel() const { return m_bitmap.isNull() ? 32 : m_bitmap.bitsPerPixel(); }

std::unique_ptr<contracts::Dc> RasterDc::createCompatibleDc() const
{
    // A window's memory DCs follow the window's scale; a memory DC's follow what it follows.
    return forMemory(m_context, m_follows ? m_follows : std::make_shared<const int>(m_scale));
}

Bitmap RasterDc::createCompatibleBitmap(contracts::Size size) const
{
    if (size.isEmpty())
        return Bitmap::create({1, 1}, Bitmap::Format::Monochrome);
    return Bitmap::create(size, bitsPerPixel() == 1 ? Bitmap::Format::Monochrome : Bitmap::Format::Colour32);
}

Bitmap RasterDc::selectBitmap(const Bitmap& bitmap)
{
    if (m_kind != Kind::Memory || bitmap.isNull())
        return {};
    syncScale();
    Bitmap previous = m_bitmap;
    m_bitmap = bitmap;
    m_layer = m_context->layers.layerFor(bitmap, m_scale);
    m_clip.reset();
    rebuildCanvas();
    return previous;
}

Bitmap RasterDc::selectedBitmap() const { return m_kind == Kind::Memory ? m_bitmap : Bitmap{}; }

contracts::Pen RasterDc::selectPen(const contracts::Pen& pen)
{
    return std::exchange(m_pen, pen);
}

contracts::Brush RasterDc::selectBrush(const contracts::Brush& brush)
{
    return std::exchange(m_brush, brush);
}

contracts::FontDescription RasterDc::selectFont(const contracts::FontDescription& font)
{
    return std::exchange(m_font, font);
}

Colour RasterDc::setTextColor(Colour colour) { return std::exchange(m_textColour, colour & 0xFFFFFFu); }

Colour RasterDc::setBkColor(Colour colour) { return std::exchange(m_bkColour, colour & 0xFFFFFFu); }

contracts::BkMode RasterDc::setBkMode(contracts::BkMode mode)
{
    if (mode != contracts::TRANSPARENT && mode != contracts::OPAQUE)
        return contracts::BkMode{0}; // the platform's failure value; the mode stays
    return std::exchange(m_bkMode, mode);
}

void RasterDc::selectClipRegion(const contracts::Region* region)
{
    if (region)
        m_clip = *region;
    else
        m_clip.reset();
    rebuildCanvas();
}

void RasterDc::plot(int x, int y, Colour colour)
{
    if (m_canvas.isVisible(x, y))
        m_canvas.setPixel(x, y, colour);
}

void RasterDc::setPixelV(Point p, Colour colour)
{
    syncScale();
    plot(p.x, p.y, colour & 0xFFFFFFu);
}

Colour RasterDc::getPixel(Point p) const
{
    if (!m_canvas.isVisible(p.x, p.y))
        return contracts::CLR_INVALID;
    return m_canvas.pixel(p.x, p.y);
}

Colour RasterDc::getNearestColor(Colour colour) const
{
    colour &= 0xFFFFFFu;
    return m_bitmap.isMonochrome() ? Bitmap::nearestMonochrome(colour) : colour;
}

Point RasterDc::moveTo(Point p) { return std::exchange(m_position, p); }

} // namespace plainquill::raster
