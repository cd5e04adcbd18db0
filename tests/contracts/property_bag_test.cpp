// The property bag: keys without regard to case, defaults on read, defaults left out on write,
// the conversions of typed reads, and every value type surviving a write and a read.
#include "controls/contracts/control_errors.h"
#include "controls/contracts/property_bag.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace plainquill::contracts {
namespace {

TEST(PropertyBag, KeysMatchWithoutRegardToCase)
{
    PropertyBag bag;
    bag.WriteProperty("btype", std::int64_t{3});
    EXPECT_EQ(bag.ReadInteger("BTYPE", 2), 3);
    EXPECT_EQ(bag.ReadInteger("BType", 2), 3);
    EXPECT_TRUE(bag.Contains("bTyPe"));

    // A second write under another spelling replaces the value in place, keeping the first
    // spelling and position, so the save order does not change.
    bag.WriteProperty("Caption", std::string("Start"));
    bag.WriteProperty("BTYPE", std::int64_t{5});
    EXPECT_EQ(bag.Names(), (std::vector<std::string>{"btype", "Caption"}));
    EXPECT_EQ(bag.ReadInteger("btype", 0), 5);
}

TEST(PropertyBag, AbsentKeysReadAsTheirDefault)
{
    PropertyBag bag;
    bag.WriteProperty("Empty", PropertyValue{}); // holds no value: reads as absent
    EXPECT_EQ(bag.ReadInteger("Max", 100), 100);
    EXPECT_EQ(bag.ReadInteger16("Empty", 7), 7);
    EXPECT_EQ(bag.ReadString("Caption", "isButton"), "isButton");
    EXPECT_TRUE(bag.ReadBoolean("Enabled", true));
    EXPECT_EQ(bag.ReadColour("Color", 0x8000000Du), 0x8000000Du);
    EXPECT_EQ(bag.ReadFont("Font", nullptr), nullptr);
    const FontRef fallback = makeFont();
    EXPECT_EQ(bag.ReadFont("Font", fallback), fallback);
    EXPECT_TRUE(isEmpty(bag.ReadProperty("Nothing")));
}

TEST(PropertyBag, ValuesEqualToTheirDefaultAreLeftOut)
{
    PropertyBag bag;
    bag.WriteProperty("BrushStyle", std::int64_t{0}, PropertyValue{std::int64_t{4}});
    bag.WriteProperty("Max", std::int64_t{100}, PropertyValue{std::int64_t{100}});
    bag.WriteProperty("ShowText", false, PropertyValue{false});
    bag.WriteProperty("Caption", std::string(""), PropertyValue{std::string("")});
    bag.WriteProperty("Font", makeFont(), PropertyValue{FontRef{}});
    bag.WriteProperty("Image", PictureRef{}, PropertyValue{PictureRef{}});
    EXPECT_EQ(bag.Names(), (std::vector<std::string>{"BrushStyle", "Font"}));

    // Writing the default over an earlier value removes it, so the default reads back.
    bag.WriteProperty("brushstyle", std::int64_t{4}, PropertyValue{std::int64_t{4}});
    EXPECT_FALSE(bag.Contains("BrushStyle"));
    EXPECT_EQ(bag.ReadInteger("BrushStyle", 4), 4);
}

TEST(PropertyBag, DefaultComparisonCrossesNumberKinds)
{
    struct Case {
        const char* name;
        PropertyValue value;
        PropertyValue defaultValue;
        bool omitted;
    };
    const FontRef tahoma = makeFont({"Tahoma", 8.25});
    const Case cases[] = {
        {"colour held signed vs written unsigned", std::int64_t{-2147483635}, ColourValue{0x8000000Du}, true},
        {"unsigned integer vs colour", std::int64_t{0x8000000D}, ColourValue{0x8000000Du}, true},
        {"true vs -1", true, std::int64_t{-1}, true},
        {"true vs 1", true, std::int64_t{1}, false},
        {"whole fraction vs integer", 3.0, std::int64_t{3}, true},
        {"fraction vs integer", 3.5, std::int64_t{3}, false},
        {"text is exact", std::string("Start"), std::string("start"), false},
        {"number text is not a number", std::string("3"), std::int64_t{3}, false},
        {"fonts by description", makeFont({"Tahoma", 8.25}), tahoma, true},
        {"fonts differing in size", makeFont({"Tahoma", 9}), tahoma, false},
        {"a font is not nothing", tahoma, FontRef{}, false},
    };
    for (const Case& c : cases) {
        PropertyBag bag;
        bag.WriteProperty("Key", c.value, c.defaultValue);
        EXPECT_EQ(!bag.Contains("Key"), c.omitted) << c.name;
    }
}

TEST(PropertyBag, TypedReadsConvertLikeTheContainer)
{
    struct Case {
        const char* name;
        PropertyValue stored;
        std::function<void(const PropertyBag&)> check;
    };
    const Case cases[] = {
        {"true as a number is -1", true, [](auto& b) { EXPECT_EQ(b.ReadInteger("K", 0), -1); }},
        {"a number as a boolean", std::int64_t{2}, [](auto& b) { EXPECT_TRUE(b.ReadBoolean("K", false)); }},
        {"zero as a boolean", std::int64_t{0}, [](auto& b) { EXPECT_FALSE(b.ReadBoolean("K", true)); }},
        {"boolean words", std::string("TRUE"), [](auto& b) { EXPECT_TRUE(b.ReadBoolean("K", false)); }},
        {"decimal text", std::string("12"), [](auto& b) { EXPECT_EQ(b.ReadInteger("K", 0), 12); }},
        {"hexadecimal text", std::string("0xFF"), [](auto& b) { EXPECT_EQ(b.ReadInteger("K", 0), 255); }},
        {"platform hexadecimal", std::string("&H8000000D"),
         [](auto& b) { EXPECT_EQ(b.ReadColour("K", 0), 0x8000000Du); }},
        {"half rounds to even (down)", 2.5, [](auto& b) { EXPECT_EQ(b.ReadInteger("K", 0), 2); }},
        {"half rounds to even (up)", 3.5, [](auto& b) { EXPECT_EQ(b.ReadInteger("K", 0), 4); }},
        {"unsigned colour as signed", std::int64_t{0x8000000D},
         [](auto& b) { EXPECT_EQ(b.ReadInteger("K", 0), -2147483635); }},
        {"colour from number", std::int64_t{16777215},
         [](auto& b) { EXPECT_EQ(b.ReadColour("K", 0), 0xFFFFFFu); }},
        {"number as text", std::int64_t{-7}, [](auto& b) { EXPECT_EQ(b.ReadString("K", ""), "-7"); }},
        {"boolean as text", false, [](auto& b) { EXPECT_EQ(b.ReadString("K", ""), "False"); }},
        {"too large", std::int64_t{5'000'000'000},
         [](auto& b) { EXPECT_THROW(b.ReadInteger("K", 0), OverflowError); }},
        {"16 bits", std::int64_t{70000}, [](auto& b) { EXPECT_THROW(b.ReadInteger16("K", 0), OverflowError); }},
        {"16 bits, negative edge", std::int64_t{-32768},
         [](auto& b) { EXPECT_EQ(b.ReadInteger16("K", 0), -32768); }},
        {"words are not numbers", std::string("abc"),
         [](auto& b) { EXPECT_THROW(b.ReadInteger("K", 0), PropertyTypeError); }},
        {"a font is not a number", makeFont(),
         [](auto& b) { EXPECT_THROW(b.ReadInteger("K", 0), PropertyTypeError); }},
        {"a number is not a picture", std::int64_t{1},
         [](auto& b) { EXPECT_THROW(b.ReadPicture("K", nullptr), PropertyTypeError); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PropertyBag bag;
        bag.WriteProperty("K", c.stored);
        c.check(bag);
    }
}

TEST(PropertyBag, EveryValueTypeRoundTrips)
{
    const FontRef font = makeFont({"Tahoma", 9.75, true, false, true, false});
    Bitmap pixels = Bitmap::create({2, 1});
    pixels.setPixel(1, 0, 0x123456);
    const PictureRef picture = Picture::fromBitmap(pixels);

    PropertyBag bag;
    bag.WriteProperty("Integer", std::int64_t{-42});
    bag.WriteProperty("Fraction", 8.25);
    bag.WriteProperty("Boolean", true);
    bag.WriteProperty("Text", std::string("Gathering Required Information"));
    bag.WriteProperty("Colour", ColourValue{0x8000000F});
    bag.WriteProperty("Font", font);
    bag.WriteProperty("Picture", picture);
    bag.WriteProperty("NoPicture", PictureRef{});

    EXPECT_EQ(bag.ReadInteger("integer", 0), -42);
    EXPECT_DOUBLE_EQ(bag.ReadDouble("fraction", 0), 8.25);
    EXPECT_TRUE(bag.ReadBoolean("boolean", false));
    EXPECT_EQ(bag.ReadString("text", ""), "Gathering Required Information");
    EXPECT_EQ(bag.ReadColour("colour", 0), 0x8000000Fu);
    EXPECT_EQ(bag.ReadFont("font", nullptr), font); // the same object, held by reference
    EXPECT_EQ(bag.ReadPicture("picture", nullptr), picture);
    // An object set to nothing is stored as nothing, not as absent.
    EXPECT_EQ(bag.ReadPicture("NoPicture", Picture::empty()), nullptr);
}

} // namespace
} // namespace plainquill::contracts
