#include "platform/raster/raster_surface.h"

#include "platform/raster/raster_dc.h"

namespace plainquill::raster {

RasterSurface::RasterSurface(const RasterGraphics& graphics, contracts::Size size)
    : m_bitmap(contracts::Bitmap::create(size)), m_dc(RasterDc::forWindow(graphics.context(), m_bitmap))
{
}

RasterSurface::~RasterSurface() = default;

contracts::Dc& RasterSurface::dc() { return *m_dc; }

void RasterSurface::resize(contracts::Size size)
{
    m_bitmap = contracts::Bitmap::create(size);
    m_dc->retarget(m_bitmap);
}

} // namespace plainquill::raster
