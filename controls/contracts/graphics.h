#pragma once
// What the platform's graphics library offers a control besides drawing on a Dc: screen
// compatible memory DCs, regions for window shapes, and the system colours. The host hands a
// control one Graphics together with its window's Dc.
#include "controls/contracts/drawing_surface.h"
#include "controls/contracts/gdi_objects.h"
#include "controls/contracts/geometry.h"
#include "controls/contracts/region.h"
#include "controls/contracts/system_colours.h"

#include <memory>
#include <span>

namespace plainquill::contracts {

class Graphics {
public:
    virtual ~Graphics() = default;

    // CreateDCA("DISPLAY"): a DC of the screen, good for making compatible DCs and bitmaps
    // (32-bit); it has no pixels of its own, so drawing on it does nothing.
    virtual std::unique_ptr<Dc> createScreenDc() = 0;
    // CreateCompatibleDC(NULL): a memory DC compatible with the screen.
    virtual std::unique_ptr<Dc> createMemoryDc() = 0;

    // CreateRectRgn: the pixels of the rectangle (edges given either way round).
    virtual Region createRectRgn(const Rect& rect) = 0;
    // CreateRoundRectRgn / CreateEllipticRgn. As on the platform, the shape covers one pixel less
    // at the right and the bottom than the rectangle says: (0, 0, W + 1, H + 1) shapes a W x H
    // window. A pixel belongs to the shape when its centre lies inside the rounded outline.
    virtual Region createRoundRectRgn(const Rect& rect, int ellipseWidth, int ellipseHeight) = 0;
    virtual Region createEllipticRgn(const Rect& rect) = 0;
    // CreatePolygonRgn: a pixel belongs to the region when its top-left corner lies inside the
    // polygon; corners on a left or top edge count as inside, on a right or bottom edge as outside
    // (so the polygon of a rectangle's corners gives exactly CreateRectRgn of it).
    virtual Region createPolygonRgn(std::span<const Point> points, PolyFillMode mode) = 0;
    // CombineRgn
    virtual Region combineRgn(const Region& a, const Region& b, RegionOp op) = 0;

    virtual const SystemColours& systemColours() const = 0;
};

} // namespace plainquill::contracts
