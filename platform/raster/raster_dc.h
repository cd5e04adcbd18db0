#pragma once
// The raster device context: the contracts::Dc the controls draw through, on 32-bit or
// monochrome Bitmaps. One class, its operations spread over files by concern:
//   raster_dc.cpp   state, object selection, pixels      lines.cpp      MoveTo/LineTo
//   rects.cpp       FillRect, FrameRect, PatBlt, Rectangle ellipse.cpp    Ellipse
//   edges.cpp       DrawEdge, DrawFocusRect              blit.cpp       BitBlt, StretchBlt
//   dib.cpp         GetDIBits, SetDIBitsToDevice         icons.cpp      DrawIconEx
//   text.cpp        DrawText, metrics                    draw_state.cpp DrawState
#include "controls/contracts/drawing_surface.h"
#include "platform/raster/brush_pattern.h"
#include "platform/raster/canvas.h"
#include "platform/raster/raster_context.h"
#include "platform/raster/text_layout.h"

#include <memory>
#include <optional>

namespace plainquill::raster {

// The pixels an operation given as x, y, width, height covers. A negative width reaches back from
// x and includes it (columns x + width + 1 to x), likewise a negative height: the platform's rule
// for PatBlt, BitBlt and FillRect (which is a PatBlt of the rectangle's width and height).
contracts::Rect extentArea(int x, int y, int width, int height);

class RasterDc final : public contracts::Dc {
public:
    // A scale that may change (the window moved to another screen); null means 1.
    using ScaleSource = std::shared_ptr<const int>;

    // A window's DC drawing on `surface` (a null bitmap makes a DC without pixels: the screen DC),
    // and on `layer`, the surface at the screen's scale, when the scale is above 1.
    static std::unique_ptr<RasterDc> forWindow(std::shared_ptr<RasterContext> context, contracts::Bitmap surface,
                                               DeviceLayer layer = {});
    // A DC without pixels whose memory DCs draw at `scale`.
    static std::unique_ptr<RasterDc> forScreen(std::shared_ptr<RasterContext> context, ScaleSource scale);
    // A memory DC with the platform's initial 1 x 1 monochrome bitmap selected. At a scale above 1
    // its bitmap gets a device layer of that scale; when the scale changes the layer is made
    // again (the bitmap enlarged) before the DC next draws, so a buffer kept between paints
    // follows its window to another screen.
    static std::unique_ptr<RasterDc> forMemory(std::shared_ptr<RasterContext> context, ScaleSource scale = nullptr);

    // The host resized the window or moved it to another screen: draw on a new surface, keeping
    // the DC's state.
    void retarget(contracts::Bitmap surface, DeviceLayer layer = {});
    int scale() const { return m_scale; }
    // The selected bitmap at scale(); null at scale 1.
    const contracts::Bitmap& deviceLayer() const { return m_layer; }

    contracts::Size size() const override;
    int bitsPerPixel() const override;

    std::unique_ptr<contracts::Dc> createCompatibleDc() const override;
    contracts::Bitmap createCompatibleBitmap(contracts::Size size) const override;
    contracts::Bitmap selectBitmap(const contracts::Bitmap& bitmap) override;
    contracts::Bitmap selectedBitmap() const override;

    contracts::Pen selectPen(const contracts::Pen& pen) override;
    contracts::Brush selectBrush(const contracts::Brush& brush) override;
    contracts::FontDescription selectFont(const contracts::FontDescription& font) override;
    contracts::Pen pen() const override { return m_pen; }
    contracts::Brush brush() const override { return m_brush; }
    contracts::FontDescription font() const override { return m_font; }
    contracts::Colour setTextColor(contracts::Colour colour) override;
    contracts::Colour textColor() const override { return m_textColour; }
    contracts::Colour setBkColor(contracts::Colour colour) override;
    contracts::Colour bkColor() const override { return m_bkColour; }
    contracts::BkMode setBkMode(contracts::BkMode mode) override;
    contracts::BkMode bkMode() const override { return m_bkMode; }
    void selectClipRegion(const contracts::Region* region) override;

    void setPixelV(contracts::Point p, contracts::Colour colour) override;
    contracts::Colour getPixel(contracts::Point p) const override;
    contracts::Colour getNearestColor(contracts::Colour colour) const override;
    contracts::Point moveTo(contracts::Point p) override;
    contracts::Point currentPosition() const override { return m_position; }
    void lineTo(contracts::Point p) override;

    void fillRect(const contracts::Rect& rect, const contracts::Brush& brush) override;
    void frameRect(const contracts::Rect& rect, const contracts::Brush& brush) override;
    void patBlt(int x, int y, int width, int height, contracts::RasterOp rop) override;
    void rectangle(const contracts::Rect& rect) override;
    void ellipse(const contracts::Rect& rect) override;
    bool drawEdge(contracts::Rect& rect, contracts::EdgeType edge, contracts::BorderFlags flags) override;
    void drawFocusRect(const contracts::Rect& rect) override;

    bool bitBlt(int x, int y, int width, int height, const contracts::Dc* source, int srcX, int srcY,
                contracts::RasterOp rop) override;
    bool stretchBlt(int x, int y, int width, int height, const contracts::Dc* source, int srcX, int srcY,
                    int srcWidth, int srcHeight, contracts::RasterOp rop) override;

    int getDIBits(const contracts::Bitmap& bitmap, int startScan, int scanLines, std::span<std::uint8_t> bits,
                  const contracts::DibInfo& info) const override;
    int setDIBitsToDevice(int x, int y, int width, int height, int srcX, int srcY, int startScan, int scanLines,
                          std::span<const std::uint8_t> bits, const contracts::DibInfo& info) override;

    bool drawIconEx(int x, int y, const contracts::Icon& icon, int cx, int cy,
                    const contracts::Brush* flickerFreeBrush, contracts::DrawIconFlags flags) override;

    int drawText(std::string_view utf8, contracts::Rect& rect, contracts::DrawTextFormat format,
                 contracts::DrawTextParams* params = nullptr) override;
    contracts::TextMetrics textMetrics() const override;
    contracts::Size textExtent(std::string_view utf8) const override;
    bool drawState(const contracts::Brush* brush, const contracts::DrawStateContent& content, int x, int y,
                   int cx, int cy, contracts::DrawStateFlags flags) override;

private:
    enum class Kind { Window, Memory };
    RasterDc(Kind kind, std::shared_ptr<RasterContext> context, contracts::Bitmap target, ScaleSource scale);

    // A memory DC takes up a changed scale; every drawing operation starts with this.
    void syncScale();

    Canvas& canvas() { return m_canvas; }
    void rebuildCanvas();
    PatternContext patternContext() const;
    contracts::Colour sysColour(int index) const { return m_context->systemColours.sysColor(index); }

    // Writes `pattern` combined with the destination by `rop` over `area` (no source).
    void patternFill(const contracts::Rect& area, const BrushPattern& pattern, std::uint8_t rop);
    void blitSource(const RasterDc& src, const contracts::Rect& area, int dx, int dy, std::uint8_t code,
                    const BrushPattern& pattern);
    // The same blit again between the device layers, when both DCs have one of the same scale, so
    // that sharp text drawn into the source stays sharp. `sourceLayer` is read, never written.
    bool sharesScaleWith(const RasterDc& src) const;
    void blitDeviceLayer(const RasterDc& src, const contracts::Bitmap& sourceLayer, const contracts::Rect& area,
                         int dx, int dy, std::uint8_t code, const BrushPattern& pattern);
    // One pixel in a solid colour, if visible.
    void plot(int x, int y, contracts::Colour colour);
    // A cosmetic (1-pixel) line without its end point.
    void drawThinLine(contracts::Point from, contracts::Point to, contracts::Colour colour);
    void drawWideLine(contracts::Point from, contracts::Point to, const contracts::Pen& pen);
    // Rows of a filled shape: fills spans [x0, x1) of row y.
    void fillSpan(int y, int x0, int x1, const BrushPattern& pattern);
    // Text helpers (text.cpp)
    void blitInk(const RenderedLine& line, int penX, int top, const contracts::Rect* clip, contracts::Colour colour);
    // The same line drawn again into the device layer from glyphs of the device's resolution,
    // placed on the logical line's baseline and aligned as `format` aligns it within `width`.
    void blitDeviceInk(const TextLine& line, int penX, int top, const contracts::Rect* clip,
                       contracts::DrawTextFormat format);
    int layoutAndDrawText(const std::u16string& text, contracts::Rect& rect, contracts::DrawTextFormat format,
                          int leftMargin, int rightMargin);
    int drawLines(const std::vector<TextLine>& lines, const contracts::Rect& rect, contracts::DrawTextFormat format,
                  int boxLeft, int boxRight, int lineHeight);
    // DrawState helpers (draw_state.cpp)
    bool renderStateContent(Dc& monoDc, const contracts::DrawStateContent& content, int cx, int cy,
                            contracts::DrawStateFlags kind);
    bool drawStateAsIs(const contracts::DrawStateContent& content, int x, int y, int cx, int cy,
                       contracts::DrawStateFlags kind);
    std::unique_ptr<contracts::Dc> stateStencil(const contracts::DrawStateContent& content, int cx, int cy,
                                                contracts::DrawStateFlags kind);
    contracts::Size naturalSize(const contracts::DrawStateContent& content, contracts::DrawStateFlags kind) const;

    Kind m_kind;
    std::shared_ptr<RasterContext> m_context;
    contracts::Bitmap m_bitmap;
    std::optional<contracts::Region> m_clip;
    int m_scale = 1;
    contracts::Bitmap m_layer;         // m_bitmap at m_scale; null at scale 1
    std::shared_ptr<int> m_ownScale;   // a window's: set by retarget
    ScaleSource m_follows;             // what this DC's memory DCs draw at
    Canvas m_canvas;

    contracts::Pen m_pen;
    contracts::Brush m_brush = contracts::Brush::solid(contracts::kWhite);
    contracts::FontDescription m_font;
    contracts::Colour m_textColour = contracts::kBlack;
    contracts::Colour m_bkColour = contracts::kWhite;
    contracts::BkMode m_bkMode = contracts::OPAQUE;
    contracts::Point m_position;
};

} // namespace plainquill::raster
