#pragma once
// A host without a window, for the controls' tests and the gallery: the same container as the
// Qt host, with a fake cursor, timers that tick only when the test moves the clock on, and a
// record of the events raised, the properties marked changed and the notifications delivered.
//
// Each input method delivers what the platform would, in its order, and then lets the "message
// loop" go idle: queued focus moves happen and the window repaints (Paint) if it has to.
#include "platform/host/control_site.h"
#include "platform/host/fake_clock.h"
#include "platform/host/raster_panel.h"
#include "platform/raster/qstyle_theme.h"
#include "platform/raster/raster_graphics.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <string>
#include <vector>

namespace plainquill::host {

struct HeadlessOptions {
    std::string name = "Control1";
    bool userMode = true;
    contracts::Size size{100, 30};
    contracts::Point screenOrigin{200, 100};    // where client (0, 0) is on the fake screen
    contracts::Point positionInParent{24, 16};  // pixels
    contracts::Size parentSize{400, 300};
    contracts::Theme* theme = nullptr;          // the application's style when null
    int scale = 1;                              // the screen's device pixels per logical pixel
    bool glyphs = true;                         // false: text takes its place but leaves no ink
    bool messageHooks = true;                   // false: a container that cannot hook its window
};

// What a tooltip window made through the headless host was told, and whether it still exists.
struct RecordedToolTip {
    std::uint32_t style = 0;
    std::vector<contracts::ToolInfo> tools;
    std::optional<std::pair<int, std::string>> title; // icon, title
    std::optional<contracts::Colour> textColour;
    std::optional<contracts::Colour> bkColour;
    bool destroyed = false;
};

struct RecordedEvent {
    std::string name;
    std::vector<contracts::EventArgument> arguments;
};

// What the graphics and theme of a headless host are made of; built before the site.
struct HeadlessResources {
    HeadlessResources();
    raster::RasterGraphics rasterGraphics;
    raster::QStyleTheme styleTheme;
};

class HeadlessHost final : private HeadlessResources, public ControlSite {
public:
    explicit HeadlessHost(std::unique_ptr<contracts::Control> control, HeadlessOptions options = {});
    ~HeadlessHost() override;

    template <class C>
    C& controlAs()
    {
        return dynamic_cast<C&>(control());
    }

    // ---- loading, in the container's order: ... Resize, Show, then Paint when the loop idles ----
    void loadNew();
    void load(const contracts::PropertyBag& bag);
    void resize(contracts::Size pixels);
    void hide();
    void show();
    // What the message loop does when nothing else is waiting.
    void idle();

    // ---- input (client pixels) -------------------------------------------------------------------
    // Only a press over the control's shape reaches it; while a button is held or the mouse is
    // captured, moves and the release reach it wherever they are.
    void press(int button, contracts::Point at, int shift = 0);
    void release(int button, contracts::Point at, int shift = 0);
    void click(contracts::Point at, int button = contracts::MOUSE_LEFT);
    void doubleClick(contracts::Point at, int button = contracts::MOUSE_LEFT);
    // Moves the cursor; the control hears of it while the pointer is over its shape, a button is
    // held or it has the capture. Leaving the shape sends a tracked MouseLeave (to a disabled
    // control once it is enabled again, as the window host does).
    void moveMouse(contracts::Point at, int shift = 0);
    // Moves the fake cursor without any message (as if another window had it).
    void setCursorPos(contracts::Point screen) { m_cursor = screen; }
    void keyDown(int keyCode, int shift = 0, int characterCode = 0); // needs the focus
    void keyUp(int keyCode, int shift = 0);
    void giveFocus();
    void removeFocus();
    // Alt+character: reaches the control when AccessKeys holds it (any case).
    bool pressAccessKey(char character);
    void advanceTime(int milliseconds);
    void themeChanged();

    // ---- what the test arranges ----------------------------------------------------------------------
    // Runs with every raised event; it may change the arguments passed by reference.
    void setEventResponder(std::function<void(RecordedEvent&)> responder) { m_responder = std::move(responder); }
    // Work the next DoEvents runs (a message waiting behind the current one).
    void queueForDoEvents(std::function<void()> work) { m_waiting.push_back(std::move(work)); }
    void setParentBackground(contracts::Bitmap background) { m_parentBackground = std::move(background); }
    void setParentPicture(contracts::PictureRef picture) { m_parentPicture = std::move(picture); }
    void failNavigation(bool fail) { m_failNavigation = fail; }

    // ---- what the test reads -------------------------------------------------------------------------
    const std::vector<RecordedEvent>& events() const { return m_events; }
    std::vector<std::string> eventNames() const;
    const std::vector<std::string>& changedProperties() const { return m_changed; }
    const std::vector<std::string>& notifications() const { return m_notifications; }
    const std::vector<std::string>& errors() const { return m_errors; }
    const std::vector<std::string>& sentKeys() const { return m_sentKeys; }
    const std::vector<std::string>& navigations() const { return m_navigations; }
    // Every tooltip window made, oldest first.
    const std::vector<std::shared_ptr<RecordedToolTip>>& toolTips() const { return m_toolTips; }
    // The panels the control made, oldest first (null once the control let one go).
    std::vector<RasterPanel*> panels() const;
    const std::vector<std::string>& shellOpens() const { return m_shellOpens; }
    const std::vector<std::string>& wavesPlayed() const { return m_wavesPlayed; }
    void clearRecords();
    bool hasFocus() const { return m_focused; }
    bool hasCapture() const { return m_capture; }
    // How often the host was told that the window's pixels changed: a window repaints for each.
    int windowUpdates() const { return m_windowUpdates; }
    const contracts::Bitmap& pixels() const { return windowPixels(); }
    contracts::Colour pixel(int x, int y) const { return windowPixels().pixel(x, y); }
    // The window as a screen of HeadlessOptions::scale shows it.
    const contracts::Bitmap& devicePixels() const { return windowDevicePixels(); }

    // ---- Container: the platform's part ----------------------------------------------------------------
    contracts::WindowHandle hWnd() const override;
    std::unique_ptr<contracts::ChildTimer> CreateTimer(std::function<void()> onTick) override;
    void DoEvents() override;
    void SendKeys(std::string_view keys) override;
    void NavigateTo(std::string_view address) override;
    void ShellOpen(std::string_view document) override { m_shellOpens.emplace_back(document); }
    void PlayWave(std::string_view path) override { m_wavesPlayed.emplace_back(path); }
    contracts::Point GetCursorPos() const override { return m_cursor; }
    contracts::WindowHandle WindowFromPoint(contracts::Point screen) const override;
    contracts::Point ClientToScreen(contracts::Point client) const override;
    void SetCapture() override { m_capture = true; }
    void ReleaseCapture() override { m_capture = false; }
    contracts::WindowHandle ParentWindow() const override;
    std::unique_ptr<contracts::Dc> ParentWindowDc() override;
    contracts::PictureRef ParentPicture() const override { return m_parentPicture; }
    std::unique_ptr<contracts::ToolTipWindow> CreateToolTipWindow(std::uint32_t style) override;
    std::unique_ptr<contracts::PanelWindow> CreatePanel(contracts::Size size) override;
    std::unique_ptr<contracts::MessageHook> HookWindowMessages(
        std::function<void(contracts::WindowMessage)> handler) override;

private:
    void surfaceChanged() override { ++m_windowUpdates; }
    void applyEnabled(bool enabled) override;
    void applyRegion(const std::optional<contracts::Region>&) override {}
    void applyPointer(int, const contracts::PictureRef&) override {}
    void applyAccessKeys(const std::string&) override {}
    void applyToolTip(const std::string&) override {}
    void requestSize(contracts::Size pixels) override { resizeTo(pixels); }
    contracts::Point positionInParent() const override { return m_options.positionInParent; }
    void takeFocus() override { giveFocus(); }
    bool capturing() const override { return m_capture; }

    void record(std::string_view event, std::span<contracts::EventArgument> arguments);
    void pointerMovedTo(contracts::Point at);
    void rereadPointer();

    HeadlessOptions m_options;
    FakeClock m_clock;
    contracts::Point m_cursor;
    int m_buttonsHeld = 0;
    bool m_pointerInside = false;
    bool m_pointerToReread = false; // the enabled state changed: look where the pointer is when idle
    bool m_focused = false;
    bool m_capture = false;
    bool m_failNavigation = false;
    int m_windowUpdates = 0;
    contracts::Bitmap m_parentBackground;
    contracts::PictureRef m_parentPicture;
    std::deque<std::function<void()>> m_waiting;
    std::deque<std::string> m_pendingKeys;
    std::function<void(RecordedEvent&)> m_responder;

    std::vector<RecordedEvent> m_events;
    std::vector<std::string> m_changed;
    std::vector<std::string> m_notifications;
    std::vector<std::string> m_errors;
    std::vector<std::string> m_sentKeys;
    std::vector<std::string> m_navigations;
    std::vector<std::shared_ptr<RecordedToolTip>> m_toolTips;
    std::vector<std::weak_ptr<bool>> m_panelsAlive;
    std::vector<RasterPanel*> m_panels;
    std::vector<std::string> m_shellOpens;
    std::vector<std::string> m_wavesPlayed;
};

} // namespace plainquill::host
