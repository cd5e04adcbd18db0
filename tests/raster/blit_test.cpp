#include "pixel_art.h"

namespace plainquill::raster::testing {
namespace {

// A memory DC holding a bitmap made from rows of colours.
struct MemorySource {
    MemorySource(Dc& compatibleWith, const std::vector<std::vector<Colour>>& rows)
        : dc(compatibleWith.createCompatibleDc())
    {
        Bitmap bitmap = Bitmap::create({static_cast<int>(rows[0].size()), static_cast<int>(rows.size())});
        for (std::size_t y = 0; y < rows.size(); ++y)
            for (std::size_t x = 0; x < rows[y].size(); ++x)
                bitmap.setPixel(static_cast<int>(x), static_cast<int>(y), rows[y][x]);
        previous = dc->selectBitmap(bitmap);
    }
    std::unique_ptr<Dc> dc;
    Bitmap previous;
};

TEST(BitBlt, RasterOperationsCombineSourceAndDestination)
{
    struct Case {
        const char* name;
        RasterOp rop;
        Colour expected;
    };
    const Colour s = 0x00F0CC0F, d = 0x003C55AA;
    const std::vector<Case> cases = {
        {"SRCCOPY", SRCCOPY, s},         {"SRCAND", SRCAND, s & d},
        {"SRCINVERT", SRCINVERT, s ^ d}, {"SRCPAINT", SRCPAINT, s | d},
        {"NOTSRCCOPY", NOTSRCCOPY, ~s & 0xFFFFFFu}, {"SRCERASE", SRCERASE, s & ~d & 0xFFFFFFu},
        {"MERGEPAINT", MERGEPAINT, (~s | d) & 0xFFFFFFu},
    };
    for (const Case& c : cases) {
        PixelFixture f({3, 1});
        f.dc().fillRect({0, 0, 3, 1}, Brush::solid(d));
        MemorySource src(f.dc(), {{s}});
        EXPECT_TRUE(f.dc().bitBlt(1, 0, 1, 1, src.dc.get(), 0, 0, c.rop)) << c.name;
        EXPECT_EQ(f.at(1, 0), c.expected) << c.name;
        EXPECT_EQ(f.at(0, 0), d) << c.name;
        EXPECT_EQ(f.at(2, 0), d) << c.name;
    }
}

TEST(BitBlt, CopiesOnlyWhatLiesInsideTheSourceAndTheDestination)
{
    PixelFixture f({4, 3});
    MemorySource src(f.dc(), {{1, 2}, {3, 4}});
    f.dc().bitBlt(-1, 1, 3, 3, src.dc.get(), 0, 0, SRCCOPY); // left half and beyond the source's size
    EXPECT_TRUE(matchesArt(f.pixels(), {{'.', kSentinel}, {'a', 1}, {'b', 2}, {'c', 3}, {'d', 4}},
                           {"....", "b...", "d..."}));
}

TEST(BitBlt, OverlappingCopyWithinOneSurfaceReadsTheOriginalPixels)
{
    PixelFixture f({4, 1});
    for (int x = 0; x < 4; ++x)
        f.dc().setPixelV({x, 0}, static_cast<Colour>(x + 1));
    f.dc().bitBlt(1, 0, 3, 1, &f.dc(), 0, 0, SRCCOPY);
    EXPECT_TRUE(matchesArt(f.pixels(), {{'1', 1}, {'2', 2}, {'3', 3}}, {"1123"}));
}

TEST(BitBlt, MonochromeSourceOnColourTakesTextForZeroAndBackgroundForOne)
{
    const std::uint8_t bits[] = {0x40, 0x00}; // 2 x 1: 0, 1
    PixelFixture f({2, 1});
    auto mono = f.dc().createCompatibleDc();
    mono->selectBitmap(Bitmap::createMonochrome({2, 1}, bits));
    f.dc().setTextColor(0x0000FF);
    f.dc().setBkColor(0x00FF00);
    f.dc().bitBlt(0, 0, 2, 1, mono.get(), 0, 0, SRCCOPY);
    EXPECT_EQ(f.at(0, 0), 0x0000FFu);
    EXPECT_EQ(f.at(1, 0), 0x00FF00u);
}

TEST(BitBlt, ColourSourceOnMonochromeIsWhiteExactlyWhereItMatchesTheSourceBackground)
{
    PixelFixture f;
    MemorySource src(f.dc(), {{0xFF00FF, 0xFE00FF, 0xFFFFFF, 0x000000}});
    src.dc->setBkColor(0xFF00FF);
    auto mono = f.dc().createCompatibleDc();
    mono->selectBitmap(Bitmap::create({4, 1}, Bitmap::Format::Monochrome));
    mono->bitBlt(0, 0, 4, 1, src.dc.get(), 0, 0, SRCCOPY);
    EXPECT_TRUE(matchesArt(mono->selectedBitmap(), {{'W', kWhite}, {'B', kBlack}}, {"WBBB"}));
}

// The masked copy the XP-look button does: mask from the source's background colour, then
// AND / AND / XOR so that mask-coloured source pixels leave the destination as it was.
TEST(BitBlt, MaskRecipeLeavesMaskColouredPixelsTransparent)
{
    const Colour magenta = 0xFF00FF, red = 0x0000FF, blue = 0xFF0000;
    PixelFixture f({3, 1});
    f.dc().fillRect({0, 0, 3, 1}, Brush::solid(0x00AA00));
    MemorySource src(f.dc(), {{red, magenta, blue}});
    src.dc->setBkColor(magenta);
    auto maskDc = f.dc().createCompatibleDc();
    maskDc->selectBitmap(Bitmap::create({3, 1}, Bitmap::Format::Monochrome));
    maskDc->bitBlt(0, 0, 3, 1, src.dc.get(), 0, 0, SRCCOPY); // magenta -> 1
    auto invDc = f.dc().createCompatibleDc();
    invDc->selectBitmap(Bitmap::create({3, 1}, Bitmap::Format::Monochrome));
    invDc->bitBlt(0, 0, 3, 1, maskDc.get(), 0, 0, NOTSRCCOPY);
    auto work = f.dc().createCompatibleDc();
    work->selectBitmap(f.dc().createCompatibleBitmap({3, 1}));
    work->bitBlt(0, 0, 3, 1, &f.dc(), 0, 0, SRCCOPY);
    work->bitBlt(0, 0, 3, 1, maskDc.get(), 0, 0, SRCAND); // keep destination where transparent
    src.dc->setBkColor(kWhite); // 1 bits of the inverted mask must read as white
    src.dc->bitBlt(0, 0, 3, 1, invDc.get(), 0, 0, SRCAND); // keep source where opaque
    work->bitBlt(0, 0, 3, 1, src.dc.get(), 0, 0, SRCINVERT);
    f.dc().bitBlt(0, 0, 3, 1, work.get(), 0, 0, SRCCOPY);
    EXPECT_EQ(f.at(0, 0), red);
    EXPECT_EQ(f.at(1, 0), 0x00AA00u);
    EXPECT_EQ(f.at(2, 0), blue);
}

TEST(StretchBlt, RepeatsOrDropsWholePixels)
{
    PixelFixture f({4, 2});
    MemorySource src(f.dc(), {{1, 2}});
    f.dc().stretchBlt(0, 0, 4, 1, src.dc.get(), 0, 0, 2, 1, SRCCOPY);
    MemorySource wide(f.dc(), {{1, 2, 3, 4}});
    f.dc().stretchBlt(0, 1, 2, 1, wide.dc.get(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_TRUE(matchesArt(f.pixels(), {{'.', kSentinel}, {'1', 1}, {'2', 2}, {'3', 3}}, {"1122", "13.."}));
}

TEST(MemoryDc, StartsWithAOneByOneMonochromeBitmapLikeThePlatform)
{
    PixelFixture f;
    auto memory = f.dc().createCompatibleDc();
    EXPECT_EQ(memory->size(), (Size{1, 1}));
    EXPECT_EQ(memory->bitsPerPixel(), 1);
    EXPECT_EQ(memory->createCompatibleBitmap({5, 5}).bitsPerPixel(), 1) << "compatible with a fresh memory DC";
    EXPECT_EQ(f.dc().createCompatibleBitmap({5, 5}).bitsPerPixel(), 32);
    EXPECT_EQ(f.dc().createCompatibleBitmap({0, 5}).size(), (Size{1, 1}));
    EXPECT_EQ(memory->textColor(), kBlack);
    EXPECT_EQ(memory->bkColor(), kWhite);
    EXPECT_EQ(memory->bkMode(), OPAQUE);
}

TEST(MemoryDc, SelectBitmapReturnsThePreviousOneAndWindowsRefuse)
{
    PixelFixture f;
    auto memory = f.dc().createCompatibleDc();
    Bitmap mine = Bitmap::create({3, 2});
    const Bitmap stock = memory->selectBitmap(mine);
    EXPECT_EQ(stock.size(), (Size{1, 1}));
    memory->setPixelV({2, 1}, 0x123456);
    EXPECT_EQ(mine.pixel(2, 1), 0x123456u) << "drawing goes into the selected bitmap";
    EXPECT_TRUE(memory->selectBitmap(stock).sharesPixelsWith(mine));
    EXPECT_TRUE(f.dc().selectBitmap(mine).isNull());
    EXPECT_EQ(f.dc().size(), (Size{8, 6}));
}

TEST(MemoryDc, MonochromeTargetsKeepOnlyBlackAndWhite)
{
    PixelFixture f;
    auto mono = f.dc().createCompatibleDc();
    mono->selectBitmap(Bitmap::create({3, 1}, Bitmap::Format::Monochrome));
    mono->setPixelV({0, 0}, rgb(128, 128, 127)); // 383: nearer white
    mono->setPixelV({1, 0}, rgb(127, 128, 127)); // 382: nearer black
    mono->fillRect({2, 0, 3, 1}, Brush::solid(rgb(200, 200, 200)));
    EXPECT_TRUE(matchesArt(mono->selectedBitmap(), {{'W', kWhite}, {'B', kBlack}}, {"WBW"}));
    EXPECT_EQ(mono->getNearestColor(rgb(10, 20, 30)), kBlack);
}

} // namespace
} // namespace plainquill::raster::testing
