#pragma once
// The Graphics one hosted control uses: the application's RasterGraphics, except that the screen
// and memory DCs it makes draw at the scale of the screen the control is on, so the buffers a
// control draws through keep their text as sharp as its window's.
#include "controls/contracts/graphics.h"
#include "platform/raster/raster_graphics.h"

#include <memory>

namespace plainquill::raster {

class ScaledGraphics final : public contracts::Graphics {
public:
    explicit ScaledGraphics(RasterGraphics& graphics) : m_graphics(graphics), m_scale(std::make_shared<int>(1)) {}

    int scale() const { return *m_scale; }
    // Memory DCs made here, and theirs, take the new scale up before they next draw.
    void setScale(int scale) { *m_scale = scale < 1 ? 1 : scale; }

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
    std::shared_ptr<int> m_scale;
};

} // namespace plainquill::raster
