#pragma once
// A control window's drawing surface for the host: a 32-bit bitmap of the window's size and
// the window DC drawing on it. The host hands dc() to the control as its hDC and shows
// bitmap() (see qimage_bridge.h) when the window repaints.
#include "controls/contracts/bitmap.h"
#include "controls/contracts/drawing_surface.h"
#include "platform/raster/raster_graphics.h"

#include <memory>

namespace plainquill::raster {

class RasterDc;

class RasterSurface {
public:
    RasterSurface(const RasterGraphics& graphics, contracts::Size size);
    ~RasterSurface();

    contracts::Dc& dc();
    const contracts::Bitmap& bitmap() const { return m_bitmap; }
    contracts::Size size() const { return m_bitmap.size(); }

    // New pixels (black) of the new size; the DC keeps its pen, brush, font, colours and modes.
    void resize(contracts::Size size);

private:
    contracts::Bitmap m_bitmap;
    std::unique_ptr<RasterDc> m_dc;
};

} // namespace plainquill::raster
