// The gallery's command line: the two modes, the value forms of --set, and the errors that must
// end in a clear message (exit status 2).
#include "gallery/gallery_command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace plainquill::gallery {
namespace {

using namespace contracts;

Request parse(std::vector<std::string> arguments) { return parseCommandLine(arguments); }

TEST(GalleryCommandLine, SheetByDefault)
{
    const Request plain = parse({});
    ASSERT_TRUE(std::holds_alternative<SheetRequest>(plain));
    EXPECT_EQ(std::get<SheetRequest>(plain).out, "gallery.png");
    EXPECT_EQ(std::get<SheetRequest>(parse({"--out", "all.png"})).out, "all.png");
    EXPECT_TRUE(std::holds_alternative<HelpRequest>(parse({"--help"})));
}

TEST(GalleryCommandLine, OneControl)
{
    const Request r = parse({"--control", "Ostrand.XP_ProgressBar", "--size", "97x17", "--set", "Scrolling=1",
                             "--set", "Color=0xFFFFFF", "--set", "ShowText=true", "--set", "Caption=Start",
                             "--state", "pressed", "--out", "bar.png"});
    ASSERT_TRUE(std::holds_alternative<SingleRequest>(r)) << std::get<UsageError>(r).message;
    const SingleRequest& single = std::get<SingleRequest>(r);
    EXPECT_EQ(single.className, "Ostrand.XP_ProgressBar");
    EXPECT_EQ(single.size, (Size{97, 17}));
    EXPECT_EQ(single.state, ControlState::Pressed);
    EXPECT_EQ(single.out, "bar.png");
    EXPECT_EQ(single.stored.ReadInteger("scrolling", 0), 1);
    EXPECT_EQ(single.stored.ReadColour("color", 0), 0xFFFFFFu);
    EXPECT_TRUE(single.stored.ReadBoolean("showtext", false));
    EXPECT_EQ(single.stored.ReadString("caption", ""), "Start");
}

TEST(GalleryCommandLine, SettingValues)
{
    struct Case {
        const char* setting;
        PropertyValue expected;
    };
    const Case cases[] = {
        {"Max=250", std::int64_t{250}},
        {"Min=-3", std::int64_t{-3}},
        {"Color=0x8000000D", std::int64_t{0x8000000D}},
        {"Enabled=False", false},
        {"Caption=Browse...", std::string("Browse...")},
        {"Caption=", std::string("")},
        {"Caption=a=b", std::string("a=b")},
    };
    for (const Case& c : cases) {
        const auto parsed = parseSetting(c.setting);
        ASSERT_TRUE((std::holds_alternative<std::pair<std::string, PropertyValue>>(parsed))) << c.setting;
        EXPECT_EQ((std::get<std::pair<std::string, PropertyValue>>(parsed).second), c.expected) << c.setting;
    }
}

TEST(GalleryCommandLine, ClearErrors)
{
    const std::vector<std::vector<std::string>> bad{
        {"--bogus", "1"},
        {"--out"},
        {"--size", "10x10"},
        {"--control", "Ostrand.XpB", "--out", "x.png"},
        {"--control", "Ostrand.XpB", "--size", "10x10"},
        {"--control", "Ostrand.XpB", "--size", "10", "--out", "x.png"},
        {"--control", "Ostrand.XpB", "--size", "0x10", "--out", "x.png"},
        {"--control", "Ostrand.XpB", "--size", "10x10", "--state", "sleepy", "--out", "x.png"},
        {"--control", "Ostrand.XpB", "--size", "10x10", "--set", "NoEquals", "--out", "x.png"},
        {"--control", "Ostrand.XpB", "--size", "10x10", "--set", "Max=99999999999", "--out", "x.png"},
        {"--control", "Ostrand.XpB", "--size", "10x10", "--set", "Max=12abc", "--out", "x.png"},
        {"--control", "Ostrand.XpB", "--size", "10x10", "--set", "Picture=@/nonexistent.png", "--out", "x.png"},
    };
    for (const auto& arguments : bad) {
        const Request r = parse(arguments);
        ASSERT_TRUE(std::holds_alternative<UsageError>(r)) << arguments.front() << " " << arguments.size();
        EXPECT_FALSE(std::get<UsageError>(r).message.empty());
    }
}

// Both modes take --scale and --backdrop; a bad one says what is wrong with it.
TEST(GalleryCommandLine, ScaleAndBackdrop)
{
    struct Case {
        std::vector<std::string> options;
        int scale;
        std::optional<Colour> backdrop;
        const char* error; // or null
    };
    const Case cases[] = {
        {{}, 1, std::nullopt, nullptr},
        {{"--scale", "4", "--backdrop", "#102030"}, 4, rgb(0x10, 0x20, 0x30), nullptr},
        {{"--backdrop", "DarkSlateGray"}, 1, rgb(0x2F, 0x4F, 0x4F), nullptr},
        {{"--scale", "0"}, 0, {}, "bad scale \"0\""},
        {{"--scale", "5"}, 0, {}, "bad scale \"5\""},
        {{"--scale", "1.5"}, 0, {}, "bad scale \"1.5\""},
        {{"--backdrop", "#12345"}, 0, {}, "bad colour \"#12345\""},
        {{"--backdrop", "notacolour"}, 0, {}, "bad colour \"notacolour\""},
        {{"--backdrop", "transparent"}, 0, {}, "bad colour \"transparent\""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> single{"--control", "Ostrand.XpB", "--size", "10x10", "--out", "x.png"};
        single.insert(single.end(), c.options.begin(), c.options.end());
        const Request sheet = parse(c.options), one = parse(single);
        const std::string name = ::testing::PrintToString(c.options);
        if (c.error) {
            for (const Request& r : {sheet, one})
                EXPECT_THAT(std::get<UsageError>(r).message, ::testing::HasSubstr(c.error)) << name;
            continue;
        }
        for (const Presentation& p : {std::get<SheetRequest>(sheet).presentation, std::get<SingleRequest>(one).presentation}) {
            EXPECT_EQ(p.scale, c.scale) << name;
            EXPECT_EQ(p.backdrop, c.backdrop) << name;
        }
    }
}

} // namespace
} // namespace plainquill::gallery
