// The Qt host on the offscreen platform: Qt's events become the container's notifications in
// their order, the window region stops clicks, access keys work from anywhere in the window,
// Tab and sent "{TAB}" move the focus, and the widget shows the control's pixels.
#include "platform/host/host_widget.h"
#include "platform/raster/qstyle_theme.h"
#include "platform/raster/raster_graphics.h"
#include "platform/raster/xp_system_colours.h"
#include "probe_control.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace plainquill::host {
namespace {

using namespace contracts;
using testing::ProbeControl;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

// Records the mouse presses that reach it: what lies below a shaped control.
class Underneath : public QWidget {
public:
    using QWidget::QWidget;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

// The log without the entries starting with `prefix` (the pointer's moves, the focus the
// window hands its first control when it is activated).
std::vector<std::string> without(const std::vector<std::string>& log, std::initializer_list<std::string_view> prefixes)
{
    std::vector<std::string> kept;
    for (const std::string& entry : log)
        if (std::none_of(prefixes.begin(), prefixes.end(), [&](std::string_view p) { return entry.starts_with(p); }))
            kept.push_back(entry);
    return kept;
}

bool waitFor(const std::function<bool()>& condition)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

class HostWidgetTest : public ::testing::Test {
protected:
    HostWidgetTest() : graphics(raster::xpSystemColours())
    {
        window.resize(300, 200);
        underneath = new Underneath(&window);
        underneath->setGeometry(0, 0, 300, 200);
    }

    // A probe hosted at (10, 10), 100 x 30, loaded from a stored form.
    ProbeControl& host(const char* name = "Probe1", QRect where = {10, 10, 100, 30})
    {
        auto probe = std::make_unique<ProbeControl>();
        ProbeControl& ref = *probe;
        auto* widget = new HostWidget(std::move(probe), graphics, theme, {.name = name}, &window);
        widget->load(PropertyBag{});
        widget->setGeometry(where);
        widgets.push_back(widget);
        return ref;
    }
    ControlSite& site(int i = 0) { return widgets.at(i)->site(); }

    void showWindow()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Mouse input through the window, so Qt decides which widget is under the point.
    void clickWindowAt(QPoint p) { QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, p); }

    raster::RasterGraphics graphics;
    raster::QStyleTheme theme;
    QWidget window;
    Underneath* underneath = nullptr;
    std::vector<HostWidget*> widgets;
};

TEST_F(HostWidgetTest, LoadsInTheContainersOrder)
{
    ProbeControl& probe = host();
    showWindow();
    // The pointer left here by an earlier test brings a move as the window shows, after the paint.
    ASSERT_TRUE(waitFor([&] { return std::find(probe.log.begin(), probe.log.end(), "Paint") != probe.log.end(); }));
    EXPECT_THAT(without(probe.log, {"EnterFocus", "GotFocus"}),
                ElementsAre("Initialize", "ReadProperties", "Resize", "Show", "Paint"));
    EXPECT_EQ(site().clientSize(), (Size{100, 30}));
}

TEST_F(HostWidgetTest, ShowsTheControlsPixels)
{
    ProbeControl& probe = host();
    probe.during["Paint"] = [&] { probe.container().hDC().fillRect({0, 0, 100, 30}, Brush::solid(0xFF0000)); };
    showWindow();
    // The pointer left here by an earlier test brings a move as the window shows, after the paint.
    ASSERT_TRUE(waitFor([&] { return std::find(probe.log.begin(), probe.log.end(), "Paint") != probe.log.end(); }));
    const QImage shown = widgets[0]->grab().toImage();
    EXPECT_EQ(shown.pixel(5, 5), qRgb(0, 0, 255)); // 0x00BBGGRR: blue
}

TEST_F(HostWidgetTest, DoubleClickReplacesTheSecondMouseDown)
{
    ProbeControl& probe = host();
    showWindow();
    site().SetScaleMode(ScaleUnit::Pixels);
    probe.clear();
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(13, 14));
    EXPECT_THAT(without(probe.log, {"MouseMove"}), ElementsAre("MouseDown 1 0 3 4", "MouseUp 1 0 3 4", "Click", "DblClick",
                                       "MouseUp 1 0 3 4"));
}

TEST_F(HostWidgetTest, TheWindowRegionStopsClicksOutsideTheShape)
{
    ProbeControl& probe = host();
    showWindow();
    site().SetWindowRgn(site().graphics().createRectRgn({50, 0, 100, 30})); // the right half only
    probe.clear();

    clickWindowAt({20, 20}); // the cut-away left half: what lies below gets it
    EXPECT_TRUE(std::none_of(probe.log.begin(), probe.log.end(), [](auto& s) { return s.starts_with("Mouse"); }));
    EXPECT_EQ(underneath->presses, 1);

    clickWindowAt({80, 20});
    EXPECT_THAT(probe.log, ::testing::Contains("Click"));
    EXPECT_EQ(underneath->presses, 1);

    site().SetWindowRgn(std::nullopt);
    probe.clear();
    clickWindowAt({20, 20});
    EXPECT_THAT(probe.log, ::testing::Contains("Click"));
}

TEST_F(HostWidgetTest, DisabledControlGetsNoClicks)
{
    ProbeControl& probe = host();
    showWindow();
    site().SetEnabled(false);
    EXPECT_FALSE(widgets[0]->isEnabled());
    probe.clear();
    clickWindowAt({40, 20});
    EXPECT_TRUE(probe.log.empty());
    site().SetEnabled(true);
    clickWindowAt({40, 20});
    EXPECT_THAT(probe.log, ::testing::Contains("Click"));
}

// A disabled control hears nothing of the pointer: when its Enabled changes, the host reads where
// the pointer is and sends the leave or the entry the control missed, once.
TEST_F(HostWidgetTest, EnablingOrDisablingReReadsWhereThePointerIs)
{
    struct Case {
        const char* name;
        QPoint pointerAfter;    // in the window; the probe covers (10, 10) to (109, 39)
        bool movesAsDisabled;   // before the host has looked; otherwise while it is disabled
        bool enabledAgain;
        std::vector<WindowMessage> expected;
    };
    const Case cases[] = {
        {"leaves as it is disabled", {200, 150}, true, false, {WindowMessage::MouseLeave}},
        {"leaves while disabled, enabled again", {200, 150}, false, true, {WindowMessage::MouseLeave}},
        {"stays while disabled, enabled again", {50, 20}, false, true, {WindowMessage::MouseMove}},
    };
    host();
    showWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<WindowMessage> heard;
        const auto hook = site().HookWindowMessages([&](WindowMessage m) { heard.push_back(m); });
        QCursor::setPos(window.mapToGlobal(QPoint(40, 20)));
        QTest::mouseMove(window.windowHandle(), {40, 20});
        QCoreApplication::processEvents();
        site().TrackMouseLeave(); // as a hovered button asks
        heard.clear();
        site().SetEnabled(false);
        if (!c.movesAsDisabled)
            QCoreApplication::processEvents();
        QCursor::setPos(window.mapToGlobal(c.pointerAfter));
        QCoreApplication::processEvents();
        if (c.enabledAgain)
            site().SetEnabled(true);
        QCoreApplication::processEvents();
        EXPECT_EQ(heard, c.expected);
        site().SetEnabled(true);
        QCoreApplication::processEvents();
    }
}

// Qt drops a move to the place it last saw the pointer, so a pointer coming back to that place
// brings only an entry: the control hears the entry as a move.
TEST_F(HostWidgetTest, AnEntryIsAMove)
{
    ProbeControl& probe = host();
    showWindow();
    std::vector<WindowMessage> heard;
    const auto hook = site().HookWindowMessages([&](WindowMessage m) { heard.push_back(m); });
    probe.clear();
    QEnterEvent entry(QPointF(30, 10), QPointF(40, 20), window.mapToGlobal(QPointF(40, 20)));
    QCoreApplication::sendEvent(widgets[0], &entry);
    EXPECT_THAT(probe.log, ElementsAre("MouseMove 0 0 450 150"));
    EXPECT_THAT(heard, ElementsAre(WindowMessage::MouseMove));
}

// While a button is held Qt tells of the pointer leaving only at the release; a control waiting to
// hear of the leave hears it as the pointer goes, once.
TEST_F(HostWidgetTest, ADragOutOfTheControlIsALeave)
{
    host();
    showWindow();
    std::vector<WindowMessage> heard;
    const auto hook = site().HookWindowMessages([&](WindowMessage m) { heard.push_back(m); });
    QTest::mouseMove(window.windowHandle(), {40, 20});
    site().TrackMouseLeave(); // as a hovered button asks
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, {40, 20});
    QTest::mouseMove(window.windowHandle(), {60, 25});
    EXPECT_THAT(heard, Not(Contains(WindowMessage::MouseLeave))) << "still over it";
    QTest::mouseMove(window.windowHandle(), {200, 150});
    EXPECT_THAT(heard, Contains(WindowMessage::MouseLeave).Times(1));
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, {200, 150});
    EXPECT_THAT(heard, Contains(WindowMessage::MouseLeave).Times(1)) << "told once";
}

TEST_F(HostWidgetTest, AccessKeysWorkFromAnywhereInTheWindow)
{
    auto* edit = new QLineEdit(&window);
    edit->setGeometry(10, 100, 100, 20);
    ProbeControl& probe = host();
    showWindow();
    site().SetAccessKeys("s");
    edit->setFocus();
    ASSERT_TRUE(waitFor([&] { return edit->hasFocus(); }));
    probe.clear();

    QTest::keyClick(edit, Qt::Key_X, Qt::AltModifier); // not this control's key
    EXPECT_TRUE(probe.log.empty());
    QTest::keyClick(edit, Qt::Key_S, Qt::AltModifier);
    EXPECT_THAT(probe.log, ElementsAre("EnterFocus", "GotFocus", "AccessKeyPress 115"));
    EXPECT_TRUE(widgets[0]->hasFocus());
    EXPECT_FALSE(edit->text().contains(u's')); // the shortcut took the key
}

TEST_F(HostWidgetTest, TabReachesTheControlThenMovesTheFocus)
{
    ProbeControl& first = host("Probe1", {10, 10, 100, 30});
    ProbeControl& second = host("Probe2", {10, 50, 100, 30});
    showWindow();
    widgets[0]->setFocus();
    ASSERT_TRUE(waitFor([&] { return widgets[0]->hasFocus(); }));
    first.clear();
    second.clear();

    QTest::keyPress(widgets[0], Qt::Key_Tab); // its release goes to the control that has the focus then
    EXPECT_THAT(first.log, ElementsAre("KeyDown 9 0", "LostFocus", "ExitFocus"));
    EXPECT_TRUE(widgets[1]->hasFocus());
    EXPECT_THAT(second.log, ElementsAre("EnterFocus", "GotFocus"));
}

TEST_F(HostWidgetTest, TabWithNowhereToGoArrivesOnce)
{
    ProbeControl& only = host();
    showWindow();
    widgets[0]->setFocus();
    ASSERT_TRUE(waitFor([&] { return widgets[0]->hasFocus(); }));
    only.clear();
    QTest::keyPress(widgets[0], Qt::Key_Tab);
    EXPECT_EQ(std::count(only.log.begin(), only.log.end(), "KeyDown 9 0"), 1);
}

TEST_F(HostWidgetTest, SentTabMovesTheFocusAfterTheHandler)
{
    ProbeControl& first = host("Probe1", {10, 10, 100, 30});
    ProbeControl& second = host("Probe2", {10, 50, 100, 30});
    showWindow();
    widgets[1]->setFocus();
    ASSERT_TRUE(waitFor([&] { return widgets[1]->hasFocus(); }));
    bool stillFocusedInHandler = false;
    second.during["KeyDown"] = [&] {
        site(1).SendKeys("+{TAB}");
        stillFocusedInHandler = widgets[1]->hasFocus();
    };
    QTest::keyClick(widgets[1], Qt::Key_Up);
    EXPECT_TRUE(stillFocusedInHandler);
    EXPECT_TRUE(waitFor([&] { return widgets[0]->hasFocus(); }));
    EXPECT_THAT(first.log, ::testing::Contains("GotFocus"));
}

TEST_F(HostWidgetTest, KeysArriveAsVirtualKeyCodes)
{
    ProbeControl& probe = host();
    showWindow();
    widgets[0]->setFocus();
    ASSERT_TRUE(waitFor([&] { return widgets[0]->hasFocus(); }));
    probe.clear();
    QTest::keyClick(widgets[0], Qt::Key_Space);
    QTest::keyClick(widgets[0], Qt::Key_Left, Qt::ShiftModifier);
    // Shift itself is a key going down and up around the arrow.
    EXPECT_THAT(probe.log, ElementsAre("KeyDown 32 0", "KeyPress 32", "KeyUp 32 0", "KeyDown 16 1", "KeyDown 37 1",
                                       "KeyUp 37 1", "KeyUp 16 0"));
}

TEST_F(HostWidgetTest, PointerShapes)
{
    host();
    showWindow();
    EXPECT_FALSE(widgets[0]->testAttribute(Qt::WA_SetCursor));
    site().SetMousePointer(POINTER_HOURGLASS);
    EXPECT_EQ(widgets[0]->cursor().shape(), Qt::WaitCursor);
    site().SetMousePointer(POINTER_CUSTOM); // without a picture: the default
    EXPECT_FALSE(widgets[0]->testAttribute(Qt::WA_SetCursor));
    site().SetMouseIcon(Picture::fromBitmap(Bitmap::create({16, 16})));
    EXPECT_EQ(widgets[0]->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(HostWidgetTest, TimersTickOnTheEventLoop)
{
    ProbeControl& probe = host();
    showWindow();
    int ticks = 0;
    auto timer = probe.container().CreateTimer([&] { ++ticks; });
    timer->SetInterval(5);
    timer->SetEnabled(true);
    EXPECT_TRUE(waitFor([&] { return ticks >= 2; }));
    timer->SetEnabled(false);
    const int stopped = ticks;
    QTest::qWait(30);
    EXPECT_EQ(ticks, stopped);
}

TEST_F(HostWidgetTest, SizeSetByTheControlResizesTheWidget)
{
    ProbeControl& probe = host();
    showWindow();
    probe.clear();
    site().SetWidth(150 * 15);
    EXPECT_EQ(widgets[0]->width(), 150);
    EXPECT_THAT(probe.log, ElementsAre("Resize"));
    EXPECT_DOUBLE_EQ(site().Extender().Left(), 10 * 15);
}

TEST_F(HostWidgetTest, DestroyingTheWidgetTerminatesTheControl)
{
    std::vector<std::string> seen;
    ProbeControl& probe = host();
    probe.during["Terminate"] = [&] { seen = probe.log; };
    delete widgets[0];
    widgets.clear();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), "Terminate");
}

} // namespace
} // namespace plainquill::host

namespace plainquill::host {
namespace {

// A whole number of device pixels per pixel, never fewer than the screen has: Qt may then only
// scale down.
TEST(HostWidgetScale, DrawsAtTheRatioRoundedUp)
{
    const std::pair<qreal, int> cases[] = {{1.0, 1}, {1.25, 2}, {1.5, 2}, {1.75, 2}, {2.0, 2},
                                           {2.0000001, 2}, {2.5, 3}, {3.0, 3}, {0.5, 1}};
    for (const auto& [ratio, scale] : cases)
        EXPECT_EQ(HostWidget::scaleFor(ratio), scale) << ratio;
}

// Run also under QT_SCALE_FACTOR 1.5 and 2 (see CMakeLists.txt): the control draws at the
// screen's ratio rounded up, and at a whole ratio the window shows those pixels unscaled.
TEST_F(HostWidgetTest, DrawsAtTheScreensRatio)
{
    ProbeControl& probe = host();
    probe.during["Paint"] = [&] {
        Dc& dc = probe.container().hDC();
        dc.fillRect({0, 0, 100, 30}, Brush::solid(0x00FF00));
        dc.fillRect({10, 5, 11, 25}, Brush::solid(kBlack)); // a one-pixel line
    };
    showWindow();
    // The pointer left here by an earlier test brings a move as the window shows, after the paint.
    ASSERT_TRUE(waitFor([&] { return std::find(probe.log.begin(), probe.log.end(), "Paint") != probe.log.end(); }));
    const qreal ratio = widgets[0]->devicePixelRatioF();
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) { // the screen really has the ratio asked for
        EXPECT_DOUBLE_EQ(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    }
    const int scale = HostWidget::scaleFor(ratio);
    EXPECT_EQ(site().scale(), scale);
    EXPECT_EQ(site().windowPixels().size(), (Size{100, 30})); // hit-testing and shapes stay logical
    const Bitmap& device = site().windowDevicePixels();
    ASSERT_EQ(device.size(), (Size{100 * scale, 30 * scale}));
    EXPECT_EQ(device.pixel(10 * scale, 5 * scale), kBlack);
    EXPECT_EQ(device.pixel(11 * scale - 1, 25 * scale - 1), kBlack);
    EXPECT_EQ(device.pixel(11 * scale, 5 * scale), 0x00FF00u);

    const QImage shown = widgets[0]->grab().toImage();
    EXPECT_EQ(shown.size(), QSize(qRound(100 * ratio), qRound(30 * ratio)));
    if (ratio != scale)
        return;
    for (int x = 0; x < shown.width(); ++x) // no scaling left for Qt: the device pixels exactly
        EXPECT_EQ(shown.pixel(x, 5 * scale) & 0xFFFFFFu, x / scale == 10 ? 0u : 0x00FF00u) << x;
}

} // namespace
} // namespace plainquill::host
