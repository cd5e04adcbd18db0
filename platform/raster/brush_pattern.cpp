#include "platform/raster/brush_pattern.h"

#include <array>

namespace plainquill::raster {

using contracts::Brush;
using contracts::Colour;

namespace {

constexpr std::array<std::array<std::uint8_t, 8>, 6> kHatchRows = {{
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}, // HS_HORIZONTAL: row 3
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // HS_VERTICAL: column 4
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // HS_FDIAGONAL: x == y
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // HS_BDIAGONAL: x == 7 - y
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}, // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // HS_DIAGCROSS
}};

int wrap(int value, int period)
{
    const int r = value % period;
    return r < 0 ? r + period : r;
}

} // namespace

bool hatchBitSet(int style, int x, int y)
{
    return kHatchRows[style][wrap(y, 8)] & (0x80 >> wrap(x, 8));
}

BrushPattern::BrushPattern(const Brush& brush, const PatternContext& context)
    : m_brush(brush), m_context(context)
{
}

Colour BrushPattern::forTarget(Colour c) const
{
    return m_context.monochromeTarget ? contracts::Bitmap::nearestMonochrome(c) : c;
}

std::optional<Colour> BrushPattern::at(int x, int y) const
{
    switch (m_brush.kind()) {
    case Brush::Kind::Null:
        return std::nullopt;
    case Brush::Kind::Solid:
        return forTarget(m_brush.colour());
    case Brush::Kind::Hatch:
        if (hatchBitSet(m_brush.hatchStyle(), x, y))
            return forTarget(m_brush.colour());
        if (m_context.bkMode == contracts::TRANSPARENT)
            return std::nullopt;
        return forTarget(m_context.bkColour);
    case Brush::Kind::Pattern: {
        const contracts::Bitmap& bits = m_brush.patternBitmap();
        const Colour c = bits.pixel(wrap(x, bits.width()), wrap(y, bits.height()));
        if (!bits.isMonochrome())
            return forTarget(c);
        if (m_context.monochromeTarget)
            return c;
        return c == contracts::kWhite ? m_context.bkColour : m_context.textColour;
    }
    }
    return std::nullopt;
}

} // namespace plainquill::raster
