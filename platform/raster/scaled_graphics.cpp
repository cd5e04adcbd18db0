#include "platform/raster/scaled_graphics.h"

#include "platform/raster/raster_dc.h"

namespace plainquill::raster {

std::unique_ptr<contracts::Dc> ScaledGraphics::createScreenDc()
{
    return RasterDc::forScreen(m_graphics.context(), m_scale);
}

std::unique_ptr<contracts::Dc> ScaledGraphics::createMemoryDc()
{
    return RasterDc::forMemory(m_graphics.context(), m_scale);
}

} // namespace plainquill::raster
