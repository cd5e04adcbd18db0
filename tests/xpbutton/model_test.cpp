// XpB's properties and stored keys.
#include "button_fixture.h"

#include "controls/contracts/control_errors.h"

namespace plainquill::xpbutton::testing {
namespace {

TEST(XpBModel, AccessKeyIsTheCharacterAfterTheFirstSingleAmpersand)
{
    const struct {
        const char* caption;
        const char* key;
    } cases[] = {
        {"&Help", "h"},        {"A&&B", ""},    {"Save && E&xit", "x"}, {"&&a&&b", ""},
        {"H", ""},             {"&", ""},       {"Help&", ""},          {"Caf&\xC3\xA9", "\xC3\xA9"},
        {"&&x&", ""},
    };
    Button b({});
    for (const auto& c : cases) {
        b.xpb.SetCaption(c.caption);
        EXPECT_EQ(b.host.AccessKeys(), c.key) << c.caption;
    }
}

TEST(XpBModel, ANewInstanceTakesItsNameAndSavesLittleMoreThanItsExtent)
{
    host::HeadlessHost host(std::make_unique<XpB>(), {.name = "XpB1", .size = {89, 25}});
    host.loadNew();
    auto& xpb = host.controlAs<XpB>();
    EXPECT_EQ(xpb.Caption(), "XpB1");
    EXPECT_EQ(xpb.ButtonStyle(), Flat);
    EXPECT_EQ(xpb.SoundClick(), ".\\resources\\click.wav");
    EXPECT_EQ(xpb.version(), "030102-155");
    xpb.Setversion("x");
    EXPECT_EQ(xpb.version(), "030102-155");
    // The hover picture of a new instance is an empty picture object, which is not "none".
    EXPECT_EQ(host.save().Names(), (std::vector<std::string>{"_ExtentX", "_ExtentY", "PictureHover"}));
}

TEST(XpBModel, StoredValuesComeBackInTheWrittenOrder)
{
    const PictureRef picture = framedPicture({12, 18}, 0x0000FF, 0x00FF00);
    Button first({{"Caption", std::string("&Go")},
                  {"PicturePosition", integer(3)},
                  {"ButtonStyle", integer(0)},
                  {"Picture", picture},
                  {"PictureWidth", integer(24)},
                  {"PictureSize", integer(2)},
                  {"OriginalPicSizeW", integer(12)},
                  {"Enabled", false},
                  {"MousePointer", integer(99)},
                  {"URL", std::string("http://example.org/")},
                  {"XPColor_Hover", ColourValue{0x123456}},
                  {"ForeColor", ColourValue{0x0000FF}},
                  {"SoundClick", std::string("beep.wav")},
                  {"TransparentBG", true},
                  {"BEVEL", integer(3)},
                  {"BEVELDEPTH", integer(-4)}});
    const PropertyBag saved = first.host.save();
    EXPECT_EQ(saved.Names(), (std::vector<std::string>{"_ExtentX", "_ExtentY", "Caption", "PicturePosition",
                                                       "ButtonStyle", "Picture", "PictureWidth", "PictureSize",
                                                       "OriginalPicSizeW", "Enabled", "MousePointer", "URL",
                                                       "XPColor_Hover", "ForeColor", "SoundClick", "TransparentBG",
                                                       "BEVEL", "BEVELDEPTH"}));
    host::HeadlessHost second(std::make_unique<XpB>(), {.name = "XpB2"});
    second.load(saved);
    const XpB& x = second.controlAs<XpB>();
    EXPECT_EQ(x.Caption(), "&Go");
    EXPECT_EQ(second.AccessKeys(), "g");
    EXPECT_EQ(x.PicturePosition(), 3);
    EXPECT_EQ(x.PictureWidth(), 24);
    EXPECT_EQ(x.OriginalPicSize(), (Size{12, 32}));
    EXPECT_TRUE(x.Picture() && x.Picture()->sameImageAs(*picture));
    EXPECT_FALSE(x.Enabled());
    EXPECT_EQ(x.MousePointer(), 99);
    EXPECT_EQ(x.XPColor_Hover(), 0x123456u);
    EXPECT_EQ(x.SoundClick(), "beep.wav");
    EXPECT_TRUE(x.TransparentBG());
    EXPECT_EQ(x.BEVELDEPTH(), -4);
}

TEST(XpBModel, PictureSizeChoosesTheDrawnSize)
{
    const struct {
        bool withPicture;
        std::int32_t mode;
        Size expected;
    } cases[] = {{true, Small, {16, 16}}, {true, Normal, {32, 32}}, {true, Natural, {12, 18}},
                 {false, Natural, {32, 32}}, {true, 7, {20, 21}}};
    for (const auto& c : cases) {
        Button b({{"PictureWidth", integer(20)}, {"PictureHeight", integer(21)}});
        if (c.withPicture)
            b.xpb.SetPicture(framedPicture({12, 18}, kWhite, kBlack));
        b.xpb.SetPictureSize(c.mode);
        EXPECT_EQ((Size{b.xpb.PictureWidth(), b.xpb.PictureHeight()}), c.expected) << c.mode;
    }
    // Natural size follows each new picture.
    Button b({{"PictureSize", integer(Natural)}});
    b.xpb.SetPicture(framedPicture({7, 9}, kWhite, kBlack));
    EXPECT_EQ((Size{b.xpb.PictureWidth(), b.xpb.PictureHeight()}), (Size{7, 9}));
}

TEST(XpBModel, TheHoverPictureIsThePictureWhileTheCursorIsOver)
{
    const PictureRef normal = framedPicture({8, 8}, 0x0000FF, 0x0000FF);
    const PictureRef hover = framedPicture({8, 8}, 0x00FF00, 0x00FF00);
    Button b({{"Picture", normal}, {"PictureHover", hover}});
    b.host.moveMouse(b.middle());
    EXPECT_EQ(b.xpb.Picture(), hover);
    EXPECT_TRUE(toPicture(b.host.save().ReadProperty("Picture"))->sameImageAs(*hover));
    b.pointerAway();
    EXPECT_EQ(b.xpb.Picture(), normal);
}

TEST(XpBModel, ButtonStyleThreeTurnsTransparencyOff)
{
    for (const std::int32_t style : {0, 2, 3, 4}) {
        Button b({{"TransparentBG", true}});
        b.xpb.SetButtonStyle(style);
        EXPECT_EQ(b.xpb.TransparentBG(), style != XP) << style;
    }
}

TEST(XpBModel, BevelValuesBeyondSixteenBitsAreAnOverflow)
{
    Button b({});
    EXPECT_THROW(b.xpb.SetBEVEL(32768), OverflowError);
    EXPECT_THROW(b.xpb.SetBEVELDEPTH(-32769), OverflowError);
    EXPECT_EQ(b.xpb.BEVEL(), 1);
    EXPECT_EQ(b.xpb.BEVELDEPTH(), 8);
}

} // namespace
} // namespace plainquill::xpbutton::testing
