#include "platform/raster/region_ops.h"

#include <algorithm>
#include <set>

namespace plainquill::raster {

using contracts::Rect;
using contracts::Region;

namespace {

struct Band {
    int top;
    int bottom;
    std::vector<Span> spans;
};

void appendBand(std::vector<Band>& bands, int top, int bottom, std::vector<Span> spans)
{
    if (spans.empty() || bottom <= top)
        return;
    if (!bands.empty() && bands.back().bottom == top && bands.back().spans == spans) {
        bands.back().bottom = bottom;
        return;
    }
    bands.push_back({top, bottom, std::move(spans)});
}

Region toRegion(const std::vector<Band>& bands)
{
    std::vector<Rect> rects;
    for (const Band& band : bands)
        for (const Span& s : band.spans)
            rects.push_back({s.left, band.top, s.right, band.bottom});
    return Region(std::move(rects));
}

std::vector<Band> bandsOf(const Region& region)
{
    std::vector<Band> bands;
    for (const Rect& r : region.rects()) {
        if (bands.empty() || bands.back().top != r.top || bands.back().bottom != r.bottom)
            bands.push_back({r.top, r.bottom, {}});
        bands.back().spans.push_back({r.left, r.right});
    }
    return bands;
}

const std::vector<Span>* spansAt(const std::vector<Band>& bands, int y)
{
    for (const Band& b : bands)
        if (y >= b.top && y < b.bottom)
            return &b.spans;
    return nullptr;
}

bool covers(const std::vector<Span>* spans, int x)
{
    if (!spans)
        return false;
    return std::any_of(spans->begin(), spans->end(), [x](const Span& s) { return x >= s.left && x < s.right; });
}

bool apply(contracts::RegionOp op, bool inA, bool inB)
{
    switch (op) {
    case contracts::RGN_AND: return inA && inB;
    case contracts::RGN_OR: return inA || inB;
    case contracts::RGN_XOR: return inA != inB;
    case contracts::RGN_DIFF: return inA && !inB;
    case contracts::RGN_COPY: return inA;
    }
    return false;
}

std::vector<Span> combineSpans(const std::vector<Span>* a, const std::vector<Span>* b, contracts::RegionOp op)
{
    std::set<int> edges;
    for (const auto* list : {a, b})
        if (list)
            for (const Span& s : *list)
                edges.insert({s.left, s.right});
    std::vector<Span> out;
    for (auto it = edges.begin(); it != edges.end() && std::next(it) != edges.end(); ++it) {
        const int x0 = *it, x1 = *std::next(it);
        if (!apply(op, covers(a, x0), covers(b, x0)))
            continue;
        if (!out.empty() && out.back().right == x0)
            out.back().right = x1;
        else
            out.push_back({x0, x1});
    }
    return out;
}

} // namespace

Region regionFromRows(const std::vector<RowSpans>& rows)
{
    std::vector<Band> bands;
    for (const RowSpans& row : rows)
        appendBand(bands, row.y, row.y + 1, row.spans);
    return toRegion(bands);
}

Region combineRegions(const Region& a, const Region& b, contracts::RegionOp op)
{
    const std::vector<Band> bandsA = bandsOf(a), bandsB = bandsOf(b);
    std::set<int> ys;
    for (const auto* bands : {&bandsA, &bandsB})
        for (const Band& band : *bands)
            ys.insert({band.top, band.bottom});
    std::vector<Band> result;
    for (auto it = ys.begin(); it != ys.end() && std::next(it) != ys.end(); ++it) {
        const int y0 = *it, y1 = *std::next(it);
        appendBand(result, y0, y1, combineSpans(spansAt(bandsA, y0), spansAt(bandsB, y0), op));
    }
    return toRegion(result);
}

} // namespace plainquill::raster
