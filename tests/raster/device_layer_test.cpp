// A surface at scale 2: its device layer holds the logical picture with each pixel doubled, through
// buffers and blits of every kind (the shapes themselves are checked with every control's look).
#include "pixel_art.h"

#include "platform/raster/canvas.h"
#include "platform/raster/raster_dc.h"
#include "platform/raster/scaled_graphics.h"

#include <functional>

namespace plainquill::raster::testing {
namespace {

constexpr int kScale = 2;
constexpr Size kSize{12, 8};

// The first device pixel that is not its logical pixel, as "x,y", or "".
std::string firstUndoubled(const RasterSurface& surface)
{
    const Bitmap& device = surface.devicePixels();
    const Bitmap& logical = surface.bitmap();
    if (device.size() != Size{logical.width() * kScale, logical.height() * kScale})
        return "size";
    for (int y = 0; y < device.height(); ++y)
        for (int x = 0; x < device.width(); ++x)
            if (device.pixel(x, y) != logical.pixel(x / kScale, y / kScale))
                return std::to_string(x) + "," + std::to_string(y);
    return "";
}

// A memory DC like `like`, with a new bitmap of kSize (monochrome when asked) selected.
std::unique_ptr<Dc> buffer(Dc& like, bool monochrome)
{
    auto dc = like.createCompatibleDc();
    dc->selectBitmap(monochrome ? dc->createCompatibleBitmap(kSize) : like.createCompatibleBitmap(kSize));
    return dc;
}

// Stripes and a diagonal in two colours, so that every raster operation changes something.
void paintPattern(Dc& dc, Colour a, Colour b)
{
    dc.fillRect({0, 0, kSize.width, kSize.height}, Brush::solid(a));
    dc.fillRect({2, 1, 7, 6}, Brush::solid(b));
    dc.selectPen(Pen::solid(b));
    dc.moveTo({0, 7});
    dc.lineTo({8, 0});
    dc.ellipse({6, 2, 12, 8});
}

TEST(DeviceLayer, EveryDrawingIsTheLogicalPictureDoubled)
{
    struct Case {
        const char* name;
        std::function<void(Dc&)> draw;
    };
    const std::vector<Case> cases = {
        {"colour buffer, each rop side by side", [](Dc& dc) {
             paintPattern(dc, 0x00FF00, 0x0000FF);
             auto source = buffer(dc, false);
             paintPattern(*source, 0x123456, kWhite);
             int x = 0;
             for (RasterOp rop : {SRCCOPY, SRCAND, SRCINVERT, NOTSRCCOPY, SRCPAINT})
                 dc.bitBlt(x++ * 2, 1, 2, 6, source.get(), 2, 1, rop);
         }},
        {"monochrome mask both ways", [](Dc& dc) {
             paintPattern(dc, 0x808080, 0x0000FF);
             auto colour = buffer(dc, false);
             paintPattern(*colour, 0x00FF00, kBlack);
             colour->setBkColor(0x00FF00); // this colour becomes white in the mask
             auto mask = buffer(*colour, true);
             mask->bitBlt(0, 0, kSize.width, kSize.height, colour.get(), 0, 0, SRCCOPY);
             auto inverse = buffer(*colour, true);
             inverse->bitBlt(0, 0, kSize.width, kSize.height, mask.get(), 0, 0, NOTSRCCOPY);
             dc.bitBlt(0, 0, kSize.width, kSize.height, inverse.get(), 0, 0, SRCAND);
         }},
    };
    for (const Case& c : cases) {
        RasterGraphics graphics(xpSystemColours());
        RasterSurface surface(graphics, kSize, kScale);
        c.draw(surface.dc());
        EXPECT_EQ(firstUndoubled(surface), "") << c.name;
    }
}

// A buffer kept between paints (made once, its bitmap left selected) follows its window to a
// screen of another scale: its next drawing lands in a layer of the new scale, and its text is
// drawn at that resolution rather than enlarged.
TEST(DeviceLayer, AKeptBufferFollowsANewScale)
{
    RasterGraphics graphics(xpSystemColours());
    ScaledGraphics scaled(graphics);
    auto kept = scaled.createScreenDc()->createCompatibleDc();
    kept->selectBitmap(kept->createCompatibleBitmap(kSize));
    const auto& raster = dynamic_cast<const RasterDc&>(*kept);
    EXPECT_TRUE(raster.deviceLayer().isNull());

    scaled.setScale(kScale);
    Rect box{0, 0, kSize.width, kSize.height};
    kept->fillRect(box, Brush::solid(kWhite));
    kept->drawText("Il", box, DT_SINGLELINE | DT_NOCLIP);
    ASSERT_EQ(raster.deviceLayer().size(), (Size{kSize.width * kScale, kSize.height * kScale}));

    RasterSurface window(graphics, kSize, kScale);
    window.dc().bitBlt(0, 0, kSize.width, kSize.height, kept.get(), 0, 0, SRCCOPY);
    EXPECT_NE(firstUndoubled(window), "") << "the text came through enlarged, not redrawn";
}

} // namespace
} // namespace plainquill::raster::testing
