#pragma once
// A hosted control's pixels: the window (what is on screen) and the persistent image that
// AutoRedraw draws into and the window shows again whenever it has to repaint. Both are raster
// surfaces of the control's client size, at the scale of the screen the window is on.
#include "controls/contracts/drawing_surface.h"
#include "platform/raster/raster_graphics.h"
#include "platform/raster/raster_surface.h"

namespace plainquill::host {

class ControlSurface {
public:
    ControlSurface(const raster::RasterGraphics& graphics, contracts::Size size);

    int scale() const { return m_window.scale(); }
    // Both surfaces at the new scale, showing what they held enlarged until the control redraws.
    void setScale(int scale);

    // The client size; a size without area has no pixels but keeps its other side.
    contracts::Size size() const { return m_size; }
    // Resizing keeps what the persistent image holds (top left) and fills the new part with
    // `background`; the window shows the image afterwards.
    void resize(contracts::Size size, contracts::Colour background);

    // hDC: the persistent image while AutoRedraw is on, the window otherwise.
    contracts::Dc& drawingDc() { return m_autoRedraw ? m_image.dc() : m_window.dc(); }
    bool autoRedraw() const { return m_autoRedraw; }
    void setAutoRedraw(bool on) { m_autoRedraw = on; }

    const contracts::Bitmap& windowPixels() const { return m_window.bitmap(); }
    // What the screen shows of the window: its pixels at the surface's scale.
    const contracts::Bitmap& windowDevicePixels() const { return m_window.devicePixels(); }

    // Fills the persistent image with the colour and shows it.
    void clearTo(contracts::Colour background);
    // Cls: with AutoRedraw on the image is cleared; otherwise the window goes back to the image.
    void cls(contracts::Colour background);
    // The window shows the persistent image again (what a lost window looks like at first).
    void showImage();

    // The surface's colours and font are the DC defaults of both targets.
    void setColours(contracts::Colour text, contracts::Colour background);
    void setFont(const contracts::FontDescription& font);

private:
    raster::RasterSurface m_window;
    raster::RasterSurface m_image;
    contracts::Size m_size;
    bool m_autoRedraw = false;
};

} // namespace plainquill::host
