#pragma once
// isButton: a push button that draws itself in one of eleven looks, with a caption and an icon
// each placed by its own alignment, that can act as a two-state check button, and that reports
// clicks and the pointer entering and leaving it.
//
// This holds the model: the properties with their change notification and follow-up (layout
// and repaint), the stored keys, and the events. The member functions are spread by concern:
//   is_button.cpp              properties, methods, lifecycle
//   is_button_persistence.cpp  InitProperties, ReadProperties, WriteProperties
//   is_button_input.cpp        mouse, keyboard, focus and the hover hook: the drawn state
//   is_button_layout.cpp       minimum size, caption placement, window shapes
//   is_button_paint.cpp        the paint order, the line-drawn and themed faces, the caption
//   is_button_icon.cpp         icon placement, masked paint, grey silhouettes and grey icons
//   is_button_skins.cpp        the pixel-painted skins (with skin_*.cpp)
//   is_button_tooltip.cpp      the tooltip window and the About box
#include "controls/contracts/button_face.h"
#include "controls/contracts/control.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace plainquill::isbutton {

// The looks (Style, NonThemeStyle); only 0 to 10 draw a face.
enum LookStyle : std::int32_t {
    Standard = 0,  // full 3-D edge
    Soft = 1,      // thin 3-D edge
    Flat = 2,      // flat, thin edge on hover
    Framed = 3,    // double frame with notched corners
    Highlight = 4, // flat panel tinted with the highlight colour on hover and press
    BlueSkin = 5,  // fixed blue skin
    Themed = 6,    // the system theme
    FaceSkin = 7,  // the skin of 5 built from the system colours
    Gradient = 8,
    Glossy = 9,
    Rounded = 10,
};

// Where the caption and the icon go (CaptionAlign, IconAlign).
enum Alignment : std::int32_t { Center = 0, Left = 1, Right = 2, Top = 3, Bottom = 4 };

enum ButtonKind : std::int32_t { PushButton = 0, CheckButton = 1 };

enum TipKind : std::int32_t { ttStandard = 0, ttBalloon = 1 };

// The values the tooltip window's title message takes.
enum TipIcon : std::int32_t { tiNone = 0, tiInfo = 1, tiWarning = 2, tiError = 3 };

struct SkinInput;

// The drawn state; 0 only before the first load.
enum ButtonState : std::int32_t { Normal = 1, Hot = 2, Pressed = 3, Disabled = 4 };


class isButton final : public contracts::Control, public contracts::ButtonFace {
public:
    isButton();
    ~isButton() override;

    // ---- properties -------------------------------------------------------------------------------
    std::int32_t Style() const { return m_style; }
    void SetStyle(std::int32_t style);
    std::string Caption() const override { return m_caption; }
    void SetCaption(const std::string& caption) override;
    contracts::PictureRef Icon() const { return m_icon; }
    void SetIcon(contracts::PictureRef icon);
    std::int32_t IconAlign() const { return m_iconAlign; }
    void SetIconAlign(std::int32_t align);
    std::int16_t IconSize() const { return m_iconSize; }
    void SetIconSize(std::int16_t size);
    std::int32_t CaptionAlign() const { return m_captionAlign; }
    void SetCaptionAlign(std::int32_t align);
    std::int32_t NonThemeStyle() const { return m_nonThemeStyle; }
    void SetNonThemeStyle(std::int32_t style);
    bool Enabled() const override { return m_enabled; }
    void SetEnabled(bool enabled) override;
    bool ShowFocus() const { return m_showFocus; }
    void SetShowFocus(bool show);
    bool UseCustomColors() const { return m_useCustomColors; }
    void SetUseCustomColors(bool use);
    contracts::Colour BackColor() const { return m_backColor; }
    void SetBackColor(contracts::Colour colour);
    contracts::Colour HighlightColor() const { return m_highlightColor; }
    void SetHighlightColor(contracts::Colour colour);
    contracts::Colour FontColor() const { return m_fontColor; }
    void SetFontColor(contracts::Colour colour);
    contracts::Colour FontHighlightColor() const { return m_fontHighlightColor; }
    void SetFontHighlightColor(contracts::Colour colour);
    std::string ToolTipText() const override { return m_toolTipText; }
    void SetToolTipText(const std::string& text);
    std::string ToolTipTitle() const { return m_toolTipTitle; }
    void SetToolTipTitle(const std::string& title);
    std::int32_t ToolTipIcon() const { return m_toolTipIcon; }
    void SetToolTipIcon(std::int32_t icon);
    std::int32_t ToolTipType() const { return m_toolTipType; }
    void SetToolTipType(std::int32_t type);
    contracts::Colour ToolTipBackColor() const { return m_toolTipBackColor; }
    void SetToolTipBackColor(contracts::Colour colour);
    contracts::Colour ToolTipForeColor() const { return m_toolTipForeColor; }
    void SetToolTipForeColor(contracts::Colour colour);
    // The surface's font; a set changes the caption only at the next layout.
    contracts::FontRef Font() const;
    void SetFont(contracts::FontRef font);
    std::int32_t ButtonType() const { return m_buttonType; }
    void SetButtonType(std::int32_t type);
    // The surface's pointer shape.
    std::int32_t MousePointer() const;
    void SetMousePointer(std::int32_t shape);
    bool Value() const { return m_value; }
    void SetValue(bool value);
    contracts::Colour MaskColor() const { return m_maskColor; }
    void SetMaskColor(contracts::Colour colour);
    bool UseMaskColor() const { return m_useMaskColor; }
    void SetUseMaskColor(bool use);
    bool RoundedBordersByTheme() const { return m_roundedBordersByTheme; }
    void SetRoundedBordersByTheme(bool rounded);
    // Stored as 0 or -1; the reading order changes only at the next layout.
    bool RightToLeft() const { return m_rightToLeft != 0; }
    void SetRightToLeft(bool rightToLeft);
    std::string version() const { return "3.6.2"; }

    // ---- methods ----------------------------------------------------------------------------------
    // Paints the whole control now (nothing while hidden).
    void Refresh();
    // Asks the shell to open `link`; 33 on success, 2 (file not found) when it cannot.
    std::int32_t OpenLink(const std::string& link);
    // Shows the About box as a top-most window of its own.
    void About();
    // Draws `icon` in grey tones at (x, y), width x height, on any DC; false when either is missing
    // or nothing could be drawn. The pure greys of the icon stay as they are.
    bool PaintIconGrayscale(contracts::Dc* dc, const contracts::Icon* icon, int x, int y, int height, int width);

    // ---- ButtonFace ---------------------------------------------------------------------------------
    void SetClickHandler(ClickHandler handler) override { m_clickHandler = std::move(handler); }
    bool IsCheckButton() const override { return m_buttonType == CheckButton; }
    bool Checked() const override { return IsCheckButton() && m_value; }

    // ---- state a test or the gallery may read -------------------------------------------------------
    std::int32_t State() const { return m_state; }
    std::uint32_t CaptionFormat() const { return m_captionFormat; }
    std::int32_t IconMargin() const { return m_iconMargin; }
    contracts::Rect CaptionRect() const { return m_captionRect; }
    bool MouseInside() const { return m_mouseInside; }

    // ---- container notifications ----------------------------------------------------------------------
    void Initialize() override;
    void InitProperties() override;
    void ReadProperties(const contracts::PropertyBag& bag) override;
    void WriteProperties(contracts::PropertyBag& bag) override;
    void Resize() override;
    void Show() override;
    void Paint() override;
    void Hide() override;
    void Terminate() override;
    std::span<const std::string_view> EventNames() const override;
    void MouseDown(int button, int shift, float x, float y) override;
    void MouseUp(int button, int shift, float x, float y) override;
    void Click() override;
    void DblClick() override;
    void KeyDown(int keyCode, int shift) override;
    void KeyUp(int keyCode, int shift) override;
    void GotFocus() override;
    void LostFocus() override;
    void EnterFocus() override;
    void ExitFocus() override;
    void AccessKeyPress(int characterCode) override;
    void AmbientChanged(std::string_view propertyName) override;

private:
    // The events, numbered as EventNames lists them.
    enum Event : int { ClickEvent = 1, MouseEnterEvent = 2, MouseLeaveEvent = 3 };
    void Raise(Event event);
    void RaiseClick();

    void ReadFace(const contracts::PropertyBag& bag);
    void ReadToolTip(const contracts::PropertyBag& bag);

    // The resize routine: recompute the geometry and the window shape, then paint.
    void LayOut();
    void PlaceCaptionAndShape();
    void AlignCaption(const contracts::Rect& measured);
    void ShapeWindow();
    void DrawButton();
    void SettleState();
    void DrawFace();
    void DrawStandard(contracts::Dc& dc);
    void DrawSoftOrFlat(contracts::Dc& dc);
    void DrawFramed(contracts::Dc& dc);
    void DrawHighlight(contracts::Dc& dc);
    bool DrawThemed(contracts::Dc& dc);
    void DrawSkin(contracts::Dc& dc);
    // What the skins need to know of the button as it is now.
    SkinInput CurrentSkinInput();
    void DrawIcon(contracts::Dc& dc);
    contracts::Point IconPlace() const;
    void DrawIconSilhouette(contracts::Dc& dc, const contracts::Picture& picture, int x, int y);
    void DrawCaption(contracts::Dc& dc);
    // Draws `picture` at (x, y), w x h, leaving out its MaskColor pixels (with UseMaskColor): in
    // `shadow` when given, in grey when `grey`, else in its own colours.
    void MaskedPaint(contracts::Dc& dc, const contracts::Picture& picture, int x, int y, int w, int h,
                     std::optional<contracts::Colour> shadow, bool grey);
    contracts::Colour FaceColour(std::initializer_list<std::int32_t> states) const;
    contracts::Colour Sys(int index) const;
    void BuildToolTip();
    void RemoveToolTip();
    void MakeAboutPanel();
    void DrawAbout(bool pressed);
    void InstallHoverHook();
    void RemoveHoverHooks();
    void OnWindowMessage(contracts::WindowMessage message);
    // The pointer is no longer taken to be over the button: Normal, no tooltip, MouseLeave.
    void EndHover();
    void RequestLeaveNotification();
    bool PointerOver() const;
    void ContainerClickAction();
    void MarkChanged(std::string_view name);
    // Store a property, report the change, then paint (or lay out and paint).
    template <typename T>
    void SetAndPaint(T& field, std::type_identity_t<T> value, std::string_view name);
    template <typename T>
    void SetAndLayOut(T& field, std::type_identity_t<T> value, std::string_view name);

    // ---- state: each member's comment names the property or read-out it holds --------------------------
    bool m_isShown = false;                      // IsShown: nothing is painted while false
    std::int32_t m_state = 0;                    // the drawn ButtonState
    std::int32_t m_style = Standard;             // Style
    std::int32_t m_nonThemeStyle = Standard;     // NonThemeStyle
    contracts::Rect m_buttonRect;                // ButtonRect: (0, 0, width, height)
    std::string m_caption;                       // Caption
    std::int32_t m_captionAlign = Center;        // CaptionAlign
    std::int32_t m_iconAlign = Center;           // IconAlign
    contracts::PictureRef m_icon;                // Icon
    contracts::FontRef m_font;                   // the last font set through Font
    std::int16_t m_iconSize = 0;                 // IconSize
    bool m_enabled = false;                      // Enabled
    bool m_showFocus = false;                    // ShowFocus
    bool m_useCustomColors = false;              // UseCustomColors
    contracts::Colour m_backColor = 0;           // BackColor
    contracts::Colour m_highlightColor = 0;      // HighlightColor
    contracts::Colour m_fontColor = 0;           // FontColor
    contracts::Colour m_fontHighlightColor = 0;  // FontHighlightColor
    std::string m_toolTipText;                   // the control's copy of the tooltip text
    std::string m_toolTipTitle;                  // ToolTipTitle
    std::int32_t m_toolTipIcon = tiNone;         // ToolTipIcon
    std::int32_t m_toolTipType = ttStandard;     // ToolTipType
    contracts::Colour m_toolTipBackColor = 0;    // 0: the tooltip window's own colour
    contracts::Colour m_toolTipForeColor = 0;    // 0: the tooltip window's own colour
    std::int32_t m_buttonType = PushButton;      // ButtonType
    bool m_value = false;                        // Value: checked state of a CheckButton
    contracts::Colour m_maskColor = 0;           // MaskColor
    bool m_useMaskColor = false;                 // UseMaskColor
    bool m_roundedBordersByTheme = false;        // RoundedBordersByTheme
    std::int32_t m_rightToLeft = 0;              // RightToLeft: 0 or -1
    std::int32_t m_iconMargin = 0;               // IconMargin: set per style at every paint
    std::uint32_t m_captionFormat = 0;           // CaptionFormat
    std::int16_t m_lastMouseButton = 0;          // LastMouseButton: 0 until the first release
    contracts::Rect m_captionRect;               // CaptionRect: where the caption is drawn
    bool m_hasFocus = false;                     // HasFocus
    bool m_mouseInside = false;                  // MouseInside: from the first move until the leave
    bool m_trackingAvailable = false;            // a leave notification can be asked for
    int m_themedShapeState = 0;                  // the theme state whose outline the window has; 0: none
    std::unique_ptr<contracts::ToolTipWindow> m_toolTipWindow; // the tooltip window, while up
    contracts::ToolInfo m_toolInfo;              // the tool record sent with it
    std::unique_ptr<contracts::PanelWindow> m_about; // the About box
    std::uint32_t m_aboutStyle = 0;              // its window style as first created
    std::unique_ptr<contracts::MessageHook> m_hoverHook;
    ClickHandler m_clickHandler;
};

} // namespace plainquill::isbutton
