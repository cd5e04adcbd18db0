#pragma once
// The part of hosting a drawn control that does not depend on where it is shown: the control's
// surface and properties, the ambient and extender objects, events and property-changed notices,
// and the translation of input into the container's notifications in their order. The Qt widget
// host and the headless test host derive from it and supply the platform: timers, the cursor,
// focus, capture, the parent window, and showing the pixels.
#include "controls/contracts/container.h"
#include "controls/contracts/control.h"
#include "platform/host/control_surface.h"
#include "platform/host/message_hooks.h"
#include "platform/raster/raster_graphics.h"
#include "platform/raster/scaled_graphics.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace plainquill::host {

struct SiteOptions {
    std::string name;                 // the instance's name: Extender.Name and Ambient.DisplayName
    bool userMode = true;             // run mode
    contracts::FontRef ambientFont{}; // the form's font; a default font object when null
    // Where a control's relative file names (its sounds) are taken from: the program's own files.
    // Empty: the running program's folder.
    std::string resourceFolder{};
};

class ControlSite : public contracts::Container {
public:
    using EventHandler = std::function<void(std::string_view event, std::span<contracts::EventArgument>)>;
    using ChangeHandler = std::function<void(std::string_view property)>;
    using ErrorHandler = std::function<void(std::string_view notification, const std::exception&)>;

    ControlSite(raster::RasterGraphics& graphics, contracts::Theme& theme, std::unique_ptr<contracts::Control> control,
                SiteOptions options);
    ~ControlSite() override;

    contracts::Control& control() { return *m_control; }
    const contracts::Control& control() const { return *m_control; }

    void setEventHandler(EventHandler handler) { m_onEvent = std::move(handler); }
    void setPropertyChangedHandler(ChangeHandler handler) { m_onChanged = std::move(handler); }
    void setErrorHandler(ErrorHandler handler) { m_onError = std::move(handler); }
    // Told the name of every notification just before the control receives it.
    void setNotificationObserver(ChangeHandler observer) { m_onNotification = std::move(observer); }
    // The container names its instances (Ambient.DisplayName, Extender.Name); a window may name
    // one only after making it.
    void setInstanceName(const std::string& name);

    // ---- lifecycle, as the host drives it ----------------------------------------------------------
    void initializeNew();                                   // Initialize, InitProperties
    void initializeFrom(const contracts::PropertyBag& bag); // Initialize, ReadProperties
    // The instance's stored form: its size as "_ExtentX"/"_ExtentY" (HIMETRIC), then what the
    // control writes in WriteProperties.
    contracts::PropertyBag save();
    void resizeTo(contracts::Size pixels); // new surface size, then Resize
    void showControl();
    void hideControl();
    void terminate(); // once; later calls do nothing
    // When the window's pixels are out of date (shown, resized, cleared, Refresh, drawing in the
    // persistent image): the window takes the persistent image again and, with AutoRedraw off,
    // the control gets Paint. Hosts call this whenever the window repaints.
    bool bringUpToDate();
    const contracts::Bitmap& windowPixels() const { return m_surface.windowPixels(); }
    contracts::Size clientSize() const { return m_surface.size(); }
    // The screen's device pixels per logical pixel (a whole number): the control keeps drawing in
    // logical pixels and the window's pixels are drawn again at the new scale.
    int scale() const { return m_surface.scale(); }
    void setScale(int scale);
    // The window's pixels at that scale: what the screen shows.
    const contracts::Bitmap& windowDevicePixels() const { return m_surface.windowDevicePixels(); }

    // ---- input, in pixels of the client area -------------------------------------------------------
    void mousePressed(int button, int shift, contracts::Point at);
    // The second press of a double click: DblClick in place of MouseDown; its release gives MouseUp
    // and no Click.
    void mouseDoubleClicked(int button, int shift, contracts::Point at);
    void mouseMoved(int buttons, int shift, contracts::Point at);
    // MouseUp, then Click when the release is over the control's shape.
    void mouseReleased(int button, int shift, contracts::Point at);
    void keyPressed(int keyCode, int shift, int characterCode); // KeyDown, then KeyPress if a character
    void keyReleased(int keyCode, int shift);
    void focusEntered(); // EnterFocus, GotFocus
    void focusLeft();    // LostFocus, ExitFocus
    // An Alt+key matching AccessKeys: the focus comes to the control (when it takes focus), then
    // AccessKeyPress with the key's character.
    void accessKeyPressed(int characterCode);
    void setDisplayAsDefault(bool isDefault);
    // The window handled a message: the control's hooks see it (as a notification).
    void windowMessage(contracts::WindowMessage message);
    // The pointer left the window: a MouseLeave message if one was asked for.
    void pointerLeft();
    // Inside the client area and the window shape.
    bool isInsideShape(contracts::Point at) const;
    const std::optional<contracts::Region>& windowRegion() const { return m_region; }

    // Runs `handler` as a notification: an error ends it (and goes to the error handler), and the
    // platform is told the pixels may have changed.
    void deliver(std::string_view notification, const std::function<void()>& handler);

    // ---- Container: the parts every host shares ------------------------------------------------------
    contracts::Dc& hDC() override;
    contracts::Graphics& graphics() override { return m_scaledGraphics; }
    contracts::Theme& theme() override { return m_theme; }
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    double ScaleLeft() const override { return 0; }
    double ScaleTop() const override { return 0; }
    contracts::ScaleUnit ScaleMode() const override { return m_scaleMode; }
    void SetScaleMode(contracts::ScaleUnit unit) override { m_scaleMode = unit; }
    double Width() const override;
    double Height() const override;
    void SetWidth(double twips) override;
    void SetHeight(double twips) override;
    void SetAutoRedraw(bool on) override;
    contracts::Colour BackColor() const override { return m_backColour; }
    void SetBackColor(contracts::Colour colour) override;
    contracts::Colour ForeColor() const override { return m_foreColour; }
    void SetForeColor(contracts::Colour colour) override;
    contracts::FontRef Font() const override { return m_font; }
    void SetFont(contracts::FontRef font) override;
    bool Enabled() const override { return m_enabled; }
    void SetEnabled(bool enabled) override;
    void Cls() override;
    void Refresh() override;
    void PaintPicture(const contracts::Picture& picture, int x, int y, int width = 0, int height = 0) override;
    int MousePointer() const override { return m_pointer; }
    void SetMousePointer(int shape) override;
    contracts::PictureRef MouseIcon() const override { return m_mouseIcon; }
    void SetMouseIcon(contracts::PictureRef picture) override;
    std::string AccessKeys() const override { return m_accessKeys; }
    void SetAccessKeys(std::string keys) override;
    std::optional<contracts::Rect> ClientRect(contracts::WindowHandle window) const override;
    void SetWindowRgn(std::optional<contracts::Region> region) override;
    void PropertyChanged(std::string_view name) override;
    void RaiseEvent(int number, std::span<contracts::EventArgument> arguments) override;
    const contracts::AmbientProperties& Ambient() const override { return m_ambient; }
    contracts::ExtenderObject& Extender() override;
    std::unique_ptr<contracts::MessageHook> HookWindowMessages(
        std::function<void(contracts::WindowMessage)> handler) override;
    bool TrackMouseLeave() override;
    contracts::ScaleUnit ParentScaleMode() const override { return contracts::ScaleUnit::Twips; }

protected:
    // ---- what each platform supplies -----------------------------------------------------------------
    virtual void surfaceChanged() = 0;                      // the window's pixels may have changed
    virtual void applyEnabled(bool enabled) = 0;
    virtual void applyRegion(const std::optional<contracts::Region>& region) = 0;
    virtual void applyPointer(int shape, const contracts::PictureRef& icon) = 0;
    virtual void applyAccessKeys(const std::string& keys) = 0;
    virtual void applyToolTip(const std::string& text) = 0;
    virtual void requestSize(contracts::Size pixels) = 0;   // must end in resizeTo
    virtual contracts::Point positionInParent() const = 0;  // pixels
    virtual void takeFocus() = 0;
    virtual bool capturing() const = 0;

private:
    class SiteExtender;

    // Tells the platform the window's pixels changed, only when they did since it was last told or
    // the window waits for Paint: a notification that draws nothing new (a hover timer finding the
    // pointer still there) must not cost the window a repaint.
    void showChanges();

    contracts::Colour resolved(contracts::Colour colour) const;
    void applyColours();
    float toScale(int pixels) const;

    raster::RasterGraphics& m_graphics;
    raster::ScaledGraphics m_scaledGraphics;
    contracts::Theme& m_theme;
    std::unique_ptr<contracts::Control> m_control;
    ControlSurface m_surface;
    contracts::AmbientProperties m_ambient;
    std::unique_ptr<SiteExtender> m_extender;
    MessageHooks m_hooks;

    contracts::ScaleUnit m_scaleMode = contracts::ScaleUnit::Twips;
    contracts::Colour m_backColour = contracts::sysColourRef(contracts::COLOR_BTNFACE);
    contracts::Colour m_foreColour = contracts::sysColourRef(contracts::COLOR_BTNTEXT);
    contracts::FontRef m_font;
    bool m_enabled = true;
    int m_pointer = contracts::POINTER_DEFAULT;
    contracts::PictureRef m_mouseIcon;
    std::string m_accessKeys;
    std::optional<contracts::Region> m_region;

    bool m_windowStale = true;
    bool m_inPaint = false; // Paint is being delivered
    contracts::Bitmap m_toldPixels; // the window's device pixels when the platform was last told
    bool m_releaseEndsDoubleClick = false;
    bool m_terminated = false;

    EventHandler m_onEvent;
    ChangeHandler m_onChanged;
    ErrorHandler m_onError;
    ChangeHandler m_onNotification;
};

} // namespace plainquill::host
