#pragma once
// What every DC made by one RasterGraphics shares: the system colours (for edges, focus and
// disabled looks) and the text engine with its caches.
#include "controls/contracts/system_colours.h"
#include "platform/raster/text_engine.h"

namespace plainquill::raster {

struct RasterContext {
    explicit RasterContext(const contracts::SystemColours& colours) : systemColours(colours) {}

    const contracts::SystemColours& systemColours; // must outlive every DC
    TextEngine text;
};

} // namespace plainquill::raster
