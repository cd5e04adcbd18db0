#pragma once
// chameleonButton: a push button drawn in one of fourteen looks (ButtonType) and coloured from one
// of four colour schemes, with a caption, an access key, a normal and a hover picture, a raised,
// sunken or shadowed effect, an optional two-state check behaviour, and MouseOver / MouseOut
// events found by a fast timer.
//
// The member functions are spread over files by concern:
//   chameleon_button.cpp       properties, methods, lifecycle
//   chameleon_persistence.cpp  InitProperties, ReadProperties, WriteProperties
//   chameleon_input.cpp        mouse, keyboard, focus, access key, the hover timer
//   chameleon_layout.cpp       the resize sequence, window shape, caption and picture placement
//   chameleon_palette.cpp      SetColors and colour translation
//   chameleon_redraw.cpp       Redraw, the drawing primitives and the caption styles
//   chameleon_picture.cpp      the picture transfer, silhouettes and the parent background copy
//   xp_look.cpp, rounded_looks.cpp, edge_looks.cpp   what each ButtonType draws
#include "controls/contracts/button_face.h"
#include "controls/contracts/control.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace plainquill::chameleon {

// The looks (ButtonType); any other value draws like FaceOnly.
enum ButtonLook : std::int32_t {
    Outlined = 1,     // dark outline around a doubled bevel, corner pixels cut
    Classic = 2,      // the platform's 3-D push button
    WindowsXP = 3,    // gradient, dark blue rounded outline, orange hover and blue focus glow
    RoundedPanel = 4, // light panel, dark outline, rounded corners
    FlatFrame = 5,    // lighter flat face in a highlight and a dark frame, two corners cut
    SoftRaised = 6,   // two-pixel soft raised edge
    ThinRaised = 7,   // thin raised edge always
    HoverRaised = 8,  // thin raised edge while hovered
    OfficeBar = 9,    // office toolbar: highlight border and tinted fill while hovered
    FaceOnly = 10,    // face colour and picture only
    Transparent = 11, // the parent window behind the control
    HoverClassic = 12,// full 3-D edge while hovered
    Oval = 13,        // elliptic window
    Gradient = 14,    // highlight gradient in a double frame
};

// How the palette is derived (ColorScheme); any other value behaves as System.
enum Scheme : std::int32_t { System = 1, Custom = 2, FixedGrey = 3, ParentWindow = 4 };

enum PicturePlace : std::int32_t { PictureLeft = 0, PictureRight = 1, PictureAbove = 2, PictureBelow = 3,
                                   PictureBehind = 4 };

enum Effect : std::int32_t { NoEffect = 0, Raised = 1, Sunken = 2, Shadowed = 3 };

// The colours every look draws with, all plain RGB.
struct Palette {
    contracts::Colour face = 0, light = 0, highlight = 0, shadow = 0, darkShadow = 0;
    contracts::Colour text = 0, textOver = 0, maskRGB = 0;
    contracts::Colour xpFace = 0, officeBorder = 0, officeFill = 0;
};

// Redraw's states.
enum DrawnState : int { Up = 0, Down = 2 };

class chameleonButton final : public contracts::Control, public contracts::ButtonFace {
public:
    chameleonButton();
    ~chameleonButton() override;

    // ---- properties -------------------------------------------------------------------------------
    std::int32_t ButtonType() const { return m_buttonType; }
    void SetButtonType(std::int32_t type);
    std::string Caption() const override { return m_caption; }
    void SetCaption(const std::string& caption) override;
    bool Enabled() const override { return m_enabled; }
    void SetEnabled(bool enabled) override;
    // The surface's font; the control draws with a copy of its own, so a shared font object is
    // never changed by the attribute sets below.
    contracts::FontRef Font() const;
    void SetFont(const contracts::FontRef& font);
    bool FontBold() const;
    void SetFontBold(bool bold);
    bool FontItalic() const;
    void SetFontItalic(bool italic);
    bool FontUnderline() const;
    void SetFontUnderline(bool underline);
    // Read back rounded to a whole size, halves to even.
    std::int16_t FontSize() const;
    void SetFontSize(std::int16_t size);
    std::string FontName() const;
    void SetFontName(const std::string& name);
    std::int32_t ColorScheme() const { return m_colorScheme; }
    void SetColorScheme(std::int32_t scheme);
    contracts::Colour BackColor() const { return m_backColor; }
    void SetBackColor(contracts::Colour colour);
    contracts::Colour BackOver() const { return m_backOver; }
    void SetBackOver(contracts::Colour colour);
    contracts::Colour ForeColor() const { return m_foreColor; }
    void SetForeColor(contracts::Colour colour);
    contracts::Colour ForeOver() const { return m_foreOver; }
    void SetForeOver(contracts::Colour colour);
    contracts::Colour MaskColor() const { return m_maskColor; }
    void SetMaskColor(contracts::Colour colour);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void SetShowFocusRect(bool show);
    std::int32_t MousePointer() const;
    void SetMousePointer(std::int32_t shape);
    contracts::PictureRef MouseIcon() const;
    void SetMouseIcon(const contracts::PictureRef& picture);
    bool HandPointer() const { return m_handPointer; }
    void SetHandPointer(bool hand);
    contracts::WindowHandle hWnd() const;
    bool SoftBevel() const { return m_softBevel; }
    void SetSoftBevel(bool soft);
    contracts::PictureRef PictureNormal() const { return m_pictureNormal; }
    void SetPictureNormal(contracts::PictureRef picture);
    contracts::PictureRef PictureOver() const { return m_pictureOver; }
    void SetPictureOver(contracts::PictureRef picture);
    std::int32_t PicturePosition() const { return m_picturePosition; }
    void SetPicturePosition(std::int32_t position);
    bool UseMaskColor() const { return m_useMaskColor; }
    void SetUseMaskColor(bool use);
    bool UseGreyscale() const { return m_useGreyscale; }
    void SetUseGreyscale(bool use);
    std::int32_t SpecialEffect() const { return m_specialEffect; }
    void SetSpecialEffect(std::int32_t effect);
    bool CheckBoxBehaviour() const { return m_checkBoxBehaviour; }
    void SetCheckBoxBehaviour(bool check);
    bool Value() const { return m_value; }
    void SetValue(bool value);
    std::string version() const { return "2.0.6"; }

    // ---- methods ----------------------------------------------------------------------------------
    // Nothing is drawn from now until Refresh.
    void DisableRefresh() { m_isShown = false; }
    void Refresh();

    // ---- ButtonFace ---------------------------------------------------------------------------------
    void SetClickHandler(ClickHandler handler) override { m_clickHandler = std::move(handler); }
    std::string ToolTipText() const override { return {}; } // only the container's
    bool IsCheckButton() const override { return m_checkBoxBehaviour; }
    bool Checked() const override { return m_checkBoxBehaviour && m_value; }

    // ---- state a test, the gallery or the benchmark may read or drive ---------------------------------
    const Palette& palette() const { return m_palette; }
    contracts::Rect FocusRect() const { return m_focusRect; }
    contracts::Rect CaptionRect() const { return m_captionRect; }
    contracts::Rect PressedCaptionRect() const { return m_pressedCaptionRect; }
    contracts::Point PicturePlace() const { return {m_pictureX, m_pictureY}; }
    contracts::Size PictureSize() const { return {m_picWidth, m_picHeight}; }
    int LastState() const { return m_lastState; }
    bool IsOver() const { return m_isOver; }
    void Redraw(int state, bool force);

    // ---- container notifications ----------------------------------------------------------------------
    void Initialize() override;
    void InitProperties() override;
    void ReadProperties(const contracts::PropertyBag& bag) override;
    void WriteProperties(contracts::PropertyBag& bag) override;
    void Resize() override;
    void Show() override;
    void Hide() override;
    void Terminate() override;
    void AmbientChanged(std::string_view propertyName) override;
    void MouseDown(int button, int shift, float x, float y) override;
    void MouseMove(int button, int shift, float x, float y) override;
    void MouseUp(int button, int shift, float x, float y) override;
    void Click() override;
    void DblClick() override;
    void KeyDown(int keyCode, int shift) override;
    void KeyUp(int keyCode, int shift) override;
    void KeyPress(int characterCode) override;
    void GotFocus() override;
    void LostFocus() override;
    void AccessKeyPress(int characterCode) override;
    std::span<const std::string_view> EventNames() const override;

private:
    // The events, numbered in their declaration order.
    enum Event : int {
        ClickEvent = 1, MouseDownEvent, MouseMoveEvent, MouseUpEvent, KeyPressEvent, KeyDownEvent, KeyUpEvent,
        MouseOverEvent, MouseOutEvent
    };

    void MarkChanged(std::string_view name) { container().PropertyChanged(name); }
    // A set of a stored field that derives the palette again (or not) and redraws the last state.
    template <typename T>
    void SetAndRedraw(T& field, T value, std::string_view name, bool deriveColours);
    // A set of one font attribute: the surface takes the changed font, the caption is measured.
    void ChangeFont(void (contracts::FontObject::*set)(bool), bool value);
    void FontChanged(const contracts::FontRef& font);

    // chameleon_input.cpp
    bool IsMouseOver() const;
    void WatchLeaving(); // at Initialize
    void WatchHover();   // the pointer came in
    void OverTimerTick();
    // The pointer left: the up look without hover, then MouseOut.
    void PointerGone();
    void EndHover();
    void RaiseSimple(Event event);
    void RaiseMouse(Event event, int& button, int& shift, float& x, float& y);
    void RaiseKey(Event event, int& keyCode, int& shift);
    void ClickSteps();
    void FinishClick();
    void SetAccessKey();

    // chameleon_layout.cpp
    void ResizeSequence();
    void MakeRegion();
    void CalcCaptionRect();
    contracts::Point CaptionCentring(const contracts::Rect& r) const;
    void PlacePicture();
    void MeasurePicture();

    // chameleon_palette.cpp
    void SetColors();
    void ShadeFromFace();
    contracts::Colour TranslateColor(contracts::Colour colour) const;
    contracts::Colour Shift(contracts::Colour colour, int amount) const;
    contracts::Colour ShiftXP(contracts::Colour colour, int amount) const;

    // chameleon_redraw.cpp
    contracts::Dc& dc() { return container().hDC(); }
    int W() const { return m_clientWidth; }
    int H() const { return m_clientHeight; }
    int Look() const;
    void DrawLook(int state);
    void DrawState(int state);
    void DrawRect(int x, int y, int w, int h, contracts::Colour colour, bool frameOnly);
    void PaintLine(int x1, int y1, int x2, int y2, contracts::Colour colour);
    void PutPixel(int x, int y, contracts::Colour colour);
    void DrawOval(int x, int y, int w, int h, contracts::Colour pen, contracts::Colour fill);
    void DrawFocus();
    void DrawEdge3D(contracts::Colour c1, contracts::Colour c2, contracts::Colour c3, contracts::Colour c4, int inset,
                    bool outerOnly);
    void DrawCaption(int style);
    void DrawCaptionText(const contracts::Rect& rect, contracts::Colour colour);
    void DrawCaptionEffect(const contracts::Rect& rect);
    int HoverStyle() const { return m_isOver ? 1 : 0; }

    // chameleon_picture.cpp
    void DrawPicture(int pictureState);
    void DrawPictureUp();
    void DrawPictureDown();
    void DrawPictureDisabled();
    void DrawPictureEffect(int lift, const contracts::Picture& picture);
    void BlitPicture(int x, int y, int w, int h, const contracts::Picture& picture, contracts::Colour transparent,
                     std::optional<contracts::Colour> solid, bool darkOnly, bool grey, bool blend);
    void NormalTransfer(const contracts::Picture& picture, int dx, int dy);
    void Silhouette(const contracts::Picture& picture, contracts::Colour colour, int x, int y, bool darkOnly);
    void CaptureBackground();
    void MakeBackDc();
    void CopyBackground();

    // xp_look.cpp, rounded_looks.cpp, edge_looks.cpp
    void DrawXPUp();
    void DrawXPDown();
    void DrawXPDisabled();
    void DrawXPOutline();
    void DrawRoundedPanel(int captionStyle);
    void DrawRoundedPanelDown();
    void DrawGradientUp();
    void DrawGradientDown();
    void DrawGradientDisabled();
    void DrawGradientFrame();
    void DrawHighlightGradient();
    void DrawFlatFrameUp();
    void DrawFlatFrameDown();
    void DrawFlatFrameCaptionFrame();
    void DrawEdgeLookUp(int look);
    void DrawEdgeLookDown(int look);
    void DrawEdgeLookDisabled(int look);
    void DrawLightLookUp(int look);
    void DrawLightLookDown(int look);
    void DrawLightLookDisabled(int look);
    void DrawOfficeBar(int state);

    // ---- stored properties ----------------------------------------------------------------------------
    std::int32_t m_buttonType = Classic;
    std::string m_caption;
    bool m_enabled = true;
    std::int32_t m_colorScheme = System;
    contracts::Colour m_backColor = 0;
    contracts::Colour m_backOver = 0;
    contracts::Colour m_foreColor = 0;
    contracts::Colour m_foreOver = 0;
    contracts::Colour m_maskColor = 0xC0C0C0;
    bool m_showFocusRect = true;
    bool m_handPointer = false;
    bool m_softBevel = false;
    contracts::PictureRef m_pictureNormal;
    contracts::PictureRef m_pictureOver;
    std::int32_t m_picturePosition = PictureLeft;
    bool m_useMaskColor = true;
    bool m_useGreyscale = false;
    std::int32_t m_specialEffect = NoEffect;
    bool m_checkBoxBehaviour = false;
    bool m_value = false;

    // ---- geometry -------------------------------------------------------------------------------------
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    contracts::Rect m_focusRect;
    contracts::Rect m_captionRect;
    contracts::Rect m_pressedCaptionRect;
    int m_captionWidth = 0;
    int m_captionHeight = 0;
    int m_pictureX = 0;
    int m_pictureY = 0;
    int m_picWidth = 0;
    int m_picHeight = 0;

    // ---- the parent background of the transparent look -------------------------------------------------
    std::unique_ptr<contracts::Dc> m_backDC;
    contracts::Bitmap m_backOldBitmap;

    // ---- state of the last drawing and of input --------------------------------------------------------
    int m_lastState = Up;
    std::string m_lastCaption;
    int m_lastCaptionStyle = 0;
    int m_lastButton = 0;
    int m_lastKey = 0;
    bool m_hasFocus = false;
    bool m_isOver = false;
    bool m_isShown = false;
    bool m_inCapture = false;
    Palette m_palette;

    std::unique_ptr<contracts::ChildTimer> m_overTimer;
    std::unique_ptr<contracts::MessageHook> m_leaveHook; // hears the pointer leave, where the container tells
    bool m_hoverWatched = false;                         // waiting for the pointer to leave
    ClickHandler m_clickHandler;
};

} // namespace plainquill::chameleon
