#include "platform/host/control_surface.h"

namespace plainquill::host {

using namespace contracts;

namespace {

void fill(raster::RasterSurface& surface, Colour colour)
{
    const Size s = surface.size();
    surface.dc().fillRect({0, 0, s.width, s.height}, Brush::solid(colour));
}

} // namespace

ControlSurface::ControlSurface(const raster::RasterGraphics& graphics, Size size)
    : m_window(graphics, size), m_image(graphics, size), m_size(size)
{
}

void ControlSurface::resize(Size size, Colour background)
{
    m_size = size;
    const Bitmap kept = m_image.bitmap().copy();
    const Bitmap keptLayer = m_image.scale() > 1 ? m_image.devicePixels().copy() : Bitmap{};
    m_image.resize(size);
    fill(m_image, background);
    m_image.paste(kept, keptLayer, m_image.scale());
    m_window.resize(size);
    showImage();
}

void ControlSurface::clearTo(Colour background)
{
    fill(m_image, background);
    showImage();
}

void ControlSurface::cls(Colour background)
{
    if (m_autoRedraw)
        fill(m_image, background);
    else
        showImage();
}

void ControlSurface::showImage() { m_window.copyFrom(m_image); }

void ControlSurface::setScale(int scale)
{
    m_image.setScale(scale);
    m_window.setScale(scale);
}

void ControlSurface::setColours(Colour text, Colour background)
{
    for (raster::RasterSurface* s : {&m_window, &m_image}) {
        s->dc().setTextColor(text);
        s->dc().setBkColor(background);
    }
}

void ControlSurface::setFont(const FontDescription& font)
{
    m_window.dc().selectFont(font);
    m_image.dc().selectFont(font);
}

} // namespace plainquill::host
