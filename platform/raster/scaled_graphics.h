#pragma once
// The Graphics one hosted control uses: the application's RasterGraphics, except that the screen
// and memory DCs it makes draw at the scale of the screen the control is on, so the buffers a
// control draws through keep their text as sharp as its window's.
#include "controls/contracts/graphics.h"
#include "platform/raster/raster_graphics.h"

namespace plainquill::raster {

class ScaledGraphics final : public contracts::Graphics {
public:
    explicit ScaledGraphics(RasterGraphics& graphics) : m_graphics(graphics) {}

    int scale() const { return m_scale; }
    // For DCs made from now on; those made before keep theirs (their pixels stay right, their text
    // is enlarged rather than redrawn).
    void setScale(int scale) { m_scale = scale < 1 ? 1 : scale; }

    std::unique_ptr<contracts::Dc> createScreenDc() override;
    std::unique_ptr<contracts::Dc> createMemoryDc() override;
    contracts::Region createRectRgn(const contracts::Rect& rect) override { return m_graphics.createRectRgn(rect); }
    contracts::Region createRoundRectRgn(const contracts::Rect& rect, int ellipseWidth, int ellipseHeight) override
    {
        return m_graphics.createRoundRectRgn(rect, ellipseWidth, ellipseHeight);
    }
    contracts::Region createEllipticRgn(const contracts::Rect& rect) override
    {
        return m_graphics.createEllipticRgn(rect);
    }
    contracts::Region createPolygonRgn(std::span<const contracts::Point> points, contracts::PolyFillMode mode) override
    {
        return m_graphics.createPolygonRgn(points, mode);
    }
    contracts::Region combineRgn(const contracts::Region& a, const contracts::Region& b,
                                 contracts::RegionOp op) override
    {
        return m_graphics.combineRgn(a, b, op);
    }
    const contracts::SystemColours& systemColours() const override { return m_graphics.systemColours(); }

    RasterGraphics& raster() { return m_graphics; }

private:
    RasterGraphics& m_graphics;
    int m_scale = 1;
};

} // namespace plainquill::raster
