#pragma once
// Glyphs from Qt's font engine, drawn without anti-aliasing: every pixel is either ink or not,
// as with the platform's default (unsmoothed) text at control sizes. That keeps text in exactly
// the text colour, which the controls rely on (pixel tests, "every pixel that differs from the
// background", masks built from drawn text), and makes rendering deterministic.
//
// Needs a QGuiApplication; without one, available() is false and text measures and draws as
// nothing. Rendered lines are cached, since controls redraw the same captions on every paint.
#include "controls/contracts/gdi_objects.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plainquill::raster {

// One line of text rendered to a coverage mask. The mask starts `maskLeft` pixels left of the pen
// position (glyphs may overhang their advance) and is `height` rows high from the line's top.
struct RenderedLine {
    int advance = 0; // the width the line takes in layout
    int height = 0;
    int ascent = 0;
    int maskLeft = 0;
    int maskWidth = 0;
    std::vector<std::uint8_t> ink; // maskWidth x height, row by row; 1 = ink
    // The access-key underline: columns [underlineFrom, underlineTo) relative to the pen position.
    bool hasUnderline = false;
    int underlineFrom = 0;
    int underlineTo = 0;
};

class TextEngine {
public:
    TextEngine();
    ~TextEngine();
    TextEngine(const TextEngine&) = delete;
    TextEngine& operator=(const TextEngine&) = delete;

    static bool available();
    static std::u16string toUtf16(std::string_view utf8);

    // `scale` > 1 gives the font as a screen of that many device pixels per logical pixel shows
    // it: the same face at `scale` times the pixel size, its metrics and glyphs in device pixels.
    contracts::TextMetrics metrics(const contracts::FontDescription& font, int scale = 1);
    int advance(const contracts::FontDescription& font, std::u16string_view text);
    // `underlineIndex` is the UTF-16 index of the character to underline, or -1. The reference
    // lasts until the next call.
    const RenderedLine& render(const contracts::FontDescription& font, const std::u16string& text,
                               int underlineIndex, bool rightToLeft, int scale = 1);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace plainquill::raster
