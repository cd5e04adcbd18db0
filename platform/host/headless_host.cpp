#include "platform/host/headless_host.h"

#include "platform/raster/xp_system_colours.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace plainquill::host {

using namespace contracts;

namespace {

// Writes down what it is told; marks the record destroyed with the window.
class RecordingToolTip final : public ToolTipWindow {
public:
    explicit RecordingToolTip(std::shared_ptr<RecordedToolTip> record) : m_record(std::move(record)) {}
    ~RecordingToolTip() override { m_record->destroyed = true; }

    void AddTool(const ToolInfo& tool) override { m_record->tools.push_back(tool); }
    void DelTool(const ToolInfo& tool) override
    {
        std::erase_if(m_record->tools, [&](const ToolInfo& t) { return t.window == tool.window && t.id == tool.id; });
    }
    void SetTitle(int icon, const std::string& title) override { m_record->title = {icon, title}; }
    void SetTipTextColor(Colour colour) override { m_record->textColour = colour; }
    void SetTipBkColor(Colour colour) override { m_record->bkColour = colour; }

private:
    std::shared_ptr<RecordedToolTip> m_record;
};

// A raster panel that tells the host when it is gone.
class HeadlessPanel final : public RasterPanel {
public:
    HeadlessPanel(Graphics& graphics, Size size) : RasterPanel(graphics, size) {}
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

} // namespace

HeadlessResources::HeadlessResources() : rasterGraphics(raster::xpSystemColours()) {}

HeadlessHost::HeadlessHost(std::unique_ptr<Control> control, HeadlessOptions options)
    : ControlSite(rasterGraphics, options.theme ? *options.theme : styleTheme, std::move(control), {options.name, options.userMode, nullptr}),
      m_options(std::move(options)),
      m_clock([this](const std::function<void()>& tick) { deliver("Timer", tick); })
{
    m_cursor = {m_options.screenOrigin.x - 50, m_options.screenOrigin.y - 50}; // away from the control
    setScale(m_options.scale);
    rasterGraphics.context()->drawsGlyphs = m_options.glyphs;
    setEventHandler([this](std::string_view name, std::span<EventArgument> arguments) { record(name, arguments); });
    setPropertyChangedHandler([this](std::string_view name) { m_changed.emplace_back(name); });
    setNotificationObserver([this](std::string_view name) { m_notifications.emplace_back(name); });
    setErrorHandler([this](std::string_view notification, const std::exception& error) {
        m_errors.push_back(std::string(notification) + ": " + error.what());
    });
}

HeadlessHost::~HeadlessHost() { terminate(); }

void HeadlessHost::loadNew()
{
    initializeNew();
    resizeTo(m_options.size);
    showControl();
    idle();
}

void HeadlessHost::load(const PropertyBag& bag)
{
    initializeFrom(bag);
    resizeTo(m_options.size);
    showControl();
    idle();
}

void HeadlessHost::resize(Size pixels)
{
    resizeTo(pixels);
    idle();
}

void HeadlessHost::hide() { hideControl(); }

void HeadlessHost::show()
{
    showControl();
    idle();
}

void HeadlessHost::idle()
{
    while (!m_pendingKeys.empty()) {
        const std::string keys = m_pendingKeys.front();
        m_pendingKeys.pop_front();
        m_sentKeys.push_back(keys);
        if ((keys == "{TAB}" || keys == "+{TAB}") && m_focused)
            removeFocus(); // the focus goes to the next (or previous) control of the window
    }
    if (std::exchange(m_pointerToReread, false))
        rereadPointer();
    bringUpToDate();
}

// What the window host does once the enabled state changed: a leave the control did not hear while
// disabled, or the pointer it finds resting on it once enabled.
void HeadlessHost::rereadPointer()
{
    if (!m_pointerInside)
        pointerLeft();
    else if (Enabled())
        mouseMoved(m_buttonsHeld, 0, {m_cursor.x - m_options.screenOrigin.x, m_cursor.y - m_options.screenOrigin.y});
}

void HeadlessHost::record(std::string_view event, std::span<EventArgument> arguments)
{
    RecordedEvent recorded{std::string(event), {arguments.begin(), arguments.end()}};
    if (m_responder) {
        m_responder(recorded);
        std::copy_n(recorded.arguments.begin(), std::min(recorded.arguments.size(), arguments.size()),
                    arguments.begin());
    }
    m_events.push_back(std::move(recorded));
}

std::vector<std::string> HeadlessHost::eventNames() const
{
    std::vector<std::string> names;
    for (const RecordedEvent& e : m_events)
        names.push_back(e.name);
    return names;
}

void HeadlessHost::clearRecords()
{
    m_events.clear();
    m_changed.clear();
    m_notifications.clear();
    m_errors.clear();
    m_sentKeys.clear();
    m_navigations.clear();
    m_shellOpens.clear();
    m_wavesPlayed.clear();
}

void HeadlessHost::pointerMovedTo(Point at)
{
    m_cursor = ClientToScreen(at);
    const bool inside = isInsideShape(at);
    if (m_pointerInside && !inside && Enabled())
        pointerLeft(); // a disabled window hears of it once enabled again
    m_pointerInside = inside;
}

void HeadlessHost::press(int button, Point at, int shift)
{
    pointerMovedTo(at);
    if (!isInsideShape(at) && !m_capture)
        return; // the press belongs to whatever lies below
    m_buttonsHeld |= button;
    mousePressed(button, shift, at);
    idle();
}

void HeadlessHost::release(int button, Point at, int shift)
{
    pointerMovedTo(at);
    const bool held = m_buttonsHeld & button;
    m_buttonsHeld &= ~button;
    if (held || m_capture)
        mouseReleased(button, shift, at);
    idle();
}

void HeadlessHost::click(Point at, int button)
{
    press(button, at);
    release(button, at);
}

void HeadlessHost::doubleClick(Point at, int button)
{
    click(at, button);
    pointerMovedTo(at);
    if (!isInsideShape(at))
        return;
    m_buttonsHeld |= button;
    mouseDoubleClicked(button, 0, at);
    idle();
    release(button, at);
}

void HeadlessHost::moveMouse(Point at, int shift)
{
    pointerMovedTo(at);
    if (m_pointerInside || m_buttonsHeld != 0 || m_capture)
        mouseMoved(m_buttonsHeld, shift, at);
    idle();
}

void HeadlessHost::keyDown(int keyCode, int shift, int characterCode)
{
    if (!m_focused)
        return;
    keyPressed(keyCode, shift, characterCode);
    idle();
}

void HeadlessHost::keyUp(int keyCode, int shift)
{
    if (!m_focused)
        return;
    keyReleased(keyCode, shift);
    idle();
}

void HeadlessHost::giveFocus()
{
    if (m_focused || !Enabled() || !control().CanGetFocus())
        return;
    m_focused = true;
    focusEntered();
}

void HeadlessHost::removeFocus()
{
    if (!m_focused)
        return;
    m_focused = false;
    focusLeft();
}

bool HeadlessHost::pressAccessKey(char character)
{
    const auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    const std::string keys = AccessKeys();
    const bool known = std::any_of(keys.begin(), keys.end(), [&](char k) { return lower(k) == lower(character); });
    if (!known || !Enabled())
        return false;
    accessKeyPressed(lower(character));
    idle();
    return true;
}

void HeadlessHost::advanceTime(int milliseconds)
{
    m_clock.advance(milliseconds);
    idle();
}

void HeadlessHost::themeChanged()
{
    windowMessage(WindowMessage::ThemeChanged);
    idle();
}

void HeadlessHost::applyEnabled(bool enabled)
{
    if (!enabled)
        removeFocus(); // a disabled window cannot keep the focus
    m_pointerToReread = true;
}

WindowHandle HeadlessHost::hWnd() const { return reinterpret_cast<WindowHandle>(this); }

WindowHandle HeadlessHost::ParentWindow() const { return reinterpret_cast<WindowHandle>(&m_options); }

std::unique_ptr<ChildTimer> HeadlessHost::CreateTimer(std::function<void()> onTick)
{
    return m_clock.createTimer(std::move(onTick));
}

void HeadlessHost::DoEvents()
{
    std::deque<std::function<void()>> waiting;
    waiting.swap(m_waiting);
    for (const auto& work : waiting)
        work();
    idle();
}

std::unique_ptr<ToolTipWindow> HeadlessHost::CreateToolTipWindow(std::uint32_t style)
{
    auto record = std::make_shared<RecordedToolTip>();
    record->style = style;
    m_toolTips.push_back(record);
    return std::make_unique<RecordingToolTip>(std::move(record));
}

std::unique_ptr<PanelWindow> HeadlessHost::CreatePanel(Size size)
{
    auto panel = std::make_unique<HeadlessPanel>(rasterGraphics, size);
    m_panelsAlive.push_back(panel->alive);
    m_panels.push_back(panel.get());
    return panel;
}

std::vector<RasterPanel*> HeadlessHost::panels() const
{
    std::vector<RasterPanel*> panels;
    for (std::size_t i = 0; i < m_panels.size(); ++i)
        panels.push_back(m_panelsAlive[i].expired() ? nullptr : m_panels[i]);
    return panels;
}

std::unique_ptr<MessageHook> HeadlessHost::HookWindowMessages(std::function<void(WindowMessage)> handler)
{
    return m_options.messageHooks ? ControlSite::HookWindowMessages(std::move(handler)) : nullptr;
}

void HeadlessHost::SendKeys(std::string_view keys) { m_pendingKeys.emplace_back(keys); }

void HeadlessHost::NavigateTo(std::string_view address)
{
    m_navigations.emplace_back(address);
    if (m_failNavigation)
        throw std::runtime_error("the address cannot be opened");
}

Point HeadlessHost::ClientToScreen(Point client) const
{
    return {client.x + m_options.screenOrigin.x, client.y + m_options.screenOrigin.y};
}

WindowHandle HeadlessHost::WindowFromPoint(Point screen) const
{
    const Point client{screen.x - m_options.screenOrigin.x, screen.y - m_options.screenOrigin.y};
    if (isInsideShape(client))
        return hWnd();
    const Point parentOrigin{m_options.screenOrigin.x - m_options.positionInParent.x,
                             m_options.screenOrigin.y - m_options.positionInParent.y};
    const Rect parent = Rect::fromSize(parentOrigin.x, parentOrigin.y, m_options.parentSize.width,
                                       m_options.parentSize.height);
    return parent.contains(screen) ? ParentWindow() : 0;
}

std::unique_ptr<Dc> HeadlessHost::ParentWindowDc()
{
    Bitmap background = m_parentBackground.isNull() ? Bitmap::create(m_options.parentSize) : m_parentBackground.copy();
    std::unique_ptr<Dc> dc = rasterGraphics.createMemoryDc();
    dc->selectBitmap(background);
    if (m_parentBackground.isNull())
        dc->fillRect(background.bounds(), Brush::solid(kWhite));
    return dc;
}

} // namespace plainquill::host
