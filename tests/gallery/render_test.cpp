// The gallery renders exactly a control's surface, brings it into each state through the
// notifications a user would cause, and its sheet holds every progress bar look.
#include "controls/registry/standard_controls.h"
#include "gallery/gallery_sheet.h"
#include "gallery/render_control.h"
#include "tests/host/probe_control.h"

#include <QGuiApplication>
#include <QPalette>
#include <QProcess>
#include <QTemporaryDir>
#include <QImage>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

namespace plainquill::gallery {
namespace {

using namespace contracts;
using host::testing::ProbeControl;

TEST(GalleryRender, ExactlyTheControlsPixels)
{
    PropertyBag stored;
    stored.WriteProperty("Scrolling", std::int64_t{1});
    stored.WriteProperty("Color", std::int64_t{0x0000FF});
    stored.WriteProperty("Value", std::int64_t{50});
    const auto result = renderControl(controls::standardControlClasses(), controls::kProgressBarClass, {103, 20}, stored,
                                      ControlState::Normal);
    ASSERT_TRUE(std::holds_alternative<Bitmap>(result)) << std::get<RenderFailure>(result).message;
    const Bitmap& pixels = std::get<Bitmap>(result);
    EXPECT_EQ(pixels.size(), (Size{103, 20}));
    // Worked out by hand: the fill ends at column 52 of 103 at 50 %, light at the top row.
    EXPECT_EQ(pixels.pixel(10, 3), rgb(255, 150, 150));
    EXPECT_EQ(pixels.pixel(52, 11), rgb(255, 25, 25));
    EXPECT_EQ(pixels.pixel(53, 11), kWhite);
    EXPECT_EQ(pixels.pixel(101, 1), 0x686868u);
}

TEST(GalleryRender, ReportsUnknownClassesAndUnreadableValues)
{
    const auto unknown = renderControl(controls::standardControlClasses(), "Ostrand.Nothing", {10, 10}, {},
                                       ControlState::Normal);
    ASSERT_TRUE(std::holds_alternative<RenderFailure>(unknown));
    EXPECT_THAT(std::get<RenderFailure>(unknown).message, ::testing::HasSubstr("Ostrand.Nothing"));

    PropertyBag stored;
    stored.WriteProperty("Scrolling", std::string("abc"));
    const auto bad = renderControl(controls::standardControlClasses(), controls::kProgressBarClass, {10, 10}, stored,
                                   ControlState::Normal);
    ASSERT_TRUE(std::holds_alternative<RenderFailure>(bad));
}

TEST(GalleryRender, RefusesKeysTheControlDoesNotReadNamingThoseItReads)
{
    PropertyBag misspelt;
    misspelt.WriteProperty("scrolling", std::int64_t{3}); // any case, as in a property bag
    misspelt.WriteProperty("Scroling", std::int64_t{3});
    const auto refused = renderControl(controls::standardControlClasses(), controls::kProgressBarClass, {40, 10},
                                       misspelt, ControlState::Normal);
    ASSERT_TRUE(std::holds_alternative<RenderFailure>(refused));
    const std::string& message = std::get<RenderFailure>(refused).message;
    EXPECT_THAT(message, ::testing::HasSubstr("\"Scroling\""));
    for (const char* key : {"Font", "BrushStyle", "Color", "Image", "Max", "Min", "Orientation", "Scrolling",
                            "ShowText", "Value"})
        EXPECT_THAT(message, ::testing::HasSubstr(std::string(" ") + key)) << key;

    PropertyBag anyCase;
    anyCase.WriteProperty("SCROLLING", std::int64_t{3});
    anyCase.WriteProperty("showtext", true);
    EXPECT_TRUE(std::holds_alternative<Bitmap>(renderControl(controls::standardControlClasses(),
                                                             controls::kProgressBarClass, {40, 10}, anyCase,
                                                             ControlState::Normal)));
}

TEST(GalleryRender, StatesComeFromTheUsersNotifications)
{
    struct Case {
        ControlState state;
        std::vector<std::string> expectedAfterLoad;
    };
    const std::vector<Case> cases{
        {ControlState::Normal, {}},
        {ControlState::Hot, {"MouseMove 0 0 20 5"}},
        {ControlState::Pressed, {"MouseMove 0 0 20 5", "MouseDown 1 0 20 5"}},
        {ControlState::Focused, {"EnterFocus", "GotFocus"}},
        {ControlState::Default, {"AmbientChanged DisplayAsDefault"}},
        {ControlState::Checked, {"MouseMove 0 0 20 5", "MouseDown 1 0 20 5", "MouseUp 1 0 20 5", "Click"}},
        {ControlState::Disabled, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> log;
        contracts::ControlClasses classes;
        classes.add("Test.Probe", [&log] {
            auto probe = std::make_unique<ProbeControl>();
            ProbeControl* raw = probe.get();
            probe->during["Show"] = [raw] { raw->container().SetScaleMode(ScaleUnit::Pixels); };
            probe->during["Terminate"] = [raw, &log] { log = raw->log; };
            return probe;
        });
        ASSERT_TRUE(std::holds_alternative<Bitmap>(renderControl(classes, "Test.Probe", {40, 10}, {}, c.state)));
        const auto paint = std::find(log.begin(), log.end(), "Paint");
        ASSERT_NE(paint, log.end());
        std::vector<std::string> after(paint + 1, log.end() - 1); // up to Terminate
        EXPECT_EQ(after, c.expectedAfterLoad) << stateName(c.state);
    }
}

TEST(GallerySheet, ShowsEveryProgressBarLook)
{
    const ClassLooks looks = progressBarLooks();
    // Ten styles lying and three upright, each without and with text, at 0, 50 and 100 %.
    EXPECT_EQ(looks.looks.size(), (10u + 3u) * 2u * 3u);
    std::set<std::pair<std::int32_t, std::int32_t>> stylesAndOrientations;
    for (const Look& look : looks.looks)
        stylesAndOrientations.insert({look.stored.ReadInteger("Scrolling", -1), look.stored.ReadInteger("Orientation", -1)});
    EXPECT_EQ(stylesAndOrientations.size(), 13u);

    const Sheet sheet = renderSheet(controls::standardControlClasses(), {looks});
    EXPECT_TRUE(sheet.failures.empty());
    EXPECT_GT(sheet.image.width(), 3 * 160);
    EXPECT_GT(sheet.image.height(), 20 * 22 + 6 * 110);
}

TEST(GallerySheet, AFailingLookIsReportedAndTheRestDrawn)
{
    ClassLooks broken{"Ostrand.Nothing", {Look{"row", "cell", {10, 10}, {}, ControlState::Normal}}};
    const Sheet sheet = renderSheet(controls::standardControlClasses(), {broken, progressBarLooks()});
    ASSERT_EQ(sheet.failures.size(), 1u);
    EXPECT_FALSE(sheet.image.isNull());
}

// A shaped button over a backdrop: along its top row, the last pixel outside the shape shows the
// backdrop and the first inside shows the button, at every scale.
TEST(GalleryRender, ComposesThroughTheWindowShapeOverTheBackdrop)
{
    struct Case {
        const char* name;
        std::int64_t style;
        Presentation presentation;
        Colour expected;
    };
    const QColor window = QGuiApplication::palette().color(QPalette::Window);
    const Colour windowColour = rgb(window.red(), window.green(), window.blue());
    const Case cases[] = {
        {"rounded, magenta", 10, {1, rgb(255, 0, 255)}, rgb(255, 0, 255)},
        {"rounded at 2x, green", 10, {2, rgb(0, 255, 0)}, rgb(0, 255, 0)},
        {"cut corners at 3x, blue", 8, {3, rgb(0, 0, 255)}, rgb(0, 0, 255)},
        {"rounded, the window's background", 10, {1, std::nullopt}, windowColour},
    };
    for (const Case& c : cases) {
        PropertyBag stored;
        stored.WriteProperty("Style", c.style);
        stored.WriteProperty("Caption", std::string("Shape"));
        const int s = c.presentation.scale;
        host::HeadlessHost host(controls::standardControlClasses().make(controls::kIsButtonClass),
                                {.name = "isButton1", .size = {89, 25}, .scale = s});
        host.load(stored);
        ASSERT_TRUE(host.windowRegion().has_value()) << c.name;
        int firstInside = 0;
        while (!host.windowRegion()->contains({firstInside, 0}))
            ++firstInside;
        ASSERT_GT(firstInside, 0) << c.name;

        const auto result = renderControl(controls::standardControlClasses(), controls::kIsButtonClass, {89, 25},
                                          stored, ControlState::Normal, c.presentation);
        ASSERT_TRUE(std::holds_alternative<Bitmap>(result)) << c.name;
        const Bitmap& shown = std::get<Bitmap>(result);
        EXPECT_EQ(shown.pixel(firstInside * s - 1, s - 1), c.expected) << c.name;
        EXPECT_EQ(shown.pixel(firstInside * s, 0), host.devicePixels().pixel(firstInside * s, 0)) << c.name;
        EXPECT_NE(shown.pixel(firstInside * s, 0), c.expected) << c.name << ": the button's own edge";
        EXPECT_EQ(shown.pixel(44 * s, 12 * s), host.devicePixels().pixel(44 * s, 12 * s)) << c.name;
    }
}

TEST(GalleryProgram, WritesExactSizeAndExitsTwoOnErrors)
{
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("bar.png"));
    QProcess program;
    program.start(QStringLiteral(PLAINQUILL_GALLERY),
                  {"--control", "Ostrand.XP_ProgressBar", "--size", "97x17", "--set", "Scrolling=1", "--out", out});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_EQ(QImage(out).size(), QSize(97, 17));

    program.start(QStringLiteral(PLAINQUILL_GALLERY),
                  {"--control", "Ostrand.Nothing", "--size", "97x17", "--out", out});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 2);
    EXPECT_TRUE(program.readAllStandardError().contains("Ostrand.Nothing"));

    program.start(QStringLiteral(PLAINQUILL_GALLERY), {"--control", "Ostrand.XP_ProgressBar", "--size", "97x17",
                                                       "--scale", "2", "--backdrop", "#00FF00", "--out", out});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_EQ(QImage(out).size(), QSize(194, 34));

    program.start(QStringLiteral(PLAINQUILL_GALLERY), {"--backdrop", "nocolour", "--out", out});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 2);
    EXPECT_TRUE(program.readAllStandardError().contains("bad colour \"nocolour\""));

    const QString sheet = folder.filePath(QStringLiteral("sheet.png"));
    program.start(QStringLiteral(PLAINQUILL_GALLERY), {"--out", sheet});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_FALSE(QImage(sheet).isNull());
}

} // namespace
} // namespace plainquill::gallery
