// The hosted surface: BackColor clears, the persistent image (AutoRedraw) shown without Paint,
// Paint when the window lost its pixels, Cls, resizing, PaintPicture and the parent's DC.
#include "platform/host/headless_host.h"
#include "probe_control.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace plainquill::host {
namespace {

using namespace contracts;
using testing::ProbeControl;
using ::testing::ElementsAre;

constexpr Colour kXpButtonFace = 0xD8E9EC; // RGB(236, 233, 216)

struct Hosted {
    explicit Hosted(Size size = {6, 4})
        : host(std::make_unique<ProbeControl>(), HeadlessOptions{.size = size}), probe(host.controlAs<ProbeControl>())
    {
        host.loadNew();
        probe.clear();
    }
    bool everyPixelIs(Colour colour) const
    {
        for (int y = 0; y < host.pixels().height(); ++y)
            for (int x = 0; x < host.pixels().width(); ++x)
                if (host.pixel(x, y) != colour)
                    return false;
        return true;
    }
    HeadlessHost host;
    ProbeControl& probe;
};

TEST(HostedSurface, StartsInTheButtonFaceColourAndBackColorClears)
{
    Hosted h;
    EXPECT_EQ(h.host.BackColor(), 0x8000000Fu);
    EXPECT_TRUE(h.everyPixelIs(kXpButtonFace));
    h.host.SetBackColor(0x123456);
    EXPECT_TRUE(h.everyPixelIs(0x123456));
    EXPECT_EQ(h.host.hDC().bkColor(), 0x123456u);
    h.host.SetForeColor(0x80000008); // window text: black in the XP scheme
    EXPECT_EQ(h.host.hDC().textColor(), 0x000000u);
}

TEST(HostedSurface, PersistentImageShowsWithoutPaint)
{
    Hosted h;
    h.host.SetBackColor(kWhite);
    h.host.idle();
    h.probe.clear();
    h.host.SetAutoRedraw(true);
    h.host.hDC().setPixelV({1, 1}, 0x0000FF);
    EXPECT_EQ(h.host.pixel(1, 1), kWhite); // in the image, not yet on the window
    h.host.idle();
    EXPECT_EQ(h.host.pixel(1, 1), 0x0000FFu);
    h.host.Refresh();
    EXPECT_TRUE(h.probe.log.empty()); // with AutoRedraw on nobody is asked to paint

    // Switched off again, the image is the background a lost window starts from before Paint.
    h.host.SetAutoRedraw(false);
    h.host.hDC().setPixelV({2, 2}, 0x00FF00);
    EXPECT_EQ(h.host.pixel(2, 2), 0x00FF00u); // straight onto the window
    h.probe.during["Paint"] = [&] { EXPECT_EQ(h.host.pixel(2, 2), kWhite); };
    h.host.Refresh();
    EXPECT_THAT(h.probe.log, ElementsAre("Paint"));
    EXPECT_EQ(h.host.pixel(1, 1), 0x0000FFu);
}

TEST(HostedSurface, ClsClearsTheDrawingTarget)
{
    Hosted h;
    h.host.SetBackColor(0x111111);
    h.host.SetAutoRedraw(true);
    h.host.hDC().setPixelV({0, 0}, 0x0000FF);
    h.host.Cls();
    h.host.idle();
    EXPECT_TRUE(h.everyPixelIs(0x111111));

    h.host.hDC().setPixelV({0, 0}, 0x0000FF);
    h.host.SetAutoRedraw(false);
    h.host.idle();
    h.host.hDC().setPixelV({1, 0}, 0x00FF00);
    h.host.Cls(); // the window goes back to the image, which keeps its pixel
    EXPECT_EQ(h.host.pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(h.host.pixel(1, 0), 0x111111u);
}

TEST(HostedSurface, ResizeKeepsTheImageAndFillsTheNewPart)
{
    Hosted h({2, 2});
    h.host.SetBackColor(0x222222);
    h.host.SetAutoRedraw(true);
    h.host.hDC().setPixelV({1, 1}, 0x0000FF);
    h.host.resize({3, 3});
    EXPECT_EQ(h.host.pixel(1, 1), 0x0000FFu);
    EXPECT_EQ(h.host.pixel(2, 2), 0x222222u);
    EXPECT_EQ(h.host.pixel(0, 2), 0x222222u);
}

TEST(HostedSurface, PaintPictureCopiesAndStretches)
{
    Hosted h;
    h.host.SetBackColor(kWhite);
    Bitmap art = Bitmap::create({2, 1});
    art.setPixel(0, 0, 0x0000FF);
    art.setPixel(1, 0, 0x00FF00);
    const PictureRef picture = Picture::fromBitmap(art);
    h.host.PaintPicture(*picture, 1, 1);
    EXPECT_EQ(h.host.pixel(0, 1), kWhite);
    EXPECT_EQ(h.host.pixel(1, 1), 0x0000FFu);
    EXPECT_EQ(h.host.pixel(2, 1), 0x00FF00u);
    EXPECT_EQ(h.host.pixel(3, 1), kWhite);
    h.host.PaintPicture(*picture, 0, 3, 4, 1); // twice as wide
    EXPECT_EQ(h.host.pixel(1, 3), 0x0000FFu);
    EXPECT_EQ(h.host.pixel(2, 3), 0x00FF00u);
    EXPECT_EQ(h.host.pixel(3, 3), 0x00FF00u);
}

TEST(HostedSurface, ParentWindowDcHoldsTheParentsBackground)
{
    Hosted h;
    Bitmap background = Bitmap::create({40, 30});
    background.setPixel(24, 16, 0x0000FF);
    h.host.setParentBackground(background);
    const auto dc = h.host.ParentWindowDc();
    EXPECT_EQ(dc->getPixel({24, 16}), 0x0000FFu);
    EXPECT_EQ(dc->getPixel({0, 0}), 0x000000u);
    EXPECT_DOUBLE_EQ(h.host.Extender().Left(), 24 * 15);
    EXPECT_DOUBLE_EQ(h.host.Extender().Top(), 16 * 15);
}

} // namespace
} // namespace plainquill::host
