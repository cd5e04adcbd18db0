// XP_ProgressBar's model: Value and Percent with rounding halves to even, the division and
// overflow errors that leave the bar untouched, clamping at repaint, the buffer that never
// shrinks, and persistence with its order and defaults.
#include "bar_fixture.h"

#include "controls/contracts/control_errors.h"
#include "controls/progressbar/progress_arithmetic.h"

#include <gmock/gmock.h>

namespace plainquill::progressbar {
namespace {

using namespace contracts;
using testing::Bar;
using ::testing::ElementsAre;

TEST(ProgressArithmetic, ValueAndPercentRoundHalvesToEven)
{
    struct Case {
        std::int32_t max, min, value, percent, readBack;
        const char* why;
    };
    const Case cases[] = {
        {100, 0, 37, 37, 37, "plain"},
        {3, 0, 1, 33, 1, "33.33 rounds down; 0.99 reads back as 1"},
        {8, 0, 1, 12, 1, "12.5 rounds to even 12"},
        {8, 0, 3, 38, 3, "37.5 rounds to even 38"},
        {10, 0, 20, 200, 20, "above Max: not clamped by the arithmetic"},
        {100, 0, -5, -5, -5, "negative: not raised to 0"},
        {100, 10, 20, 30, 20, "Min is added on write and taken off on read"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(percentFromValue(c.value, c.max, c.min), c.percent) << c.why;
        EXPECT_EQ(valueFromPercent(c.percent, c.max, c.min), c.readBack) << c.why;
    }
    EXPECT_THROW(percentFromValue(1, 0, 0), DivisionByZeroError);
    EXPECT_THROW(percentFromValue(21474837, 100, 0), OverflowError); // x 100 passes 2^31 - 1
    EXPECT_EQ(percentFromValue(21474836, 100, 0), 21474836);
    EXPECT_THROW(percentFromValue(-21474837, 0, 0), OverflowError); // the overflow comes first
    EXPECT_THROW(percentFromValue(21474836, 1, 2147483647), OverflowError);
}

TEST(ProgressBarModel, StartsAsInitializeLeavesIt)
{
    Bar b({100, 20}, {});
    EXPECT_EQ(b.bar.Max(), 100);
    EXPECT_EQ(b.bar.Min(), 0);
    EXPECT_EQ(b.bar.Value(), 0);
    EXPECT_EQ(b.bar.Scrolling(), 0);
    EXPECT_EQ(b.bar.Color(), 0xC56A31u); // the highlight colour, held resolved
    EXPECT_EQ(b.host.ScaleMode(), ScaleUnit::Pixels);
    EXPECT_EQ(b.host.BackColor(), kWhite);
    EXPECT_EQ(b.bar.hWnd(), b.host.hWnd());
    EXPECT_FALSE(b.bar.ShowText());
    EXPECT_NE(b.bar.Font(), nullptr);
}

TEST(ProgressBarModel, ValueAboveMaxIsClampedByTheRepaint)
{
    Bar b({100, 20}, {});
    b.bar.SetMax(10);
    b.bar.SetValue(20);
    EXPECT_EQ(b.bar.Percent(), 100);
    EXPECT_EQ(b.bar.Value(), 10);

    // Max set below the value: accepted, no repaint, and the fill only changes at the next Value.
    b.bar.SetMax(100);
    b.bar.SetValue(50);
    b.bar.SetMax(20);
    EXPECT_EQ(b.bar.Percent(), 50);
    EXPECT_EQ(b.bar.Value(), 10);
}

TEST(ProgressBarModel, FailedValueWriteChangesAndRepaintsNothing)
{
    Bar b({100, 20}, {});
    b.bar.SetValue(40);
    // A mark on the window that any repaint would cover.
    b.host.hDC().setPixelV({50, 10}, 0x123456);
    b.bar.SetMax(0);
    EXPECT_THROW(b.bar.SetValue(10), DivisionByZeroError);
    EXPECT_EQ(b.bar.Value(), 0); // reading still works
    b.bar.SetMax(100);
    EXPECT_THROW(b.bar.SetValue(30000000), OverflowError);
    EXPECT_EQ(b.bar.Percent(), 40);
    EXPECT_EQ(b.at(50, 10), 0x123456u);

    b.bar.SetValue(40);
    EXPECT_NE(b.at(50, 10), 0x123456u);
}

TEST(ProgressBarModel, PropertyWritesMarkWhatTheyShould)
{
    Bar b({100, 20}, {});
    b.host.clearRecords();
    b.bar.SetBrushStyle(3);
    b.bar.SetColor(kWhite);
    b.bar.SetFont(makeFont());
    b.bar.SetImage(nullptr);
    b.bar.SetMin(0);
    b.bar.SetMax(50);
    b.bar.SetOrientation(0);
    b.bar.SetScrolling(1);
    b.bar.SetShowText(false);
    b.bar.SetValue(1);
    EXPECT_THAT(b.host.changedProperties(),
                ElementsAre("BrushStyle", "Image", "Min", "Max", "Orientation", "Scrolling", "ShowText"));
}

TEST(ProgressBarModel, LoadingMarksOnlyThePropertiesItWritesThroughTheirSetters)
{
    Bar b({100, 20}, {{"scrolling", std::int64_t{1}}, {"color", std::int64_t{0xFFFFFF}}, {"brushstyle", std::int64_t{0}}});
    EXPECT_THAT(b.host.changedProperties(), ElementsAre("Max", "Min", "Orientation", "Scrolling", "ShowText"));
    EXPECT_EQ(b.bar.Scrolling(), 1);
    EXPECT_EQ(b.bar.Color(), 0xFFFFFFu);
    EXPECT_EQ(b.bar.BrushStyle(), 0);
    EXPECT_TRUE(b.host.errors().empty());
}

TEST(ProgressBarModel, BrushStyleDefaultsDifferBetweenFreshAndLoaded)
{
    // A newly placed instance: Initialize and no InitProperties handler.
    host::HeadlessHost fresh(std::make_unique<XP_ProgressBar>(), {.size = {100, 20}});
    fresh.loadNew();
    EXPECT_EQ(fresh.controlAs<XP_ProgressBar>().BrushStyle(), 0);
    const PropertyBag saved = fresh.save();
    // A fresh instance has 0, which is not the bag's default of 4, so it is saved.
    EXPECT_THAT(saved.Names(), ElementsAre("_ExtentX", "_ExtentY", "Font", "BrushStyle", "Color"));
    EXPECT_EQ(saved.ReadInteger("BrushStyle", 4), 0);
    // The colour is held resolved, so it never equals the stored default and is always written.
    EXPECT_EQ(saved.ReadColour("Color", 0), 0xC56A31u);

    Bar loaded({100, 20}, {{"Scrolling", std::int64_t{1}}});
    EXPECT_EQ(loaded.bar.BrushStyle(), 4);
}

TEST(ProgressBarModel, SavesInOrderAndReloadsAsItWas)
{
    Bar b({100, 20}, {});
    const FontRef font = makeFont({"Tahoma", 9});
    const PictureRef image = Picture::fromBitmap(Bitmap::create({2, 2}));
    b.bar.SetFont(font);
    b.bar.SetBrushStyle(2);
    b.bar.SetColor(0x00FF00);
    b.bar.SetImage(image);
    b.bar.SetMax(8);
    b.bar.SetMin(0);
    b.bar.SetOrientation(1);
    b.bar.SetScrolling(5);
    b.bar.SetShowText(true);
    b.bar.SetValue(3);
    const PropertyBag saved = b.host.save();
    EXPECT_THAT(saved.Names(), ElementsAre("_ExtentX", "_ExtentY", "Font", "BrushStyle", "Color", "Image", "Max",
                                           "Orientation", "Scrolling", "ShowText", "Value"));

    host::HeadlessHost again(std::make_unique<XP_ProgressBar>(), {.size = {100, 20}});
    again.load(saved);
    auto& reloaded = again.controlAs<XP_ProgressBar>();
    EXPECT_EQ(reloaded.Font(), font);
    EXPECT_EQ(reloaded.BrushStyle(), 2);
    EXPECT_EQ(reloaded.Color(), 0x00FF00u);
    EXPECT_EQ(reloaded.Image(), image);
    EXPECT_EQ(reloaded.Max(), 8);
    EXPECT_EQ(reloaded.Orientation(), 1);
    EXPECT_EQ(reloaded.Scrolling(), 5);
    EXPECT_TRUE(reloaded.ShowText());
    // "Value" holds the value, so a Max other than 100 survives the round trip.
    EXPECT_EQ(reloaded.Percent(), 38);
    EXPECT_EQ(reloaded.Value(), 3);
}

TEST(ProgressBarModel, StoredSystemColourIsResolvedOnLoad)
{
    Bar b({100, 20}, {{"Color", std::int64_t{0x8000000F}}}); // button face
    EXPECT_EQ(b.bar.Color(), 0xD8E9ECu);
}

TEST(ProgressBarBuffer, GrowsWithTheControlAndNeverShrinks)
{
    Bar b({100, 30}, {});
    EXPECT_TRUE(b.bar.Buffered());
    EXPECT_EQ(b.bar.BufferSize(), (Size{100, 30}));
    EXPECT_NE(b.bar.hdc(), &b.host.hDC()); // painting goes to the buffer

    b.host.resize({120, 40});
    EXPECT_EQ(b.bar.BufferSize(), (Size{120, 40}));
    b.host.resize({50, 20});
    EXPECT_EQ(b.bar.BufferSize(), (Size{120, 40}));
    // Growing one side makes a buffer of the new size, as the set-up asks for it.
    b.host.resize({130, 10});
    EXPECT_EQ(b.bar.BufferSize(), (Size{130, 10}));

    // Writing hdc with any DC runs the same set-up.
    Dc* before = b.bar.hdc();
    b.bar.Sethdc(nullptr);
    EXPECT_EQ(b.bar.hdc(), before);

    b.host.terminate();
    EXPECT_EQ(b.bar.BufferSize(), (Size{0, 0}));
    EXPECT_EQ(b.bar.hdc(), nullptr);
    EXPECT_TRUE(b.bar.Buffered()); // never cleared
}

TEST(ProgressBarBuffer, WithoutAreaPaintsOnTheWindow)
{
    Bar b({0, 0}, {});
    EXPECT_FALSE(b.bar.Buffered());
    EXPECT_EQ(b.bar.hdc(), &b.host.hDC());
    b.bar.SetValue(50); // draws nothing, fails nothing
    EXPECT_EQ(b.bar.Percent(), 50);
}

} // namespace
} // namespace plainquill::progressbar
