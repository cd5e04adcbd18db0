#include "platform/raster/raster_surface.h"

#include "platform/raster/raster_dc.h"

#include <algorithm>

namespace plainquill::raster {

using contracts::Bitmap;

namespace {

void copyTopLeft(const Bitmap& source, Bitmap target)
{
    if (source.isNull() || target.isNull())
        return;
    const int width = std::min(source.width(), target.width());
    for (int y = 0; y < std::min(source.height(), target.height()); ++y)
        std::copy_n(source.row(y), width, target.row(y));
}

} // namespace

RasterSurface::RasterSurface(const RasterGraphics& graphics, contracts::Size size, int scale)
    : m_bitmap(Bitmap::create(size)), m_scale(std::max(1, scale)),
      m_dc(RasterDc::forWindow(graphics.context(), m_bitmap))
{
    retarget();
}

RasterSurface::~RasterSurface() = default;

contracts::Dc& RasterSurface::dc() { return *m_dc; }

void RasterSurface::retarget()
{
    m_layer = enlarged(m_bitmap, m_scale);
    m_dc->retarget(m_bitmap, {m_layer, m_scale});
}

void RasterSurface::resize(contracts::Size size)
{
    m_bitmap = Bitmap::create(size);
    retarget();
}

void RasterSurface::setScale(int scale)
{
    m_scale = std::max(1, scale);
    retarget();
}

void RasterSurface::paste(const Bitmap& pixels, const Bitmap& layer, int layerScale)
{
    copyTopLeft(pixels, m_bitmap);
    if (m_layer.isNull())
        return;
    if (layerScale == m_scale && !layer.isNull())
        copyTopLeft(layer, m_layer);
    else
        copyTopLeft(enlarged(pixels, m_scale), m_layer);
}

} // namespace plainquill::raster
