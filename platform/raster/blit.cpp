// BitBlt and StretchBlt: source, pattern and destination combined by a ternary raster operation,
// with the platform's colour <-> monochrome conversions.
#include "platform/raster/raster_dc.h"
#include "platform/raster/rop.h"

#include <algorithm>
#include <optional>

namespace plainquill::raster {

using contracts::Bitmap;
using contracts::Colour;
using contracts::Rect;

namespace {

// Reads source pixels already converted to the destination's format:
//   monochrome -> colour: 0 bits take the destination's text colour, 1 bits its background colour;
//   colour -> monochrome: pixels equal to the source DC's background colour become 1 (white).
class SourceSampler {
public:
    SourceSampler(const Bitmap& source, Colour sourceBk, bool destMono, Colour destText, Colour destBk)
        : m_source(source), m_sourceBk(sourceBk), m_destMono(destMono), m_destText(destText), m_destBk(destBk)
    {
    }

    std::optional<std::uint32_t> at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_source.width() || y >= m_source.height())
            return std::nullopt; // outside the source: the pixel is not drawn
        return convert(m_source.pixel(x, y));
    }

    bool convertsNothing() const { return m_source.isMonochrome() == m_destMono; }

    std::uint32_t convert(Colour s) const
    {
        if (m_source.isMonochrome() && !m_destMono)
            return s == contracts::kWhite ? m_destBk : m_destText;
        if (!m_source.isMonochrome() && m_destMono)
            return s == m_sourceBk ? contracts::kWhite : contracts::kBlack;
        return s;
    }

private:
    Bitmap m_source;
    Colour m_sourceBk;
    bool m_destMono;
    Colour m_destText;
    Colour m_destBk;
};

} // namespace

// Unstretched blits run row by row, and a plain copy between bitmaps of one format is a row copy:
// this is the transfer of every buffered repaint.
bool RasterDc::bitBlt(int x, int y, int width, int height, const contracts::Dc* source, int srcX, int srcY,
                      contracts::RasterOp rop)
{
    syncScale();
    const std::uint8_t code = ropIndex(rop);
    if (width == 0 || height == 0)
        return false;
    const BrushPattern pattern(m_brush, patternContext());
    // Source and destination reach back by the same rule, so a negative extent copies unmirrored.
    const Rect area = extentArea(x, y, width, height);
    srcX += area.left - x;
    srcY += area.top - y;
    x = area.left;
    y = area.top;
    if (!ropUsesSource(code)) {
        patternFill(area, pattern, code);
        return true;
    }
    const auto* src = dynamic_cast<const RasterDc*>(source);
    if (!src || src->m_bitmap.isNull())
        return false;
    blitSource(*src, area, srcX - x, srcY - y, code, pattern);
    return true;
}

// The source's pixels onto `area`, each read (dx, dy) away from where it lands.
void RasterDc::blitSource(const RasterDc& src, const Rect& area, int dx, int dy, std::uint8_t code,
                          const BrushPattern& pattern)
{
    const bool samePixels = src.m_bitmap.sharesPixelsWith(m_bitmap);
    const Bitmap pixels = samePixels ? src.m_bitmap.copy() : src.m_bitmap;
    const bool sharpSource = sharesScaleWith(src);
    // Taken before the logical pass, which mirrors into the layer it may share with the source.
    const Bitmap sourceLayer = !sharpSource ? Bitmap{} : samePixels ? src.m_layer.copy() : src.m_layer;
    const SourceSampler sampler(pixels, src.m_bkColour, m_bitmap.isMonochrome(), m_textColour, m_bkColour);
    const Rect insideSource = area.intersectedWith(pixels.bounds().offsetBy(-dx, -dy));
    const bool plainCopy = code == 0xCC && sampler.convertsNothing();
    const bool usesPattern = ropUsesPattern(code);
    m_canvas.forEachSpan(insideSource, [&](int row, int x0, int x1) {
        const std::uint32_t* s = pixels.row(row + dy) + x0 + dx;
        std::uint32_t* d = m_canvas.row(row) + x0;
        if (plainCopy) {
            std::copy(s, s + (x1 - x0), d);
            return;
        }
        for (int px = x0; px < x1; ++px, ++s, ++d) {
            std::uint32_t p = 0;
            if (usesPattern) {
                const auto at = pattern.at(px, row);
                if (!at)
                    continue;
                p = *at;
            }
            *d = applyRop(code, p, sampler.convert(*s), *d);
        }
    }, sharpSource ? Mirror::No : Mirror::Yes); // the layer's own pass must read its destination unchanged
    if (sharpSource)
        blitDeviceLayer(src, sourceLayer, insideSource, dx, dy, code, pattern);
}

bool RasterDc::sharesScaleWith(const RasterDc& src) const
{
    return m_canvas.layer().isPresent() && !src.m_layer.isNull() && src.m_scale == m_scale;
}

// The pattern stays a logical one: each of its pixels covers a whole device block.
void RasterDc::blitDeviceLayer(const RasterDc& src, const Bitmap& sourceLayer, const Rect& area, int dx, int dy,
                               std::uint8_t code, const BrushPattern& pattern)
{
    const int s = m_scale;
    const SourceSampler sampler(sourceLayer, src.m_bkColour, m_bitmap.isMonochrome(), m_textColour, m_bkColour);
    const bool usesPattern = ropUsesPattern(code);
    const Rect deviceArea{area.left * s, area.top * s, area.right * s, area.bottom * s};
    m_canvas.forEachDevicePixel(deviceArea, [&](int x, int y, std::uint32_t& d) {
        std::uint32_t p = 0;
        if (usesPattern) {
            const auto at = pattern.at(x / s, y / s);
            if (!at)
                return;
            p = *at;
        }
        d = applyRop(code, p, sampler.convert(sourceLayer.pixel(x + dx * s, y + dy * s)), d);
    });
}

// Nearest-pixel stretching: destination column i takes source column srcX + i * srcWidth / width
// (likewise for rows), which deletes or repeats whole columns and rows.
bool RasterDc::stretchBlt(int x, int y, int width, int height, const contracts::Dc* source, int srcX, int srcY,
                          int srcWidth, int srcHeight, contracts::RasterOp rop)
{
    syncScale();
    const std::uint8_t code = ropIndex(rop);
    if (width <= 0 || height <= 0)
        return false;
    // Unstretched it is a BitBlt, whose device layer pass keeps sharp text sharp.
    if (m_scale > 1 && ropUsesSource(code) && width == srcWidth && height == srcHeight)
        return bitBlt(x, y, width, height, source, srcX, srcY, rop);
    std::optional<SourceSampler> sampler;
    if (ropUsesSource(code)) {
        const auto* src = dynamic_cast<const RasterDc*>(source);
        if (!src || src->m_bitmap.isNull() || srcWidth <= 0 || srcHeight <= 0)
            return false;
        // Reading and writing the same pixels: read from a snapshot.
        const Bitmap pixels = src->m_bitmap.sharesPixelsWith(m_bitmap) ? src->m_bitmap.copy() : src->m_bitmap;
        sampler.emplace(pixels, src->m_bkColour, m_bitmap.isMonochrome(), m_textColour, m_bkColour);
    }
    const BrushPattern pattern(m_brush, patternContext());
    const bool usesPattern = ropUsesPattern(code);
    m_canvas.forEachPixel(Rect::fromSize(x, y, width, height), [&](int dx, int dy, std::uint32_t& d) {
        std::uint32_t s = 0, p = 0;
        if (sampler) {
            const long long i = dx - x, j = dy - y;
            const auto at = sampler->at(srcX + static_cast<int>(i * srcWidth / width),
                                        srcY + static_cast<int>(j * srcHeight / height));
            if (!at)
                return;
            s = *at;
        }
        if (usesPattern) {
            const auto at = pattern.at(dx, dy);
            if (!at)
                return;
            p = *at;
        }
        d = applyRop(code, p, s, d);
    });
    return true;
}

} // namespace plainquill::raster
