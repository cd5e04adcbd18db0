#pragma once
// Scan conversion of the curved and polygonal shapes shared by regions and by Ellipse:
// each shape becomes one run of pixels per row (ellipses) or several (polygons).
#include "controls/contracts/gdi_objects.h"
#include "controls/contracts/geometry.h"

#include <span>
#include <vector>

namespace plainquill::raster {

struct Span {
    int left;
    int right; // exclusive
    friend bool operator==(const Span&, const Span&) = default;
};

struct RowSpans {
    int y;
    std::vector<Span> spans; // sorted, disjoint, non-empty
};

// The pixels whose centres lie inside the rectangle `box` with its corners rounded by quarter
// ellipses of ellipseWidth x ellipseHeight (clamped to the box). ellipseWidth = box width and
// ellipseHeight = box height give the ellipse inscribed in the box.
std::vector<RowSpans> roundRectRows(const contracts::Rect& box, int ellipseWidth, int ellipseHeight);

// The pixels whose top-left corner lies inside the polygon; corners on a left or top edge count
// as inside, on a right or bottom edge as outside.
std::vector<RowSpans> polygonRows(std::span<const contracts::Point> points, contracts::PolyFillMode mode);

} // namespace plainquill::raster
