#pragma once
// What every DC made by one RasterGraphics shares: the system colours (for edges, focus and
// disabled looks), the text engine with its caches, and the device layers of memory bitmaps.
#include "controls/contracts/system_colours.h"
#include "platform/raster/device_layers.h"
#include "platform/raster/text_engine.h"

namespace plainquill::raster {

struct RasterContext {
    explicit RasterContext(const contracts::SystemColours& colours) : systemColours(colours) {}

    const contracts::SystemColours& systemColours; // must outlive every DC
    TextEngine text;
    DeviceLayers layers;
    // False: text is measured and laid out as ever but leaves no ink, so that comparing with a
    // drawing that has it tells where a control's text lies.
    bool drawsGlyphs = true;
};

} // namespace plainquill::raster
