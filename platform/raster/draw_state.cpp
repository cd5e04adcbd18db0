// DrawState: text, bitmaps and icons drawn as they are, embossed (disabled) or as a one-colour
// silhouette. Every effect starts alike, whatever the content: it is first drawn black on white
// into a monochrome bitmap, which then serves as a stencil for a brush.
#include "platform/raster/raster_dc.h"
#include "platform/raster/text_layout.h"

#include <variant>

namespace plainquill::raster {

using namespace contracts;

namespace {

// PSDPxax: where the stencil is 0 (ink) the brush, where it is 1 the destination stays.
constexpr RasterOp kStencilWithBrush = 0x00B8074A;

bool kindMatches(const DrawStateContent& content, DrawStateFlags kind)
{
    switch (kind) {
    case DST_TEXT:
    case DST_PREFIXTEXT: return std::holds_alternative<std::string>(content);
    case DST_ICON: return std::holds_alternative<Icon>(content);
    case DST_BITMAP: return std::holds_alternative<Bitmap>(content);
    default: return false;
    }
}

} // namespace

Size RasterDc::naturalSize(const DrawStateContent& content, DrawStateFlags kind) const
{
    if (const auto* text = std::get_if<std::string>(&content)) {
        const std::u16string u16 = TextEngine::toUtf16(*text);
        const std::u16string shown = kind == DST_PREFIXTEXT ? removePrefixes(u16).text : u16;
        return {m_context->text.advance(m_font, shown), m_context->text.metrics(m_font).height};
    }
    if (const auto* icon = std::get_if<Icon>(&content))
        return icon->size();
    return std::get<Bitmap>(content).size();
}

// Draws the content at (0, 0) of `dc`, cut to cx x cy, with the DC's colours.
bool RasterDc::renderStateContent(Dc& dc, const DrawStateContent& content, int cx, int cy, DrawStateFlags kind)
{
    if (const auto* text = std::get_if<std::string>(&content)) {
        Rect r{0, 0, cx, cy};
        dc.setBkMode(TRANSPARENT);
        dc.drawText(*text, r, DT_NOCLIP | (kind == DST_PREFIXTEXT ? 0 : DT_NOPREFIX));
        return true;
    }
    if (const auto* icon = std::get_if<Icon>(&content))
        return dc.drawIconEx(0, 0, *icon, 0, 0, nullptr, DI_NORMAL);
    auto source = createCompatibleDc();
    source->selectBitmap(std::get<Bitmap>(content));
    return dc.bitBlt(0, 0, cx, cy, source.get(), 0, 0, SRCCOPY);
}

// DSS_NORMAL: the content as DrawText, BitBlt or DrawIconEx would draw it.
bool RasterDc::drawStateAsIs(const DrawStateContent& content, int x, int y, int cx, int cy, DrawStateFlags kind)
{
    if (const auto* text = std::get_if<std::string>(&content)) {
        Rect r{x, y, x + cx, y + cy};
        drawText(*text, r, DT_NOCLIP | (kind == DST_PREFIXTEXT ? 0 : DT_NOPREFIX));
        return true;
    }
    if (const auto* icon = std::get_if<Icon>(&content))
        return drawIconEx(x, y, *icon, 0, 0, nullptr, DI_NORMAL);
    auto source = createCompatibleDc();
    source->selectBitmap(std::get<Bitmap>(content));
    return bitBlt(x, y, cx, cy, source.get(), 0, 0, SRCCOPY);
}

// The stencil: the content drawn black on white, as a monochrome bitmap. Icons and colour bitmaps
// go through a colour bitmap first, so that "white" means the colour white rather than the nearer
// of black and white.
std::unique_ptr<Dc> RasterDc::stateStencil(const DrawStateContent& content, int cx, int cy, DrawStateFlags kind)
{
    auto colourDc = createCompatibleDc();
    colourDc->selectBitmap(Bitmap::create({cx, cy}));
    colourDc->patBlt(0, 0, cx, cy, WHITENESS);
    colourDc->selectFont(m_font);
    if (!renderStateContent(*colourDc, content, cx, cy, kind))
        return nullptr;
    auto stencil = createCompatibleDc();
    stencil->selectBitmap(Bitmap::create({cx, cy}, Bitmap::Format::Monochrome));
    stencil->bitBlt(0, 0, cx, cy, colourDc.get(), 0, 0, SRCCOPY); // white -> 1, everything else -> 0
    return stencil;
}

bool RasterDc::drawState(const Brush* brush, const DrawStateContent& content, int x, int y, int cx, int cy,
                         DrawStateFlags flags)
{
    syncScale();
    const DrawStateFlags kind = flags & 0xF;
    if (!kindMatches(content, kind))
        return false;
    const Size natural = naturalSize(content, kind);
    cx = cx > 0 ? cx : natural.width;
    cy = cy > 0 ? cy : natural.height;
    if (cx <= 0 || cy <= 0)
        return false;
    if (!(flags & (DSS_DISABLED | DSS_MONO)))
        return drawStateAsIs(content, x, y, cx, cy, kind);
    const auto stencil = stateStencil(content, cx, cy, kind);
    if (!stencil)
        return false;
    // The stencil's 1 bits must read as white and its 0 bits as black while it is blitted.
    const Colour savedText = setTextColor(kBlack), savedBk = setBkColor(kWhite);
    const Brush savedBrush = m_brush;
    if (flags & DSS_DISABLED) {
        m_brush = Brush::solid(sysColour(COLOR_3DHILIGHT));
        bitBlt(x + 1, y + 1, cx, cy, stencil.get(), 0, 0, kStencilWithBrush);
        m_brush = Brush::solid(sysColour(COLOR_3DSHADOW));
    } else {
        m_brush = brush ? *brush : Brush::solid(kBlack);
    }
    bitBlt(x, y, cx, cy, stencil.get(), 0, 0, kStencilWithBrush);
    m_brush = savedBrush;
    setTextColor(savedText);
    setBkColor(savedBk);
    return true;
}

} // namespace plainquill::raster
