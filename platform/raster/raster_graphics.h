#pragma once
// The platform's Graphics: makes DCs and regions. Hosts create one per application (or per
// test), then a RasterSurface per control window from it.
#include "controls/contracts/graphics.h"
#include "platform/raster/raster_context.h"

#include <memory>

namespace plainquill::raster {

class RasterGraphics final : public contracts::Graphics {
public:
    // `colours` must outlive every DC made here; xpSystemColours() does.
    explicit RasterGraphics(const contracts::SystemColours& colours);

    std::unique_ptr<contracts::Dc> createScreenDc() override;
    std::unique_ptr<contracts::Dc> createMemoryDc() override;
    contracts::Region createRectRgn(const contracts::Rect& rect) override;
    contracts::Region createRoundRectRgn(const contracts::Rect& rect, int ellipseWidth, int ellipseHeight) override;
    contracts::Region createEllipticRgn(const contracts::Rect& rect) override;
    contracts::Region createPolygonRgn(std::span<const contracts::Point> points, contracts::PolyFillMode mode) override;
    contracts::Region combineRgn(const contracts::Region& a, const contracts::Region& b,
                                 contracts::RegionOp op) override;
    const contracts::SystemColours& systemColours() const override { return m_context->systemColours; }

    const std::shared_ptr<RasterContext>& context() const { return m_context; }

private:
    std::shared_ptr<RasterContext> m_context;
};

} // namespace plainquill::raster
