#pragma once
// Pens, brushes and font descriptions as small value types, and the flag values of the drawing
// calls. The flag constants keep the platform's names and numbers because the controls store
// and compute them as numbers (a caption format of 0x15, DrawState flags of 36).
//
// Pens, brushes and fonts are selected into a Dc by value; the Dc keeps its own copy and hands
// back the previous one, so "select, draw, select the old one back" reads as it does on the
// platform and there is nothing to delete.
#include "controls/contracts/bitmap.h"
#include "controls/contracts/colour.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace plainquill::contracts {

// ---- pens ------------------------------------------------------------------------------------
enum PenStyle : int { PS_SOLID = 0, PS_NULL = 5 };

struct Pen {
    int style = PS_SOLID; // any style other than PS_NULL draws solid
    int width = 1;        // 0 and 1 both draw one pixel wide lines
    Colour colour = kBlack;

    static Pen solid(Colour colour, int width = 1) { return {PS_SOLID, width, colour}; }
    static Pen null() { return {PS_NULL, 1, kBlack}; }
    bool isNull() const { return style == PS_NULL; }

    friend bool operator==(const Pen&, const Pen&) = default;
};

// ---- brushes ---------------------------------------------------------------------------------
enum HatchStyle : int {
    HS_HORIZONTAL = 0, // -----
    HS_VERTICAL = 1,   // |||||
    HS_FDIAGONAL = 2,  // \\\\\ (down from left to right)
    HS_BDIAGONAL = 3,  // ///// (up from left to right)
    HS_CROSS = 4,      // +++++
    HS_DIAGCROSS = 5,  // xxxxx
};

class Brush {
public:
    enum class Kind { Null, Solid, Hatch, Pattern };

    Brush() = default; // the null brush: fills nothing

    static Brush null() { return {}; }
    // CreateSolidBrush
    static Brush solid(Colour colour)
    {
        Brush b;
        b.m_kind = Kind::Solid;
        b.m_colour = colour & 0x00FFFFFFu;
        return b;
    }
    // CreateHatchBrush: 8 x 8 lines in `colour`; the gaps take the DC's background colour while
    // its background mode is OPAQUE and stay untouched while it is TRANSPARENT. A style outside
    // 0..5 fails to create, which gives the null brush.
    static Brush hatch(int style, Colour colour)
    {
        if (style < HS_HORIZONTAL || style > HS_DIAGCROSS)
            return {};
        Brush b = solid(colour);
        b.m_kind = Kind::Hatch;
        b.m_hatch = style;
        return b;
    }
    // CreatePatternBrush: the bitmap tiles the plane from the DC's origin. The brush keeps its own
    // copy, so the bitmap may be freed at once. A monochrome pattern draws its 0 bits in the DC's
    // text colour and its 1 bits in the DC's background colour at the time of drawing.
    static Brush pattern(const Bitmap& bitmap)
    {
        if (bitmap.isNull())
            return {};
        Brush b;
        b.m_kind = Kind::Pattern;
        b.m_pattern = bitmap.copy();
        return b;
    }

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }
    Colour colour() const { return m_colour; }
    int hatchStyle() const { return m_hatch; }
    const Bitmap& patternBitmap() const { return m_pattern; }

private:
    Kind m_kind = Kind::Null;
    Colour m_colour = kBlack;
    int m_hatch = 0;
    Bitmap m_pattern;
};

// ---- fonts -----------------------------------------------------------------------------------
// What a font object holds. The surface draws it with the nearest installed face (DejaVu Sans
// when the face is missing), at 96 pixels per inch.
struct FontDescription {
    std::string face = "MS Sans Serif";
    double pointSize = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    // The character height in pixels (the em size, a negative lfHeight on the platform).
    int pixelHeight() const { return static_cast<int>(std::lround(pointSize * 96.0 / 72.0)); }

    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

struct TextMetrics {
    int height = 0;  // ascent + descent: the height of one line
    int ascent = 0;  // rows above the baseline
    int descent = 0; // rows from the baseline down
    int averageCharWidth = 0;
};

// ---- DC modes --------------------------------------------------------------------------------
enum BkMode : int { TRANSPARENT = 1, OPAQUE = 2 };

// ---- raster operations (BitBlt, StretchBlt, PatBlt) -------------------------------------------
// The full 32-bit codes; the surface evaluates any of the 256 ternary operations from the code's
// third byte, so these are the common ones by name, not a limit.
using RasterOp = std::uint32_t;
inline constexpr RasterOp SRCCOPY = 0x00CC0020;
inline constexpr RasterOp SRCPAINT = 0x00EE0086;
inline constexpr RasterOp SRCAND = 0x008800C6;
inline constexpr RasterOp SRCINVERT = 0x00660046;
inline constexpr RasterOp SRCERASE = 0x00440328;
inline constexpr RasterOp NOTSRCCOPY = 0x00330008;
inline constexpr RasterOp NOTSRCERASE = 0x001100A6;
inline constexpr RasterOp MERGECOPY = 0x00C000CA;
inline constexpr RasterOp MERGEPAINT = 0x00BB0226;
inline constexpr RasterOp PATCOPY = 0x00F00021;
inline constexpr RasterOp PATPAINT = 0x00FB0A09;
inline constexpr RasterOp PATINVERT = 0x005A0049;
inline constexpr RasterOp DSTINVERT = 0x00550009;
inline constexpr RasterOp BLACKNESS = 0x00000042;
inline constexpr RasterOp WHITENESS = 0x00FF0062;

// ---- DrawText / DrawTextEx -------------------------------------------------------------------
using DrawTextFormat = std::uint32_t;
inline constexpr DrawTextFormat DT_TOP = 0x0;
inline constexpr DrawTextFormat DT_LEFT = 0x0;
inline constexpr DrawTextFormat DT_CENTER = 0x1;
inline constexpr DrawTextFormat DT_RIGHT = 0x2;
inline constexpr DrawTextFormat DT_VCENTER = 0x4;      // only with DT_SINGLELINE: wrapped text stays on top
inline constexpr DrawTextFormat DT_BOTTOM = 0x8;       // only with DT_SINGLELINE: wrapped text stays on top
inline constexpr DrawTextFormat DT_WORDBREAK = 0x10;
inline constexpr DrawTextFormat DT_SINGLELINE = 0x20;
inline constexpr DrawTextFormat DT_NOCLIP = 0x100;
inline constexpr DrawTextFormat DT_EXTERNALLEADING = 0x200;
inline constexpr DrawTextFormat DT_CALCRECT = 0x400;
inline constexpr DrawTextFormat DT_NOPREFIX = 0x800;
inline constexpr DrawTextFormat DT_RTLREADING = 0x20000;
inline constexpr DrawTextFormat DT_HIDEPREFIX = 0x100000;

// DRAWTEXTPARAMS. Margins are pixels. Tab expansion is not supported, so tabLength is kept only
// for fidelity; uiLengthDrawn is filled in with the number of bytes processed.
struct DrawTextParams {
    int cbSize = 20;
    int tabLength = 0;
    int leftMargin = 0;
    int rightMargin = 0;
    unsigned lengthDrawn = 0;
};

// ---- DrawEdge --------------------------------------------------------------------------------
using EdgeType = std::uint32_t;
inline constexpr EdgeType BDR_RAISEDOUTER = 0x1;
inline constexpr EdgeType BDR_SUNKENOUTER = 0x2;
inline constexpr EdgeType BDR_RAISEDINNER = 0x4;
inline constexpr EdgeType BDR_SUNKENINNER = 0x8;
inline constexpr EdgeType BDR_OUTER = 0x3;
inline constexpr EdgeType BDR_INNER = 0xC;
inline constexpr EdgeType EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr EdgeType EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr EdgeType EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr EdgeType EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

using BorderFlags = std::uint32_t;
inline constexpr BorderFlags BF_LEFT = 0x1;
inline constexpr BorderFlags BF_TOP = 0x2;
inline constexpr BorderFlags BF_RIGHT = 0x4;
inline constexpr BorderFlags BF_BOTTOM = 0x8;
inline constexpr BorderFlags BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr BorderFlags BF_TOPRIGHT = BF_TOP | BF_RIGHT;
inline constexpr BorderFlags BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
inline constexpr BorderFlags BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr BorderFlags BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr BorderFlags BF_MIDDLE = 0x800;
inline constexpr BorderFlags BF_SOFT = 0x1000;
inline constexpr BorderFlags BF_ADJUST = 0x2000;
inline constexpr BorderFlags BF_FLAT = 0x4000;
inline constexpr BorderFlags BF_MONO = 0x8000;

// ---- DrawState -------------------------------------------------------------------------------
using DrawStateFlags = std::uint32_t;
inline constexpr DrawStateFlags DST_TEXT = 0x1;
inline constexpr DrawStateFlags DST_PREFIXTEXT = 0x2;
inline constexpr DrawStateFlags DST_ICON = 0x3;
inline constexpr DrawStateFlags DST_BITMAP = 0x4;
inline constexpr DrawStateFlags DSS_NORMAL = 0x0;
inline constexpr DrawStateFlags DSS_DISABLED = 0x20;
inline constexpr DrawStateFlags DSS_MONO = 0x80;

// ---- DrawIconEx ------------------------------------------------------------------------------
using DrawIconFlags = std::uint32_t;
inline constexpr DrawIconFlags DI_MASK = 0x1;
inline constexpr DrawIconFlags DI_IMAGE = 0x2;
inline constexpr DrawIconFlags DI_NORMAL = DI_MASK | DI_IMAGE;
inline constexpr DrawIconFlags DI_DEFAULTSIZE = 0x8;

// ---- regions ---------------------------------------------------------------------------------
enum PolyFillMode : int { ALTERNATE = 1, WINDING = 2 };
enum RegionOp : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };

} // namespace plainquill::contracts
