#pragma once
// Ternary raster operations. A 32-bit ROP code carries in its third byte the truth table of
// the operation: bit (P * 4 + S * 2 + D) of that byte is the result for pattern bit P, source
// bit S and destination bit D. Evaluating the table bit-parallel over the 24 colour bits covers
// all 256 operations; the common ones get a direct path because blits run per pixel.
#include "controls/contracts/gdi_objects.h"

#include <cstdint>

namespace plainquill::raster {

inline std::uint8_t ropIndex(contracts::RasterOp rop) { return static_cast<std::uint8_t>(rop >> 16); }

// Whether the operation reads the source / the pattern at all.
inline bool ropUsesSource(std::uint8_t t) { return ((t >> 2) & 0x33) != (t & 0x33); }
inline bool ropUsesPattern(std::uint8_t t) { return ((t >> 4) & 0x0F) != (t & 0x0F); }

inline std::uint32_t applyRop(std::uint8_t t, std::uint32_t p, std::uint32_t s, std::uint32_t d)
{
    switch (t) {
    case 0xCC: return s;           // SRCCOPY
    case 0xF0: return p;           // PATCOPY
    case 0x88: return s & d;       // SRCAND
    case 0x66: return s ^ d;       // SRCINVERT
    case 0xEE: return s | d;       // SRCPAINT
    case 0x33: return ~s & 0xFFFFFFu; // NOTSRCCOPY
    case 0x5A: return p ^ d;       // PATINVERT
    default: break;
    }
    std::uint32_t r = 0;
    for (int i = 0; i < 8; ++i) {
        if (!(t & (1 << i)))
            continue;
        r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    }
    return r & 0xFFFFFFu;
}

} // namespace plainquill::raster
