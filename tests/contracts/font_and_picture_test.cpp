// Font objects announce each change to every listener for as long as it listens; pictures
// know their type and their size in HIMETRIC; scale conversions between the units.
#include "controls/contracts/font_object.h"
#include "controls/contracts/picture.h"
#include "controls/contracts/scale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plainquill::contracts {
namespace {

TEST(FontObject, AnnouncesEveryChangeToEveryListener)
{
    const FontRef font = makeFont();
    std::vector<std::string> first, second;
    FontSubscription a = font->Subscribe([&](std::string_view what) { first.emplace_back(what); });
    FontSubscription b = font->Subscribe([&](std::string_view what) { second.emplace_back(what); });

    font->SetName("Tahoma");
    font->SetSize(9);
    font->SetBold(true);
    font->SetItalic(true);
    font->SetUnderline(true);
    font->SetStrikethrough(false); // unchanged value: still announced
    const std::vector<std::string> expected{"Name", "Size", "Bold", "Italic", "Underline", "Strikethrough"};
    EXPECT_EQ(first, expected);
    EXPECT_EQ(second, expected);
    EXPECT_EQ(font->Description(), (FontDescription{"Tahoma", 9, true, true, true, false}));
}

TEST(FontObject, ListeningEndsWithTheSubscription)
{
    const FontRef font = makeFont();
    int calls = 0;
    {
        FontSubscription s = font->Subscribe([&](std::string_view) { ++calls; });
        font->SetBold(true);
        FontSubscription moved = std::move(s);
        font->SetBold(false);
    }
    font->SetBold(true);
    EXPECT_EQ(calls, 2);

    // A listener that ends another listener's subscription while being told: the other one is
    // not called any more, even in the same announcement.
    FontSubscription later;
    int laterCalls = 0;
    FontSubscription first = font->Subscribe([&](std::string_view) { later.reset(); });
    later = font->Subscribe([&](std::string_view) { ++laterCalls; });
    font->SetSize(10);
    EXPECT_EQ(laterCalls, 0);
}

TEST(FontObject, SubscriptionOutlivingItsFontIsHarmless)
{
    FontSubscription s;
    {
        const FontRef font = makeFont();
        s = font->Subscribe([](std::string_view) {});
        EXPECT_TRUE(s.isActive());
    }
    EXPECT_FALSE(s.isActive());
    s.reset();
}

TEST(Picture, KnowsItsTypeAndHimetricSize)
{
    const PictureRef empty = Picture::empty();
    EXPECT_EQ(empty->Type(), PictureType::None);
    EXPECT_EQ(empty->Width(), 0);
    EXPECT_EQ(Picture::fromBitmap(Bitmap())->Type(), PictureType::None);

    // 16 px = 16 * 2540 / 96 = 423.33 -> 423; 3 px = 79.375 -> 79; 96 px = exactly one inch.
    const PictureRef bitmap = Picture::fromBitmap(Bitmap::create({16, 3}));
    EXPECT_EQ(bitmap->Type(), PictureType::Bitmap);
    EXPECT_EQ(bitmap->Width(), 423);
    EXPECT_EQ(bitmap->Height(), 79);
    EXPECT_EQ(Picture::fromBitmap(Bitmap::create({96, 96}))->Width(), 2540);
    EXPECT_EQ(bitmap->pixelSize(), (Size{16, 3}));

    const Icon icon = Icon::createIndirect({Bitmap::create({32, 32}, Bitmap::Format::Monochrome),
                                            Bitmap::create({32, 32})});
    const PictureRef iconPicture = Picture::fromIcon(icon);
    EXPECT_EQ(iconPicture->Type(), PictureType::Icon);
    EXPECT_EQ(static_cast<int>(iconPicture->Type()), 3);
    EXPECT_NE(iconPicture->icon(), nullptr);
    EXPECT_EQ(iconPicture->bitmap(), nullptr);
}

TEST(Picture, ComparesByImage)
{
    Bitmap a = Bitmap::create({2, 2});
    Bitmap b = Bitmap::create({2, 2});
    EXPECT_TRUE(Picture::fromBitmap(a)->sameImageAs(*Picture::fromBitmap(b)));
    b.setPixel(1, 1, 0x0000FF);
    EXPECT_FALSE(Picture::fromBitmap(a)->sameImageAs(*Picture::fromBitmap(b)));
    EXPECT_FALSE(Picture::fromBitmap(a)->sameImageAs(*Picture::empty()));
}

TEST(Scale, ConvertsBetweenUnits)
{
    EXPECT_DOUBLE_EQ(convertScale(1, ScaleUnit::Pixels, ScaleUnit::Twips), 15);
    EXPECT_DOUBLE_EQ(convertScale(1455, ScaleUnit::Twips, ScaleUnit::Pixels), 97);
    EXPECT_DOUBLE_EQ(convertScale(96, ScaleUnit::Pixels, ScaleUnit::Himetric), 2540);
    EXPECT_DOUBLE_EQ(convertScale(2540, ScaleUnit::Himetric, ScaleUnit::Twips), 1440);
    EXPECT_DOUBLE_EQ(convertScale(72, ScaleUnit::Points, ScaleUnit::Pixels), 96);
}

} // namespace
} // namespace plainquill::contracts
