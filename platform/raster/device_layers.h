#pragma once
// The device layers of memory bitmaps, found again by bitmap: a control draws into a bitmap
// through one memory DC and hands the bitmap itself on (to DrawState, or into another DC), and
// its sharp text must go with it.
//
// The logical pixels stay the truth: a bitmap without a layer here is shown enlarged, which is
// right in every pixel but text. So the store may forget, and does: it keeps the most recently
// used layers only (at most kKept, and no more than kKeptPixels device pixels in all), which
// bounds what bitmaps made for a single paint leave behind.
#include "controls/contracts/bitmap.h"

#include <cstddef>
#include <list>

namespace plainquill::raster {

class DeviceLayers {
public:
    // The layer of `bitmap` at `scale`, made from its pixels when none is kept (or when the kept
    // one no longer fits the bitmap). Null for a null bitmap or scale 1.
    contracts::Bitmap layerFor(const contracts::Bitmap& bitmap, int scale);
    // The kept layer, or null.
    contracts::Bitmap find(const contracts::Bitmap& bitmap, int scale);

private:
    struct Entry {
        contracts::Bitmap bitmap;
        contracts::Bitmap layer;
        int scale;
    };
    static constexpr std::size_t kKept = 64;
    static constexpr std::size_t kKeptPixels = 8u << 20; // 32 MB

    void forgetOldest();

    std::list<Entry> m_entries; // most recently used first
    std::size_t m_pixels = 0;   // in the kept layers
};

} // namespace plainquill::raster
