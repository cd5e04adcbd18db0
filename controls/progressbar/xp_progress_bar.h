#pragma once
// XP_ProgressBar: a bar that turns Value / Max into a fill of 0 to 100 percent (Percent) and
// repaints itself at once, synchronously, in one of ten drawing styles (Scrolling). Every repaint
// draws the whole bar into an off-screen buffer (DrawDC) and copies it to the window in one block,
// so it never flickers. It raises no events and takes no input.
//
// The member functions are spread over files by concern:
//   xp_progress_bar.cpp   properties, persistence, lifecycle
//   progress_buffer.cpp   the off-screen buffer (hdc write, EnsureBuffer, CreateBuffer, DestroyBuffer)
//   progress_painter.cpp  DrawProgressBar and the primitives DrawLine, DrawGradient, pDraw, boxes
//   xp_styles.cpp         styles 0 to 2 and the XP frame: ComputeFill, DrawXPFill, CutSegments, DrawXPFrame
//   plain_styles.cpp      styles 3 to 9
//   percent_text.cpp      the percentage text
#include "controls/contracts/control.h"
#include "controls/contracts/progress_face.h"

#include <cstdint>
#include <memory>
#include <string>

namespace plainquill::progressbar {

// The drawing styles (Scrolling); any other value paints like Smooth.
enum Style : std::int32_t {
    Segmented = 0,
    Smooth = 1,
    Searching = 2,
    Flat = 3,
    Etched = 4,
    Shaded = 5,
    Dark = 6,
    Hatched = 7,
    Patterned = 8,
    Metallic = 9,
};

class XP_ProgressBar final : public contracts::Control, public contracts::ProgressFace {
public:
    XP_ProgressBar();
    ~XP_ProgressBar() override;

    // ---- public members -------------------------------------------------------------------------
    void DrawProgressBar();
    // A one-pixel line from (X, Y) to the end point (Width, Height), end excluded.
    void DrawLine(int X, int Y, int Width, int Height, contracts::Dc& cHdc, contracts::Colour Color);
    // Lines from lEndColor to lStartcolor: columns X .. X + X2 (bH) or rows Y .. Y + Y2. Both
    // colours are resolved in place.
    void DrawGradient(contracts::Colour& lEndColor, contracts::Colour& lStartcolor, int X, int Y, int X2, int Y2,
                      contracts::Dc& hdc, bool& bH);
    // Copies the buffer's WidthSrc x HeightSrc block at (xSrc, ySrc) to (xDst, yDst) of hdc; a size
    // below 1 means the buffer's own.
    void pDraw(contracts::Dc& hdc, int xSrc, int ySrc, int WidthSrc, int HeightSrc, int xDst, int yDst);

    void SetBrushStyle(std::int32_t style); // write only
    contracts::Colour Color() const override { return m_color; }
    void SetColor(contracts::Colour colour) override;
    contracts::FontRef Font() const { return m_font; }
    void SetFont(contracts::FontRef font) { m_font = std::move(font); }
    contracts::WindowHandle hWnd() const { return m_hWnd; }
    void SethWnd(contracts::WindowHandle window) { m_hWnd = window; }
    contracts::Dc* hdc() const { return m_drawDC; }
    void Sethdc(contracts::Dc* ignored); // runs the buffer set-up, whatever the argument
    contracts::PictureRef Image() const { return m_image; }
    void SetImage(contracts::PictureRef picture);
    std::int32_t Min() const { return m_min; }
    void SetMin(std::int32_t min);
    std::int32_t Max() const override { return m_max; }
    void SetMax(std::int32_t max) override;
    std::int32_t Orientation() const { return m_orientation; }
    void SetOrientation(std::int32_t orientation);
    std::int32_t Scrolling() const { return m_scrolling; }
    void SetScrolling(std::int32_t style);
    bool ShowText() const { return m_showText; }
    void SetShowText(bool show);
    std::int32_t Value() const override;
    void SetValue(std::int32_t value) override;

    // ---- state a test or the gallery may read ---------------------------------------------------
    std::int32_t Percent() const { return m_percent; }
    std::int32_t BrushStyle() const { return m_brushStyle; }
    bool Buffered() const { return m_buffered; }
    contracts::Size BufferSize() const { return {m_bufferWidth, m_bufferHeight}; }

    // ---- container notifications ----------------------------------------------------------------
    void Initialize() override;
    void Paint() override;
    void Resize() override;
    void ReadProperties(const contracts::PropertyBag& bag) override;
    void WriteProperties(contracts::PropertyBag& bag) override;
    void Terminate() override;
    bool CanGetFocus() const override { return false; }

private:
    // progress_buffer.cpp
    contracts::Dc* EnsureBuffer(int w, int h);
    void CreateBuffer(int w, int h);
    void DestroyBuffer();

    // progress_painter.cpp
    contracts::Colour ResolveColor(contracts::Colour value) const;
    contracts::Colour Blend(contracts::Colour first, contracts::Colour second, int weight) const;
    void FrameBox(const contracts::Rect& rect, contracts::Colour colour);
    void FillBox(const contracts::Rect& rect, contracts::Colour colour);
    // DrawGradient for values rather than variables.
    void Gradient(contracts::Colour endColour, contracts::Colour startColour, int X, int Y, int X2, int Y2, bool bH);
    void Line(int X, int Y, int toX, int toY, contracts::Colour colour);
    void DrawStyle();

    // xp_styles.cpp
    void ComputeFill();
    void DrawXPFill();
    void DrawXPFillHorizontal();
    void DrawXPFillVertical();
    void CutSegments();
    void DrawXPFrame();

    // plain_styles.cpp
    void DrawFlat();
    void DrawEtched();
    void DrawShaded();
    void DrawDark();
    void DrawHatched();
    void DrawPatterned();
    void DrawMetallic();

    // percent_text.cpp
    void DrawPercentText();
    void CentreTextRect(const std::string& text);
    void DrawTextOverFill(const std::string& text);

    // ---- state: each member's comment names the property it holds ----------------------------------
    contracts::Colour m_color = 0;             // Color: always held resolved
    contracts::Dc* m_drawDC = nullptr;         // DrawDC: the buffer's DC, else the window's; null once gone
    contracts::WindowHandle m_hWnd = 0;        // hWnd: whose client rectangle gives the geometry
    std::int32_t m_max = 0;                    // Max
    std::int32_t m_min = 0;                    // Min
    std::int32_t m_percent = 0;                // Percent: 0 to 100 in normal use, no lower bound
    bool m_showText = false;                   // ShowText
    std::int32_t m_scrolling = 0;              // Scrolling: the style
    std::int32_t m_orientation = 0;            // Orientation: 0 horizontal (styles 0 to 2 only)
    std::int32_t m_brushStyle = 0;             // BrushStyle: hatch of style 7
    contracts::PictureRef m_image;             // Image: pattern of style 8
    bool m_buffered = false;                   // Buffered: a buffer was made once; never cleared
    std::unique_ptr<contracts::Dc> m_bufferDC; // BufferDC
    contracts::Bitmap m_bufferBitmap;          // BufferBitmap
    contracts::Bitmap m_bufferOldBitmap;       // BufferOldBitmap
    contracts::FontRef m_textFont;             // TextFont
    contracts::FontRef m_font;                 // Font
    contracts::FontDescription m_oldFont;      // OldFont
    int m_bufferWidth = 0;                     // BufferWidth
    int m_bufferHeight = 0;                    // BufferHeight
    double m_fillFraction = 0;                 // FillFraction
    contracts::Rect m_clientRect;              // ClientRect: refreshed at each repaint
    contracts::Rect m_fillArea;                // FillArea
    contracts::Rect m_gapRect;                 // GapRect
    contracts::Rect m_textRect;                // TextRect: kept between repaints
    int m_segmentWidth = 0;                    // SegmentWidth
    int m_segmentGap = 0;                      // SegmentGap
};

} // namespace plainquill::progressbar
