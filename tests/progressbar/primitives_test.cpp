// The public drawing primitives: DrawLine leaves out its end point, DrawGradient counts its lines
// and resolves its colours in place, pDraw copies the buffer block.
#include "bar_fixture.h"

namespace plainquill::progressbar {
namespace {

using namespace contracts;
using testing::Bar;

struct Canvas {
    Canvas() : b({20, 10}, {}) { b.host.hDC().fillRect({0, 0, 20, 10}, Brush::solid(kSentinel)); }
    Colour at(int x, int y) { return b.host.hDC().getPixel({x, y}); }
    static constexpr Colour kSentinel = 0x00C0FFEE;
    Bar b;
};

TEST(DrawLine, ResolvesItsColourAndLeavesOutTheEndPoint)
{
    Canvas c;
    c.b.bar.DrawLine(2, 3, 6, 3, c.b.host.hDC(), 0x8000000D);
    EXPECT_EQ(c.at(1, 3), Canvas::kSentinel);
    EXPECT_EQ(c.at(2, 3), 0xC56A31u); // the highlight colour
    EXPECT_EQ(c.at(5, 3), 0xC56A31u);
    EXPECT_EQ(c.at(6, 3), Canvas::kSentinel);
    EXPECT_EQ(c.b.host.hDC().pen(), Pen{}); // the previous pen is back
}

TEST(DrawGradient, CountsLinesAndResolvesColoursInPlace)
{
    Canvas c;
    Colour end = 0x8000000D, start = 0x000000;
    bool columns = true;
    c.b.bar.DrawGradient(end, start, 1, 0, 4, 3, c.b.host.hDC(), columns);
    EXPECT_EQ(end, 0xC56A31u);
    // X2 = 4: five columns 1..5, each from row 0 to row 2.
    EXPECT_EQ(c.at(1, 0), 0xC56A31u);
    EXPECT_EQ(c.at(1, 2), 0xC56A31u);
    EXPECT_EQ(c.at(1, 3), Canvas::kSentinel);
    EXPECT_EQ(c.at(5, 1), 0x000000u);
    EXPECT_EQ(c.at(6, 1), Canvas::kSentinel);

    // Y2 = 0 with rows: the step fails to divide and stays 0, one row in the end colour.
    Colour red = 0x0000FF, blue = 0xFF0000;
    bool rows = false;
    c.b.bar.DrawGradient(red, blue, 0, 8, 10, 0, c.b.host.hDC(), rows);
    EXPECT_EQ(c.at(0, 8), 0x0000FFu);
    EXPECT_EQ(c.at(9, 8), 0x0000FFu);
    EXPECT_EQ(c.at(10, 8), Canvas::kSentinel);
    EXPECT_EQ(c.at(0, 9), Canvas::kSentinel);

    // A negative count draws nothing.
    c.b.bar.DrawGradient(red, blue, 0, 9, 10, -1, c.b.host.hDC(), rows);
    EXPECT_EQ(c.at(0, 9), Canvas::kSentinel);
}

TEST(PDraw, CopiesTheBufferBlock)
{
    Canvas c;
    c.b.bar.hdc()->fillRect({0, 0, 20, 10}, Brush::solid(0x00FF00));
    c.b.bar.hdc()->setPixelV({3, 2}, 0x0000FF);
    c.b.bar.pDraw(c.b.host.hDC(), 3, 2, 2, 1, 10, 5);
    EXPECT_EQ(c.at(10, 5), 0x0000FFu);
    EXPECT_EQ(c.at(11, 5), 0x00FF00u);
    EXPECT_EQ(c.at(12, 5), Canvas::kSentinel);
    EXPECT_EQ(c.at(10, 6), Canvas::kSentinel);

    // A size below 1 stands for the buffer's own.
    c.b.bar.pDraw(c.b.host.hDC(), 0, 0, 0, -1, 0, 0);
    EXPECT_EQ(c.at(19, 9), 0x00FF00u);
}

} // namespace
} // namespace plainquill::progressbar
