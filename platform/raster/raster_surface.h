#pragma once
// A control window's drawing surface for the host: a 32-bit bitmap of the window's size and
// the window DC drawing on it. The host hands dc() to the control as its hDC and shows
// devicePixels() (see qimage_bridge.h) when the window repaints.
//
// On a screen of more than one device pixel per logical pixel the surface has a scale: the
// control still draws in logical pixels, and the DC draws them into a device layer `scale` times
// larger as well, text at the layer's own resolution. The logical bitmap stays exactly what it is
// at scale 1, so reading pixels back, shapes and hit-testing do not depend on the screen.
#include "controls/contracts/bitmap.h"
#include "controls/contracts/drawing_surface.h"
#include "platform/raster/raster_graphics.h"

#include <memory>

namespace plainquill::raster {

class RasterDc;

class RasterSurface {
public:
    RasterSurface(const RasterGraphics& graphics, contracts::Size size, int scale = 1);
    ~RasterSurface();

    contracts::Dc& dc();
    const contracts::Bitmap& bitmap() const { return m_bitmap; }
    // What the screen shows: the device layer, or the bitmap itself at scale 1.
    const contracts::Bitmap& devicePixels() const { return m_layer.isNull() ? m_bitmap : m_layer; }
    contracts::Size size() const { return m_bitmap.size(); }
    int scale() const { return m_scale; }

    // New pixels (black) of the new size; the DC keeps its pen, brush, font, colours and modes.
    void resize(contracts::Size size);
    // Another screen: the layer becomes the bitmap enlarged, until the control draws again.
    void setScale(int scale);
    // The top left of `from` (both its bitmap and, where the scales agree, its layer).
    void copyFrom(const RasterSurface& from) { paste(from.m_bitmap, from.m_layer, from.m_scale); }
    // The top left of `pixels`, whose device layer at `layerScale` is `layer` (null: none).
    void paste(const contracts::Bitmap& pixels, const contracts::Bitmap& layer, int layerScale);

private:
    void retarget();

    contracts::Bitmap m_bitmap;
    contracts::Bitmap m_layer; // null at scale 1
    int m_scale;
    std::unique_ptr<RasterDc> m_dc;
};

} // namespace plainquill::raster
