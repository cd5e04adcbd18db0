#pragma once
// The device context the drawn controls paint through: their window's surface or a memory DC
// with a bitmap selected. Every call keeps the platform's pixel conventions:
//   - coordinates are pixels, (0, 0) at the top left, y downwards;
//   - a Rect's right and bottom are exclusive (FillRect(0,0,4,2) covers 4 x 2 pixels);
//   - a line from MoveTo to LineTo covers its start pixel and not its end pixel;
//   - colours are 0x00BBGGRR; system-colour references must be resolved before they get here.
// Drawing outside the surface (or outside a selected clip region) is silently cut off.
//
// How a control gets one:
//   - its window's Dc comes from the host (the `hDC` of the control's surface);
//   - a memory DC comes from dc.createCompatibleDc() (or Graphics::createMemoryDc()); select a
//     bitmap made by dc.createCompatibleBitmap(size) into it, draw, select the old bitmap back,
//     and let the unique_ptr go (DeleteDC).
//
// Objects: pens, brushes and fonts are values (gdi_objects.h) selected by copy; each select
// returns what was selected before, so that a drawing routine can leave the DC as it found it.
// A new memory DC starts with a 1 x 1 monochrome bitmap, a black 1-pixel pen,
// a white brush, the default font, black text on a white background, OPAQUE, position (0, 0).
//
// The usual shapes of control code:
//
//   // a line in its own pen, the previous pen put back (DeleteObject is automatic)
//   const Pen old = dc.selectPen(Pen::solid(colour));
//   dc.moveTo({x1, y1});
//   dc.lineTo({x2, y2});
//   dc.selectPen(old);
//
//   // an off-screen buffer kept between paints, copied to the window in one transfer
//   std::unique_ptr<Dc> buffer = graphics.createMemoryDc();
//   Bitmap old = buffer->selectBitmap(windowDc.createCompatibleBitmap({w, h}));
//   ... draw on *buffer ...
//   windowDc.bitBlt(0, 0, w, h, buffer.get(), 0, 0, SRCCOPY);
//   buffer->selectBitmap(old); // before letting the buffer go
//
//   // text: the font is a value selected like a pen; captions are UTF-8
//   const FontDescription oldFont = dc.selectFont(FontDescription{"Tahoma", 8.25, true});
//   dc.setTextColor(colour);
//   dc.setBkMode(TRANSPARENT);
//   Rect r = captionRect;
//   dc.drawText(caption, r, DT_CENTER | DT_WORDBREAK);
//   dc.selectFont(oldFont);
#include "controls/contracts/bitmap.h"
#include "controls/contracts/colour.h"
#include "controls/contracts/gdi_objects.h"
#include "controls/contracts/geometry.h"
#include "controls/contracts/region.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace plainquill::contracts {

// BITMAPINFOHEADER for GetDIBits / SetDIBitsToDevice: BI_RGB, 24 or 32 bits, one plane.
// A positive height is a bottom-up array (the last image row first); negative is top-down.
// Rows are padded to a multiple of 4 bytes; pixel bytes are blue, green, red (, unused).
struct DibInfo {
    int headerSize = 40;
    int width = 0;
    int height = 0;
    int planes = 1;
    int bitCount = 24;

    int stride() const { return ((width * bitCount + 31) / 32) * 4; }
    int rows() const { return height < 0 ? -height : height; }
    bool isBottomUp() const { return height > 0; }
    std::size_t byteSize() const { return static_cast<std::size_t>(stride()) * rows(); }
};

// What DrawState draws: UTF-8 text (DST_TEXT, DST_PREFIXTEXT), a bitmap (DST_BITMAP) or an icon
// (DST_ICON).
using DrawStateContent = std::variant<std::string, Bitmap, Icon>;

class Dc {
public:
    virtual ~Dc() = default;

    // ---- the surface ---------------------------------------------------------------------------
    virtual Size size() const = 0;        // of the window, or of the selected bitmap
    virtual int bitsPerPixel() const = 0; // 32, or 1 while a monochrome bitmap is selected

    // ---- memory DCs and bitmaps ------------------------------------------------------------------
    // CreateCompatibleDC(this): a new memory DC (see the defaults above).
    virtual std::unique_ptr<Dc> createCompatibleDc() const = 0;
    // CreateCompatibleBitmap(this, w, h): the format of this DC's current surface, so a bitmap made
    // from a fresh memory DC is monochrome. A size without area gives a 1 x 1 monochrome bitmap,
    // never an empty one.
    virtual Bitmap createCompatibleBitmap(Size size) const = 0;
    // SelectObject(memDC, bitmap): returns the previous bitmap. A window DC cannot take a bitmap:
    // it returns a null Bitmap and changes nothing; so does selecting a null bitmap. Selecting a
    // bitmap removes any clip region.
    virtual Bitmap selectBitmap(const Bitmap& bitmap) = 0;
    // The bitmap a memory DC holds (null for a window DC).
    virtual Bitmap selectedBitmap() const = 0;

    // ---- objects and modes; every setter returns the previous value ---------------------------------
    virtual Pen selectPen(const Pen& pen) = 0;
    virtual Brush selectBrush(const Brush& brush) = 0;
    virtual FontDescription selectFont(const FontDescription& font) = 0;
    virtual Pen pen() const = 0;
    virtual Brush brush() const = 0;
    virtual FontDescription font() const = 0;
    virtual Colour setTextColor(Colour colour) = 0;
    virtual Colour textColor() const = 0;
    virtual Colour setBkColor(Colour colour) = 0;
    virtual Colour bkColor() const = 0;
    virtual BkMode setBkMode(BkMode mode) = 0;
    virtual BkMode bkMode() const = 0;
    // SelectClipRgn: drawing is limited to the region (a copy is kept); nullptr removes the limit.
    virtual void selectClipRegion(const Region* region) = 0;

    // ---- pixels and lines -------------------------------------------------------------------------
    virtual void setPixelV(Point p, Colour colour) = 0;
    virtual Colour getPixel(Point p) const = 0; // CLR_INVALID outside the surface or clip
    virtual Colour getNearestColor(Colour colour) const = 0; // itself at 32 bits; black or white at 1
    virtual Point moveTo(Point p) = 0; // MoveToEx; returns the previous position
    virtual Point currentPosition() const = 0;
    // LineTo with the selected pen: start pixel drawn, end pixel not; the position moves to `p`.
    // Pens wider than one pixel draw a band of that width with round ends, ends included.
    virtual void lineTo(Point p) = 0;

    // ---- fills and frames -------------------------------------------------------------------------
    virtual void fillRect(const Rect& rect, const Brush& brush) = 0;  // FillRect
    virtual void frameRect(const Rect& rect, const Brush& brush) = 0; // FrameRect: 1-pixel border
    // PatBlt with the selected brush: PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS, ...
    virtual void patBlt(int x, int y, int width, int height, RasterOp rop) = 0;
    // Rectangle / Ellipse with the selected pen (outline, inside the rectangle) and brush (inside).
    // With the null pen the filled area is one pixel smaller at the right and bottom, as on the
    // platform.
    virtual void rectangle(const Rect& rect) = 0;
    virtual void ellipse(const Rect& rect) = 0;
    // DrawEdge: the system's 3-D borders in the system colours. With BF_ADJUST `rect` is shrunk to
    // the area inside the border.
    virtual bool drawEdge(Rect& rect, EdgeType edge, BorderFlags flags) = 0;
    // DrawFocusRect: inverts every other pixel of the rectangle's 1-pixel border (a second call
    // undoes the first). Like the platform's, the dots XOR with the background colour and the gaps
    // with the text colour, so it is only dotted black-and-white with black text on white.
    virtual void drawFocusRect(const Rect& rect) = 0;

    // ---- block transfers --------------------------------------------------------------------------
    // BitBlt: `source` may be null for operations that do not read it. A monochrome source drawn on
    // colour takes this DC's text colour for 0 bits and background colour for 1 bits; a colour
    // source drawn on monochrome gives 1 (white) where it equals the source DC's background colour.
    virtual bool bitBlt(int x, int y, int width, int height, const Dc* source, int srcX, int srcY,
                        RasterOp rop) = 0;
    // StretchBlt with nearest-pixel sampling (every pixel of the destination takes one source pixel).
    virtual bool stretchBlt(int x, int y, int width, int height, const Dc* source, int srcX, int srcY,
                            int srcWidth, int srcHeight, RasterOp rop) = 0;

    // ---- device-independent pixel arrays ------------------------------------------------------------
    // GetDIBits(this, bitmap, startScan, scanLines, bits, info): reads `scanLines` rows of `bitmap`
    // starting at DIB row `startScan` (counted in the array's own order: from the bottom for a
    // bottom-up array). Returns the rows copied, 0 on failure (too small a buffer, bad format).
    virtual int getDIBits(const Bitmap& bitmap, int startScan, int scanLines, std::span<std::uint8_t> bits,
                          const DibInfo& info) const = 0;
    // SetDIBitsToDevice: the width x height block whose lower-left corner is (srcX, srcY) of the
    // array (for bottom-up arrays; top-left for top-down) goes to (x, y) of this DC. `bits` holds
    // rows startScan .. startScan + scanLines - 1. Returns the rows set.
    virtual int setDIBitsToDevice(int x, int y, int width, int height, int srcX, int srcY, int startScan,
                                  int scanLines, std::span<const std::uint8_t> bits, const DibInfo& info) = 0;

    // ---- icons --------------------------------------------------------------------------------------
    // DrawIconEx: DI_MASK ANDs the mask, DI_IMAGE XORs the colour image, DI_NORMAL does both.
    // cx or cy of 0 uses the icon's own size. With a flicker-free brush the cx x cy area is first
    // filled with it and the icon drawn over it.
    virtual bool drawIconEx(int x, int y, const Icon& icon, int cx, int cy, const Brush* flickerFreeBrush,
                            DrawIconFlags flags) = 0;

    // ---- text -----------------------------------------------------------------------------------------
    // DrawTextExA (DrawTextA when params is null) with UTF-8 text and the selected font, in the
    // text colour; OPAQUE mode fills each line's box with the background colour first.
    // Supported flags: DT_CENTER, DT_RIGHT, DT_VCENTER and DT_BOTTOM (single line only),
    // DT_WORDBREAK, DT_SINGLELINE, DT_NOCLIP, DT_CALCRECT, DT_NOPREFIX, DT_HIDEPREFIX, DT_RTLREADING.
    // "&x" underlines x, "&&" draws one "&". With DT_CALCRECT nothing is drawn: right becomes
    // left + the widest line (+ margins), bottom becomes top + the lines' height. Returns the
    // height of the text (from rect.top to the bottom of the last line when vertically placed).
    virtual int drawText(std::string_view utf8, Rect& rect, DrawTextFormat format,
                         DrawTextParams* params = nullptr) = 0;
    virtual TextMetrics textMetrics() const = 0;             // GetTextMetrics
    virtual Size textExtent(std::string_view utf8) const = 0; // GetTextExtentPoint32

    // DrawStateA: the DST_ kind in `flags` must match `content`. DSS_NORMAL draws it as it is
    // (text in the text colour); DSS_DISABLED draws the embossed look: every dark pixel of the
    // content once in the 3-D highlight colour one pixel down and right, then in the 3-D shadow
    // colour in place; DSS_MONO draws every dark pixel in `brush`. "Dark" is what is not white
    // when the content is drawn black on white. cx or cy of 0 uses the content's own size.
    virtual bool drawState(const Brush* brush, const DrawStateContent& content, int x, int y, int cx,
                           int cy, DrawStateFlags flags) = 0;
};

} // namespace plainquill::contracts
