#include "pixel_art.h"

namespace plainquill::raster::testing {
namespace {

constexpr Colour kRed = 0x0000FF, kGreen = 0x00FF00;

// A 2 x 2 icon with one pixel of each kind:
//   (0,0) mask 1, image black  -> transparent
//   (1,0) mask 0, image red    -> red
//   (0,1) mask 1, image white  -> inverts the background
//   (1,1) mask 0, image black  -> black
Icon fourKindsIcon()
{
    const std::uint8_t maskBits[] = {0x80, 0x00, 0x80, 0x00};
    Bitmap colour = Bitmap::create({2, 2});
    colour.setPixel(1, 0, kRed);
    colour.setPixel(0, 1, kWhite);
    return Icon::createIndirect({Bitmap::createMonochrome({2, 2}, maskBits), colour});
}

TEST(DrawIconEx, MaskAndImageStepsCombineWithTheBackground)
{
    const Colour inv = kSentinel ^ 0xFFFFFFu;
    struct Case {
        const char* name;
        DrawIconFlags flags;
        bool flickerFree;
        std::vector<Colour> expected; // (0,0) (1,0) (0,1) (1,1)
    };
    const std::vector<Case> cases = {
        {"DI_NORMAL", DI_NORMAL, false, {kSentinel, kRed, inv, kBlack}},
        {"DI_MASK", DI_MASK, false, {kSentinel, kBlack, kSentinel, kBlack}},
        {"DI_IMAGE", DI_IMAGE, false, {kBlack, kRed, kWhite, kBlack}},
        {"DI_NORMAL_on_a_brush", DI_NORMAL, true, {kGreen, kRed, kGreen ^ 0xFFFFFFu, kBlack}},
    };
    for (const Case& c : cases) {
        PixelFixture f({2, 2});
        const Brush green = Brush::solid(kGreen);
        EXPECT_TRUE(f.dc().drawIconEx(0, 0, fourKindsIcon(), 0, 0, c.flickerFree ? &green : nullptr, c.flags));
        EXPECT_EQ((std::vector<Colour>{f.at(0, 0), f.at(1, 0), f.at(0, 1), f.at(1, 1)}), c.expected) << c.name;
    }
}

TEST(DrawIconEx, StretchesToTheGivenSizeAndClips)
{
    PixelFixture f({5, 4});
    f.dc().drawIconEx(1, 0, fourKindsIcon(), 4, 4, nullptr, DI_NORMAL);
    EXPECT_TRUE(matchesArt(f.pixels(), {{'.', kSentinel}, {'r', kRed}, {'i', kSentinel ^ 0xFFFFFFu}, {'k', kBlack}},
                           {"...rr", "...rr", ".iikk", ".iikk"}));
}

TEST(Icon, CreationAndInfoCopyTheBitmaps)
{
    Bitmap colour = Bitmap::create({2, 2});
    Bitmap mask = Bitmap::create({2, 2}, Bitmap::Format::Monochrome);
    const Icon icon = Icon::createIndirect({mask, colour});
    ASSERT_FALSE(icon.isNull());
    colour.setPixel(0, 0, kRed); // the caller's bitmaps stay the caller's
    EXPECT_EQ(icon.colourBitmap().pixel(0, 0), kBlack);
    IconInfo info = icon.info();
    info.colour.setPixel(1, 1, kRed);
    EXPECT_EQ(icon.colourBitmap().pixel(1, 1), kBlack);
    EXPECT_EQ(info.mask.bitsPerPixel(), 1);
    EXPECT_TRUE(Icon::createIndirect({mask, Bitmap::create({3, 2})}).isNull()) << "sizes differ";
    EXPECT_TRUE(Icon::createIndirect({Bitmap{}, colour}).isNull()) << "no mask";
}

} // namespace
} // namespace plainquill::raster::testing
