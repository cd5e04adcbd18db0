#include "pixel_art.h"

namespace plainquill::raster::testing {
namespace {

// Pixel colour for (x, y) that encodes its position, so misplaced rows or columns show.
Colour positionColour(int x, int y) { return rgb(10 + x, 100 + y, 200); }

Bitmap positionBitmap(Size size)
{
    Bitmap b = Bitmap::create(size);
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            b.setPixel(x, y, positionColour(x, y));
    return b;
}

TEST(Dib, GetDIBitsWritesBottomUpRowsPaddedToFourBytesInBlueGreenRed)
{
    struct Case {
        const char* name;
        int width;
        int stride;
    };
    for (const Case& c : {Case{"width_3_pads_3_bytes", 3, 12}, Case{"width_4_no_padding", 4, 12},
                          Case{"width_15_pads_3_bytes", 15, 48}}) {
        PixelFixture f;
        const Bitmap bitmap = positionBitmap({c.width, 2});
        const DibInfo info{40, c.width, 2, 1, 24};
        EXPECT_EQ(info.stride(), c.stride) << c.name;
        std::vector<std::uint8_t> bits(info.byteSize(), 0xEE);
        ASSERT_EQ(f.dc().getDIBits(bitmap, 0, 2, bits, info), 2) << c.name;
        for (int row = 0; row < 2; ++row) {
            const int imageY = 1 - row; // the first array row is the bottom image row
            for (int x = 0; x < c.width; ++x) {
                const std::uint8_t* px = &bits[row * c.stride + x * 3];
                EXPECT_EQ(px[0], 200) << c.name << " blue";
                EXPECT_EQ(px[1], 100 + imageY) << c.name << " green";
                EXPECT_EQ(px[2], 10 + x) << c.name << " red";
            }
            for (int pad = c.width * 3; pad < c.stride; ++pad)
                EXPECT_EQ(bits[row * c.stride + pad], 0xEE) << c.name << " padding is not written";
        }
    }
}

TEST(Dib, RoundTripThroughSetDIBitsToDeviceRestoresEveryPixel)
{
    for (int width : {1, 2, 3, 5, 15}) {
        PixelFixture f({16, 3});
        const Bitmap source = positionBitmap({width, 3});
        const DibInfo info{40, width, 3, 1, 24};
        std::vector<std::uint8_t> bits(info.byteSize());
        ASSERT_EQ(f.dc().getDIBits(source, 0, 3, bits, info), 3);
        EXPECT_EQ(f.dc().setDIBitsToDevice(1, 0, width, 3, 0, 0, 0, 3, bits, info), 3);
        for (int y = 0; y < 3; ++y) {
            EXPECT_EQ(f.at(0, y), kSentinel) << "left of the block";
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(f.at(1 + x, y), positionColour(x, y)) << "width " << width << " at " << x << "," << y;
            if (width < 15) {
                EXPECT_EQ(f.at(1 + width, y), kSentinel) << "right of the block";
            }
        }
    }
}

TEST(Dib, TopDownArraysAnd32BitPixels)
{
    PixelFixture f({2, 2});
    const DibInfo info{40, 2, -2, 1, 32};
    EXPECT_EQ(info.stride(), 8);
    std::vector<std::uint8_t> bits(info.byteSize(), 0xEE);
    ASSERT_EQ(f.dc().getDIBits(positionBitmap({2, 2}), 0, 2, bits, info), 2);
    EXPECT_EQ(bits[2], 10) << "first array row is the top row: red of (0, 0)";
    EXPECT_EQ(bits[1], 100);
    EXPECT_EQ(bits[3], 0) << "the fourth byte is zero";
    EXPECT_EQ(bits[8 + 1], 101) << "second row is image row 1";
    EXPECT_EQ(f.dc().setDIBitsToDevice(0, 0, 2, 2, 0, 0, 0, 2, bits, info), 2);
    EXPECT_EQ(f.at(1, 1), positionColour(1, 1));
}

TEST(Dib, PartialScanRangesAndSourceOriginCountFromTheBottom)
{
    PixelFixture f({3, 4});
    const DibInfo info{40, 3, 4, 1, 24};
    std::vector<std::uint8_t> all(info.byteSize());
    ASSERT_EQ(f.dc().getDIBits(positionBitmap({3, 4}), 0, 4, all, info), 4);
    // Only array rows 1 and 2 (image rows 2 and 1) are in the buffer.
    std::vector<std::uint8_t> middle(all.begin() + info.stride(), all.begin() + 3 * info.stride());
    EXPECT_EQ(f.dc().setDIBitsToDevice(0, 0, 3, 4, 0, 0, 1, 2, middle, info), 2);
    EXPECT_EQ(f.at(0, 0), kSentinel);
    EXPECT_EQ(f.at(0, 1), positionColour(0, 1));
    EXPECT_EQ(f.at(2, 2), positionColour(2, 2));
    EXPECT_EQ(f.at(0, 3), kSentinel);
    // A 1 x 1 block whose lower-left corner is array (1, 1): image row 4 - 1 - 1 = 2.
    f.reset();
    f.dc().setDIBitsToDevice(0, 0, 1, 1, 1, 1, 0, 4, all, info);
    EXPECT_EQ(f.at(0, 0), positionColour(1, 2));
}

TEST(Dib, RejectsWhatItCannotRead)
{
    PixelFixture f;
    const Bitmap bitmap = positionBitmap({3, 2});
    std::vector<std::uint8_t> bits(64);
    struct Case {
        const char* name;
        DibInfo info;
    };
    for (const Case& c : {Case{"8_bits", {40, 3, 2, 1, 8}}, Case{"two_planes", {40, 3, 2, 2, 24}},
                          Case{"wrong_width", {40, 4, 2, 1, 24}}, Case{"small_header", {12, 3, 2, 1, 24}}})
        EXPECT_EQ(f.dc().getDIBits(bitmap, 0, 2, bits, c.info), 0) << c.name;
    std::vector<std::uint8_t> tooSmall(11);
    EXPECT_EQ(f.dc().getDIBits(bitmap, 0, 2, tooSmall, {40, 3, 2, 1, 24}), 0);
}

} // namespace
} // namespace plainquill::raster::testing
