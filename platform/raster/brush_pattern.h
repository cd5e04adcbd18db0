#pragma once
// What a brush puts at each pixel, given the DC state it is drawn with: hatch gaps follow the
// background mode, monochrome patterns take the text and background colours, and every colour
// is reduced to black or white on a monochrome target. Patterns are aligned to the DC's origin.
#include "controls/contracts/gdi_objects.h"

#include <cstdint>
#include <optional>

namespace plainquill::raster {

struct PatternContext {
    contracts::Colour textColour = contracts::kBlack;
    contracts::Colour bkColour = contracts::kWhite;
    contracts::BkMode bkMode = contracts::OPAQUE;
    bool monochromeTarget = false;
};

class BrushPattern {
public:
    BrushPattern(const contracts::Brush& brush, const PatternContext& context);

    bool isNull() const { return m_brush.isNull(); }
    bool isSolid() const { return m_brush.kind() == contracts::Brush::Kind::Solid; }
    // The colour of the brush at (x, y); nullopt where it leaves the pixel alone (hatch gaps
    // while the background mode is TRANSPARENT, and everywhere for the null brush).
    std::optional<contracts::Colour> at(int x, int y) const;

private:
    contracts::Colour forTarget(contracts::Colour c) const;

    contracts::Brush m_brush;
    PatternContext m_context;
};

// Row bits of the six 8 x 8 hatch patterns; bit 7 is the leftmost pixel, a set bit is a line.
bool hatchBitSet(int style, int x, int y);

} // namespace plainquill::raster
