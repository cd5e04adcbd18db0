#pragma once
// XpB: a push button that draws a caption and an optional picture in one of five looks
// (ButtonStyle 3 is the rounded XP face), follows the cursor with a 10 ms timer to show its hover
// state, plays a wave file when clicked and can open a web address or a mail link.
//
// Every state change ends in Refresh, which redraws the whole face into the surface's persistent
// image; there is no Paint handler. The member functions are spread by concern:
//   xp_button.cpp              properties and methods
//   xp_button_persistence.cpp  Initialize, InitProperties, ReadProperties, WriteProperties
//   xp_button_input.cpp        resize, focus, mouse, keyboard, the hover timer, GoToURL
//   xp_button_paint.cpp        Refresh, backgrounds, borders, bevels, the XP face, the shape
//   xp_button_layout.cpp       ComputeLayout and MeasureCaption
//   xp_button_content.cpp      DrawPicture (with MaskedCopy) and DrawCaption
#include "controls/contracts/button_face.h"
#include "controls/contracts/control.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace plainquill::xpbutton {

// ButtonStyle; any other value draws like Raised.
enum Look : std::int32_t { Raised = 0, Raised1 = 1, Flat = 2, XP = 3, Bare = 4 };

// PicturePosition; any other value leaves picture and caption where they were measured.
enum Position : std::int32_t { Above = 0, LeftOf = 1, RightOf = 2, Below = 3 };

// A picture object without an image (an emptied Picture) counts as no picture at all.
inline bool hasImage(const contracts::PictureRef& picture)
{
    return picture && picture->Type() != contracts::PictureType::None;
}

// PictureSize
enum SizeMode : std::int32_t { Small = 0, Normal = 1, Natural = 2 };

class XpB final : public contracts::Control, public contracts::ButtonFace {
public:
    XpB();
    ~XpB() override;

    // ---- public members, in the order the control declares them --------------------------------
    void Refresh();
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;
    contracts::FontRef Font() const { return m_font; }
    void SetFont(const contracts::FontRef& font);
    contracts::WindowHandle hWnd() const;
    std::int16_t MousePointer() const;
    void SetMousePointer(std::int32_t shape);
    contracts::PictureRef MouseIcon() const;
    void SetMouseIcon(contracts::PictureRef picture);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void SetShowFocusRect(bool show);
    void GoToURL();
    std::string URL() const { return m_url; }
    void SetURL(const std::string& url);
    std::string Caption() const override { return m_caption; }
    void SetCaption(const std::string& caption) override;
    std::int32_t ButtonStyle() const { return m_buttonStyle; }
    void SetButtonStyle(std::int32_t style);
    std::int32_t PicturePosition() const { return m_picturePosition; }
    void SetPicturePosition(std::int32_t position);
    contracts::PictureRef Picture() const { return m_currentPicture; }
    void SetPicture(contracts::PictureRef picture);
    std::int32_t PictureWidth() const { return m_pictureWidth; }
    void SetPictureWidth(std::int32_t width);
    std::int32_t PictureHeight() const { return m_pictureHeight; }
    void SetPictureHeight(std::int32_t height);
    std::int32_t PictureSize() const { return m_pictureSize; }
    void SetPictureSize(std::int32_t mode);
    contracts::PictureRef PictureHover() const { return m_hoverPicture; }
    void SetPictureHover(contracts::PictureRef picture);
    contracts::Colour XPColor_Pressed() const { return m_xpColorPressed; }
    void SetXPColor_Pressed(contracts::Colour colour);
    contracts::Colour XPColor_Hover() const { return m_xpColorHover; }
    void SetXPColor_Hover(contracts::Colour colour);
    bool XPDefaultColors() const { return m_xpDefaultColors; }
    void SetXPDefaultColors(bool use);
    contracts::Colour BackColor() const { return m_backColor; }
    void SetBackColor(contracts::Colour colour);
    contracts::Colour ForeColor() const { return m_foreColor; }
    void SetForeColor(contracts::Colour colour);
    std::string SoundOver() const { return m_soundOver; }
    void SetSoundOver(const std::string& path);
    std::string SoundClick() const { return m_soundClick; }
    void SetSoundClick(const std::string& path);
    std::string version() const { return "030102-155"; }
    void Setversion(const std::string&) {} // the tag belongs to the control, not to the form
    bool DefCurHand() const { return m_defCurHand; }
    void SetDefCurHand(bool on);
    bool XPShowBorderAlways() const { return m_xpShowBorderAlways; }
    void SetXPShowBorderAlways(bool on);
    contracts::Colour MaskColor() const { return m_maskColor; }
    void SetMaskColor(contracts::Colour colour);
    bool TransparentBG() const { return m_transparentBG; }
    void SetTransparentBG(bool on);
    std::int16_t BEVEL() const { return m_bevel; }
    void SetBEVEL(std::int32_t rings);           // beyond 16 bits: OverflowError
    std::int16_t BEVELDEPTH() const { return m_bevelDepth; }
    void SetBEVELDEPTH(std::int32_t step);       // beyond 16 bits: OverflowError

    void SetClickHandler(ClickHandler handler) override { m_clickHandler = std::move(handler); }
    std::string ToolTipText() const override { return {}; } // only the container's
    bool IsCheckButton() const override { return false; }
    bool Checked() const override { return false; }

    // ---- state a test or the gallery may read ---------------------------------------------------
    bool IsDown() const { return m_isDown; }
    bool IsHover() const { return m_isHover; }
    // Whether the button waits to hear that the cursor left (or looks for it with OverTimer).
    bool HoverWatched() const { return m_hoverWatched; }
    contracts::Size OriginalPicSize() const { return m_originalPicSize; }
    contracts::Rect ContentRect() const { return m_contentRect; }
    contracts::Rect PictureRect() const { return m_pictureRect; }
    contracts::Rect CaptionRect() const { return m_captionRect; }
    contracts::Rect FocusRect() const { return m_focusRect; }

    // ---- container notifications ----------------------------------------------------------------
    void Initialize() override;
    void InitProperties() override;
    void ReadProperties(const contracts::PropertyBag& bag) override;
    void WriteProperties(contracts::PropertyBag& bag) override;
    void Terminate() override;
    void Resize() override;
    void AmbientChanged(std::string_view) override { Refresh(); }
    void EnterFocus() override;
    void ExitFocus() override;
    void AccessKeyPress(int characterCode) override;
    void DblClick() override;
    void KeyDown(int keyCode, int shift) override;
    void KeyPress(int characterCode) override;
    void KeyUp(int keyCode, int shift) override;
    void MouseDown(int button, int shift, float x, float y) override;
    void MouseMove(int button, int shift, float x, float y) override;
    void MouseUp(int button, int shift, float x, float y) override;
    std::span<const std::string_view> EventNames() const override;

private:
    // The events, numbered as EventNames lists them.
    enum Event : int {
        ClickEvent = 1,
        KeyDownEvent,
        KeyPressEvent,
        KeyUpEvent,
        MouseDownEvent,
        MouseMoveEvent,
        MouseUpEvent,
        MouseInEvent,
        MouseOutEvent,
    };

    // xp_button.cpp
    void RaiseClick();
    void RaiseMouse(Event event, int button, int shift, float x, float y);
    void SetAccessKey();
    void UseFont(contracts::FontRef font);
    contracts::Colour ResolveSysColor(contracts::Colour value) const;

    // xp_button_persistence.cpp
    void ReadCaptionAndPicture(const contracts::PropertyBag& bag);
    void ReadFonts(const contracts::PropertyBag& bag);

    // xp_button_input.cpp
    void WatchLeaving(); // at Initialize
    void WatchHover();   // the cursor came in
    void OverTimerTick();
    // The cursor left: hover ends and a press still held is shown released.
    void CursorGone();
    // The cursor is no longer taken to be over the button: timer off, normal picture, MouseOut.
    void EndHover();
    bool Inside(float x, float y) const;
    void PlayWave(const std::string& path);

    // xp_button_paint.cpp
    void PaintBackground();
    void CopyParentBackground();
    void DrawBorder();
    void DrawBevel(contracts::Colour base, int rings, int depth);
    void DrawXPFace();
    void DrawXPEdges(contracts::Colour u);
    void SetRoundShape();
    void PenLine(int x1, int y1, int x2, int y2, contracts::Colour colour);
    void FillOrFrame(contracts::Dc& dc, int left, int top, int right, int bottom, contracts::Colour colour, bool fill);

    // xp_button_layout.cpp
    void ComputeLayout();
    void PlacePictureBesideCaption(int cw, int ch);
    void MeasureCaption(int cw, int ch);

    // xp_button_content.cpp
    void DrawPicture();
    void DrawBitmapForm(const contracts::Bitmap& bitmap, const contracts::Rect& at, bool shadow, bool disabled);
    void DrawIconForm(const contracts::Picture& icon, const contracts::Rect& at, bool shadow, bool disabled);
    void DrawCaption();

    // ---- state ------------------------------------------------------------------------------------
    int m_clientWidth = 0;                       // ClientWidth
    int m_clientHeight = 0;                      // ClientHeight
    contracts::Rect m_contentRect;               // ContentRect
    contracts::Rect m_pictureRect;               // PictureRect
    contracts::Rect m_captionRect;               // CaptionRect
    contracts::Rect m_focusRect;                 // FocusRect
    contracts::Size m_originalPicSize{32, 32};   // OriginalPicSize
    contracts::PictureRef m_normalPicture;       // NormalPicture: restored when the cursor leaves
    contracts::PictureRef m_hoverPicture;        // HoverPicture
    std::string m_caption;                       // Caption
    std::int32_t m_picturePosition = LeftOf;     // PicturePosition
    std::int32_t m_buttonStyle = Flat;           // ButtonStyle
    contracts::PictureRef m_currentPicture;      // CurrentPicture: what Picture reads and is drawn
    std::int32_t m_pictureWidth = 32;            // PictureWidth
    std::int32_t m_pictureHeight = 32;           // PictureHeight
    std::int32_t m_pictureSize = Normal;         // PictureSize
    bool m_isFocused = false;                    // IsFocused
    bool m_isDown = false;                       // IsDown
    bool m_isHover = false;                      // IsHover
    std::int16_t m_lastButton = 0;               // LastButton
    std::int16_t m_lastShift = 0;                // LastShift
    float m_lastX = 0;                           // LastX
    float m_lastY = 0;                           // LastY
    bool m_keyLatch = false;                     // KeyLatch
    std::string m_url;                           // URL
    bool m_showFocusRect = true;                 // ShowFocusRect
    std::int16_t m_bevel = 1;                    // BEVEL
    std::int16_t m_bevelDepth = 8;               // BEVELDEPTH
    bool m_transparentBG = false;                // TransparentBG
    contracts::Colour m_maskColor = 0;           // MaskColor
    bool m_xpShowBorderAlways = false;           // XPShowBorderAlways
    bool m_defCurHand = false;                   // DefCurHand
    std::string m_soundOver;                     // SoundOver
    std::string m_soundClick;                    // SoundClick
    contracts::Colour m_foreColor = contracts::sysColourRef(contracts::COLOR_BTNTEXT); // ForeColor
    contracts::Colour m_backColor = contracts::sysColourRef(contracts::COLOR_BTNFACE); // BackColor
    bool m_xpDefaultColors = true;               // XPDefaultColors
    contracts::Colour m_xpColorPressed = contracts::sysColourRef(contracts::COLOR_BTNHIGHLIGHT); // XPColor_Pressed
    contracts::Colour m_xpColorHover = contracts::sysColourRef(contracts::COLOR_3DLIGHT); // XPColor_Hover
    contracts::FontRef m_font;                   // g_Font
    contracts::FontSubscription m_fontWatch;     // g_Font's change notification
    std::unique_ptr<contracts::ChildTimer> m_overTimer; // OverTimer
    std::unique_ptr<contracts::MessageHook> m_leaveHook; // hears the cursor leave, where the container tells
    bool m_hoverWatched = false;                 // waiting for the cursor to leave
    ClickHandler m_clickHandler;
};

} // namespace plainquill::xpbutton
