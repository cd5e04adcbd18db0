#pragma once
// The font-independent part of DrawText: access-key prefixes and line breaking. Widths come
// from a measuring function, so this is plain C++ and testable on its own.
#include "controls/contracts/gdi_objects.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plainquill::raster {

struct PrefixedText {
    std::u16string text;     // without the prefix characters
    int underlineIndex = -1; // the character to underline, or -1
};

// "&x" underlines x and drops the "&"; "&&" is one literal "&"; a lone "&" at the end is
// dropped. With several access keys the last one is underlined.
PrefixedText removePrefixes(std::u16string_view text);

struct TextLine {
    std::u16string text;
    int underlineIndex = -1; // within this line
    int width = 0;
};

using MeasureFn = std::function<int(std::u16string_view)>;

// Lines as DrawText lays them out:
//   - DT_SINGLELINE: one line; line feeds and carriage returns are dropped.
//   - otherwise every "\r\n", "\n" or "\r" ends a line (a final one adds no empty line);
//   - DT_WORDBREAK also breaks before a word that would pass maxWidth. A word wider than
//     maxWidth keeps a line to itself and is not split. The spaces at a break are dropped;
//     a line's width does not count its trailing spaces.
std::vector<TextLine> breakIntoLines(const PrefixedText& text, contracts::DrawTextFormat format, int maxWidth,
                                     const MeasureFn& measure);

} // namespace plainquill::raster
