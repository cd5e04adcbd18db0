// DrawText / DrawTextEx: layout from text_layout, glyphs from the text engine, drawn as ink
// in the text colour through the DC's clip and, unless DT_NOCLIP, the rectangle.
#include "platform/raster/raster_dc.h"
#include "platform/raster/text_layout.h"

#include <algorithm>

namespace plainquill::raster {

using namespace contracts;

namespace {

Rect scaledBy(const Rect& r, int s) { return {r.left * s, r.top * s, r.right * s, r.bottom * s}; }

} // namespace

// With a device layer the logical ink is not mirrored: the layer gets its own, sharper ink.
void RasterDc::blitInk(const RenderedLine& line, int penX, int top, const Rect* clip, Colour colour)
{
    const Mirror mirror = m_canvas.layer().isPresent() ? Mirror::No : Mirror::Yes;
    Rect area = Rect::fromSize(penX + line.maskLeft, top, line.maskWidth, line.height);
    if (clip)
        area = area.intersectedWith(*clip);
    m_canvas.forEachPixel(area, [&](int x, int y, std::uint32_t& d) {
        const int mx = x - penX - line.maskLeft, my = y - top;
        if (line.ink[static_cast<std::size_t>(my) * line.maskWidth + mx])
            d = colour;
    }, mirror);
    if (line.hasUnderline) {
        Rect under{penX + line.underlineFrom, top + line.ascent + 1, penX + line.underlineTo, top + line.ascent + 2};
        if (clip)
            under = under.intersectedWith(*clip);
        m_canvas.forEachPixel(under, [colour](int, int, std::uint32_t& d) { d = colour; }, mirror);
    }
}

// The device line keeps the logical line's baseline and box; only its own width may differ a
// little from the logical width enlarged, and alignment shares that difference out.
void RasterDc::blitDeviceInk(const TextLine& text, int penX, int top, const Rect* clip, DrawTextFormat format)
{
    const int s = m_scale;
    TextEngine& engine = m_context->text;
    const int baseline = (top + engine.metrics(m_font).ascent) * s;
    const RenderedLine& line = engine.render(m_font, text.text, text.underlineIndex, format & DT_RTLREADING, s);
    int x = penX * s;
    if (format & DT_CENTER)
        x += (text.width * s - line.advance) / 2;
    else if (format & DT_RIGHT)
        x += text.width * s - line.advance;
    const int y = baseline - line.ascent;
    const Rect limit = clip ? scaledBy(*clip, s) : m_canvas.layer().pixels.bounds();
    const Colour colour = m_textColour;
    const Rect area = Rect::fromSize(x + line.maskLeft, y, line.maskWidth, line.height).intersectedWith(limit);
    m_canvas.forEachDevicePixel(area, [&](int px, int py, std::uint32_t& d) {
        if (line.ink[static_cast<std::size_t>(py - y) * line.maskWidth + (px - x - line.maskLeft)])
            d = colour;
    });
    if (line.hasUnderline) {
        const Rect under{x + line.underlineFrom, baseline + s, x + line.underlineTo, baseline + 2 * s};
        m_canvas.forEachDevicePixel(under.intersectedWith(limit), [colour](int, int, std::uint32_t& d) { d = colour; });
    }
}

// Returns the text height as DrawText does; see Dc::drawText for the rules.
int RasterDc::layoutAndDrawText(const std::u16string& text, Rect& rect, DrawTextFormat format, int leftMargin,
                                int rightMargin)
{
    if (format & DT_SINGLELINE)
        format &= ~DT_WORDBREAK;
    const bool prefixes = !(format & DT_NOPREFIX);
    PrefixedText prefixed = prefixes ? removePrefixes(text) : PrefixedText{text, -1};
    if (format & DT_HIDEPREFIX)
        prefixed.underlineIndex = -1;
    const int boxLeft = rect.left + leftMargin, boxRight = rect.right - rightMargin;
    TextEngine& engine = m_context->text;
    const auto lines = breakIntoLines(prefixed, format, boxRight - boxLeft,
                                      [&](std::u16string_view s) { return engine.advance(m_font, s); });
    const int lineHeight = engine.metrics(m_font).height;
    const int textHeight = lineHeight * static_cast<int>(lines.size());
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const TextLine& l : lines)
            widest = std::max(widest, l.width);
        rect.right = rect.left + widest + leftMargin + rightMargin;
        rect.bottom = rect.top + textHeight;
        return textHeight;
    }
    return drawLines(lines, rect, format, boxLeft, boxRight, lineHeight);
}

int RasterDc::drawLines(const std::vector<TextLine>& lines, const Rect& rect, DrawTextFormat format, int boxLeft,
                        int boxRight, int lineHeight)
{
    int y = rect.top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        y = rect.top + (rect.bottom - rect.top) / 2 - lineHeight / 2;
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        y = rect.bottom - lineHeight;
    const Rect* clip = (format & DT_NOCLIP) ? nullptr : &rect;
    for (const TextLine& line : lines) {
        int x = boxLeft;
        if (format & DT_CENTER)
            x = (boxLeft + boxRight - line.width) / 2;
        else if (format & DT_RIGHT)
            x = boxRight - line.width;
        if (m_bkMode == OPAQUE) {
            const Rect box = Rect::fromSize(x, y, line.width, lineHeight);
            fillRect(clip ? box.intersectedWith(*clip) : box, Brush::solid(m_bkColour));
        }
        if (!line.text.empty() && m_context->drawsGlyphs) {
            blitInk(m_context->text.render(m_font, line.text, line.underlineIndex, format & DT_RTLREADING), x, y,
                    clip, m_textColour);
            if (m_canvas.layer().isPresent())
                blitDeviceInk(line, x, y, clip, format);
        }
        y += lineHeight;
    }
    return y - rect.top;
}

int RasterDc::drawText(std::string_view utf8, Rect& rect, DrawTextFormat format, DrawTextParams* params)
{
    syncScale();
    if (!TextEngine::available() || (params && params->cbSize != 20))
        return 0;
    if (params)
        params->lengthDrawn = static_cast<unsigned>(utf8.size());
    if (utf8.empty()) {
        if (format & DT_CALCRECT) {
            rect.right = rect.left;
            rect.bottom = rect.top;
        }
        return 0;
    }
    return layoutAndDrawText(TextEngine::toUtf16(utf8), rect, format, params ? params->leftMargin : 0,
                             params ? params->rightMargin : 0);
}

TextMetrics RasterDc::textMetrics() const { return m_context->text.metrics(m_font); }

Size RasterDc::textExtent(std::string_view utf8) const
{
    TextEngine& engine = m_context->text;
    return {engine.advance(m_font, TextEngine::toUtf16(utf8)), engine.metrics(m_font).height};
}

} // namespace plainquill::raster
