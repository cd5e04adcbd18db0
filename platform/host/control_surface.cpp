#include "platform/host/control_surface.h"

namespace plainquill::host {

using namespace contracts;

namespace {

void fill(raster::RasterSurface& surface, Colour colour)
{
    const Size s = surface.size();
    surface.dc().fillRect({0, 0, s.width, s.height}, Brush::solid(colour));
}

void copy(raster::RasterSurface& to, const raster::RasterSurface& from)
{
    const Bitmap& source = from.bitmap();
    Bitmap target = to.bitmap();
    const int width = std::min(source.width(), target.width());
    for (int y = 0; y < std::min(source.height(), target.height()); ++y)
        std::copy_n(source.row(y), width, target.row(y));
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
    m_image.resize(size);
    fill(m_image, background);
    Bitmap target = m_image.bitmap();
    const int width = std::min(kept.width(), target.width());
    for (int y = 0; y < std::min(kept.height(), target.height()); ++y)
        std::copy_n(kept.row(y), width, target.row(y));
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

void ControlSurface::showImage() { copy(m_window, m_image); }

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
