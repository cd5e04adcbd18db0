#pragma once
// Building and combining regions. Internally a region is a list of bands (runs of rows sharing
// the same spans); the canonical form (touching bands with equal spans merged, spans joined)
// is what makes Region's == an equality of shapes.
#include "controls/contracts/gdi_objects.h"
#include "controls/contracts/region.h"
#include "platform/raster/shapes.h"

#include <vector>

namespace plainquill::raster {

contracts::Region regionFromRows(const std::vector<RowSpans>& rows);
contracts::Region combineRegions(const contracts::Region& a, const contracts::Region& b, contracts::RegionOp op);

} // namespace plainquill::raster
