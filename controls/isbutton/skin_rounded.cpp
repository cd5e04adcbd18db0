// Style 10, Rounded: a nine-part skin in three palettes (normal, hot, pressed). The edges are
// columns and rows of fixed colours; the corners are worked out from them: each corner pixel
// takes the colour the edges have at its depth inside the rounded outline, blended between the
// side and the top (or bottom) by its angle, so that the corner joins both edges and its outer
// pixels fade into the background (anti-aliasing).
#include "controls/isbutton/button_colours.h"
#include "controls/isbutton/is_button.h"
#include "controls/isbutton/skins.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace plainquill::isbutton {

using namespace contracts;

namespace {

struct Palette {
    Colour centre;
    std::array<Colour, 18> left;   // columns 0 .. 17
    std::array<Colour, 17> right;  // columns W-17 .. W-1
    std::array<Colour, 12> top;    // rows 0 .. 11
    std::array<Colour, 12> bottom; // rows H-11 .. H
    int topPatchRows;              // the top corners cover rows 0 .. topPatchRows - 1
    int bottomPatchRows;           // the bottom corners cover rows H - bottomPatchRows .. H - 1
};

constexpr Palette kNormal{
    0xEAE7E8,
    {0xF7F7F7, 0xA0A0A0, 0x999999, 0xC3C3C3, 0xC9C9C9, 0xD5D5D5, 0xD7D7D7, 0xDFDFDF, 0xE0E0E0, 0xE0E0E0, 0xE4E4E4,
     0xE6E8E6, 0xE8E7E7, 0xEAE7E8, 0xEAE7E8, 0xEAE7E8, 0xEAE7E8, 0xEAE7E8},
    {0xEAE7E8, 0xEAE7E8, 0xEAE7E8, 0xEAE7E8, 0xE7E7E7, 0xE6E6E6, 0xE4E4E4, 0xE0E0E0, 0xE0E0E0, 0xDEDEDE, 0xD9D9D9,
     0xD3D3D3, 0xCCCCCC, 0xC3C3C3, 0xA3A3A3, 0x9C9C9C, 0xF6F6F6},
    {0x67696A, 0xF5F4F6, 0xF3F2F4, 0xEEEEEE, 0xEBEBEB, 0xEBE8EA, 0xEBE8EA, 0xEAEAEA, 0xE1E1E1, 0xE5E2E3, 0xEAE7E8,
     0xE8EBE9},
    {0xE8EBE9, 0xEEF1EF, 0xF2F2F2, 0xF5F5F5, 0xFFFEFE, 0xFFFFFF, 0xFDFDFD, 0xFEFEFE, 0xFBFBFB, 0x545454, 0xC5C5C5,
     0xECECEC},
    13,
    10,
};

constexpr Palette kHot{
    0xE2A66A,
    {0xF7F7F7, 0xB0A09E, 0x712E13, 0xBD5F14, 0xD17327, 0xD47F31, 0xD98C3D, 0xD9944B, 0xD7944F, 0xDC9C55, 0xDC9B57,
     0xE3A362, 0xE3A265, 0xE2A367, 0xE0A165, 0xE3A66A, 0xE3A66A, 0xE2A66A},
    {0xE2A66A, 0xE2A66A, 0xE1A464, 0xE0A363, 0xE0A363, 0xE1A161, 0xE09F5B, 0xDE9855, 0xDC9752, 0xDB934B, 0xD68D39,
     0xD17F2D, 0xD67426, 0xC05D13, 0x7C3514, 0xAB9B98, 0xF6F6F6},
    {0x450608, 0xF1D4C9, 0xE5C8BD, 0xE8C0A1, 0xE0B898, 0xE3B48E, 0xE0B18B, 0xE9B47F, 0xCE9963, 0xDDA064, 0xE2A66A,
     0xE6AC76},
    {0xE6AC76, 0xF1B681, 0xF3BD8A, 0xFCC592, 0xF8CE97, 0xFED59E, 0xF7DDA3, 0xFFE6AD, 0xE9E2C5, 0x635D40, 0xC5C5C5,
     0xECECEC},
    11,
    12,
};

constexpr Palette kPressed{
    0xCC9B6A,
    {0xF7F7F7, 0xA99D9B, 0x632D17, 0xA65A1D, 0xB96C2E, 0xBC7738, 0xC18242, 0xC2894E, 0xC18A52, 0xC59157, 0xC59159,
     0xCC9863, 0xCC9665, 0xCB9767, 0xC99565, 0xCC9A6A, 0xCC9A6A, 0xCC9B6A},
    {0xCC9B6A, 0xCC9B6A, 0xCA9864, 0xC99763, 0xC99763, 0xCA9562, 0xC9945D, 0xC68E57, 0xC48C55, 0xC3884E, 0xBE823E,
     0xB97634, 0xBD6D2D, 0xA8581C, 0x6D3319, 0xA49794, 0xF6F6F6},
    {0x3C090A, 0xDEC7BE, 0xD3BCB2, 0xD4B39A, 0xCCAC92, 0xCFA88A, 0xCCA587, 0xD2A77D, 0xB98E62, 0xC69464, 0xCC9B6A,
     0xD0A175},
    {0xD0A175, 0xDAAA7F, 0xDCB087, 0xE4B88E, 0xE1BF93, 0xE7C699, 0xE2CC9D, 0xE9D5A6, 0xD7D2BA, 0x5A563E, 0xC5C5C5,
     0xECECEC},
    11,
    12,
};

// The given pixels of the normal palette's top-left corner: row 0 from x 6, row 1 from x 5.
constexpr std::array<Colour, 12> kNormalRow0{0xFEFEFE, 0xE6E6E6, 0xACACAC, 0x7A7A7A, 0x6C6C6C, 0x6B6B6B,
                                             0x6F6F6F, 0x716F6F, 0x727070, 0x676866, 0x6C6D6B, 0x67696A};
constexpr std::array<Colour, 13> kNormalRow1{0xEFEFEF, 0x939393, 0x676767, 0x797979, 0xB3B3B3, 0xDBDBDB, 0xEBEDEE,
                                             0xF5F4F6, 0xF5F4F6, 0xF5F4F6, 0xF5F4F6, 0xF5F4F6, 0xF5F4F6};

// The corner's radius: that of the window's 18 x 18 corner ellipses.
constexpr double kRadius = 9.0;

Colour mix(Colour a, Colour b, double t)
{
    const auto channel = [t](int x, int y) { return std::clamp(roundHalfEven(x + (y - x) * t), 0, 255); };
    return rgb(channel(redOf(a), redOf(b)), channel(greenOf(a), greenOf(b)), channel(blueOf(a), blueOf(b)));
}

// An edge's colour at a fractional depth (0 is its outermost line); past its last entry the
// centre colour.
Colour atDepth(const std::vector<Colour>& byDepth, double depth, Colour centre)
{
    if (depth >= static_cast<double>(byDepth.size() - 1))
        return depth >= static_cast<double>(byDepth.size()) ? centre : byDepth.back();
    const int i = static_cast<int>(std::floor(depth));
    return mix(byDepth[i], byDepth[i + 1], depth - i);
}

// One corner pixel, `dx` columns in from the side and `dy` rows in from the top (or bottom).
// Outside the rounded outline it fades from the outermost edge colour into `outside`.
Colour cornerPixel(const std::vector<Colour>& side, const std::vector<Colour>& end, int dx, int dy, Colour centre,
                   Colour outside)
{
    if (dy >= kRadius)
        return atDepth(side, dx, centre);
    if (dx >= kRadius)
        return atDepth(end, dy, centre);
    const double cx = kRadius - (dx + 0.5), cy = kRadius - (dy + 0.5);
    const double depth = kRadius - 0.5 - std::hypot(cx, cy);
    const double towardsEnd = std::atan2(cy, cx) / (std::numbers::pi / 2); // 0 beside the side, 1 beside the end
    const auto blended = [&](double d) { return mix(atDepth(side, d, centre), atDepth(end, d, centre), towardsEnd); };
    if (depth >= 0)
        return blended(depth);
    return mix(outside, blended(0), std::clamp(1.0 + depth, 0.0, 1.0));
}

// A palette's four corners by depth: [dy][dx], dx columns in from the side, dy rows in from the
// top or bottom. Worked out once per palette; they do not depend on the button's size.
struct Corners {
    static constexpr int kColumns = 18;
    static constexpr int kRows = 13;
    using Patch = std::array<std::array<Colour, kColumns>, kRows>;
    Patch topLeft, bottomLeft, topRight, bottomRight;
};

Corners::Patch patchOf(const std::vector<Colour>& side, const std::vector<Colour>& end, Colour centre, Colour outside)
{
    Corners::Patch patch{};
    for (int dy = 0; dy < Corners::kRows; ++dy)
        for (int dx = 0; dx < Corners::kColumns; ++dx)
            patch[dy][dx] = cornerPixel(side, end, dx, dy, centre, outside);
    return patch;
}

Corners cornersOf(const Palette& p)
{
    const std::vector<Colour> left(p.left.begin(), p.left.end());
    const std::vector<Colour> right(p.right.rbegin(), p.right.rend()); // from the outermost column in
    const std::vector<Colour> top(p.top.begin(), p.top.end());
    // Row H is outside the window: the bottom edge's depth 0 is row H - 1.
    const std::vector<Colour> bottom(p.bottom.rbegin() + 1, p.bottom.rend());
    const Colour outside = p.left.front();
    Corners c{patchOf(left, top, p.centre, outside), patchOf(left, bottom, p.centre, outside),
              patchOf(right, top, p.centre, outside), patchOf(right, bottom, p.centre, outside)};
    if (&p == &kNormal) {
        for (std::size_t i = 0; i < kNormalRow0.size(); ++i)
            c.topLeft[0][6 + i] = kNormalRow0[i];
        for (std::size_t i = 0; i < kNormalRow1.size(); ++i)
            c.topLeft[1][5 + i] = kNormalRow1[i];
    }
    return c;
}

const Corners& cornersFor(const Palette& p)
{
    static const Corners normal = cornersOf(kNormal), hot = cornersOf(kHot), pressed = cornersOf(kPressed);
    return &p == &kNormal ? normal : &p == &kHot ? hot : pressed;
}

// Top-left, bottom-left, top-right, bottom-right, set pixel by pixel.
void drawCorners(SkinCanvas& k, const Palette& p, int W, int H)
{
    const Corners& c = cornersFor(p);
    for (int y = 0; y < p.topPatchRows; ++y)
        for (int x = 0; x <= 17; ++x)
            k.pixel(x, y, c.topLeft[y][x]);
    for (int y = H - p.bottomPatchRows; y < H; ++y)
        for (int x = 0; x <= 17; ++x)
            k.pixel(x, y, c.bottomLeft[H - 1 - y][x]);
    for (int y = 0; y < p.topPatchRows; ++y)
        for (int x = W - 17; x < W; ++x)
            k.pixel(x, y, c.topRight[y][W - 1 - x]);
    for (int y = H - p.bottomPatchRows; y < H; ++y)
        for (int x = W - 17; x < W; ++x)
            k.pixel(x, y, c.bottomRight[H - 1 - y][W - 1 - x]);
}

const Palette& paletteFor(const SkinInput& in)
{
    switch (in.state) {
    case Normal:
    case Disabled:
        return in.hasFocus ? kHot : kNormal; // the focus alone shows the hot palette
    case Hot:
    case 5:
        return kHot;
    default:
        return kPressed;
    }
}

} // namespace

void drawRoundedSkin(SkinCanvas& k, const SkinInput& in)
{
    const int W = in.W, H = in.H;
    const Palette& p = paletteFor(in);
    k.fill(18, 11, W - 34, H - 19, p.centre);
    drawCorners(k, p, W, H);
    for (int x = 0; x <= 17; ++x)
        k.line(x, 11, x, H - 10, p.left[x]);
    for (int x = W - 17; x < W; ++x)
        k.line(x, 11, x, H - 10, p.right[x - (W - 17)]);
    for (int y = 0; y <= 11; ++y)
        k.line(17, y, W - 17, y, p.top[y]);
    for (int y = H - 11; y <= H; ++y)
        k.line(17, y, W - 17, y, p.bottom[y - (H - 11)]);
}

} // namespace plainquill::isbutton
