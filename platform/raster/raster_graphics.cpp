#include "platform/raster/raster_graphics.h"

#include "platform/raster/raster_dc.h"
#include "platform/raster/region_ops.h"
#include "platform/raster/shapes.h"

namespace plainquill::raster {

using contracts::Rect;
using contracts::Region;

RasterGraphics::RasterGraphics(const contracts::SystemColours& colours)
    : m_context(std::make_shared<RasterContext>(colours))
{
}

std::unique_ptr<contracts::Dc> RasterGraphics::createScreenDc() { return RasterDc::forWindow(m_context, {}); }

std::unique_ptr<contracts::Dc> RasterGraphics::createMemoryDc() { return RasterDc::forMemory(m_context); }

Region RasterGraphics::createRectRgn(const Rect& rect)
{
    const Rect r = rect.normalized();
    return r.isEmpty() ? Region{} : Region({r});
}

// The platform leaves out the last column and row of rounded shapes; see graphics.h.
Region RasterGraphics::createRoundRectRgn(const Rect& rect, int ellipseWidth, int ellipseHeight)
{
    const Rect r = rect.normalized();
    const Rect box{r.left, r.top, r.right - 1, r.bottom - 1};
    return regionFromRows(roundRectRows(box, std::abs(ellipseWidth), std::abs(ellipseHeight)));
}

Region RasterGraphics::createEllipticRgn(const Rect& rect)
{
    const Rect r = rect.normalized();
    return createRoundRectRgn(r, r.width(), r.height());
}

Region RasterGraphics::createPolygonRgn(std::span<const contracts::Point> points, contracts::PolyFillMode mode)
{
    return regionFromRows(polygonRows(points, mode));
}

Region RasterGraphics::combineRgn(const Region& a, const Region& b, contracts::RegionOp op)
{
    if (op == contracts::RGN_COPY)
        return a;
    return combineRegions(a, b, op);
}

} // namespace plainquill::raster
