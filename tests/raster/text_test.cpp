#include "pixel_art.h"

#include <set>

namespace plainquill::raster::testing {
namespace {

constexpr Colour kText = 0x00000080;
const FontDescription kFont{"DejaVu Sans", 8.25, false, false, false, false};

using Ink = std::set<std::pair<int, int>>;

class TextTest : public ::testing::Test {
protected:
    TextTest() : f({120, 40})
    {
        f.dc().selectFont(kFont);
        f.dc().setTextColor(kText);
        f.dc().setBkMode(TRANSPARENT);
    }

    Ink draw(std::string_view text, Rect rect, DrawTextFormat format, DrawTextParams* params = nullptr)
    {
        f.reset();
        f.dc().drawText(text, rect, format, params);
        return ink();
    }

    // Every pixel is either the sentinel or the text colour: text is drawn without smoothing.
    Ink ink()
    {
        Ink out;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 120; ++x) {
                if (f.at(x, y) == kText)
                    out.insert({x, y});
                else
                    EXPECT_EQ(f.at(x, y), kSentinel) << "a colour other than the text colour at " << x << "," << y;
            }
        return out;
    }

    static Ink shifted(const Ink& ink, int dx, int dy)
    {
        Ink out;
        for (auto [x, y] : ink)
            out.insert({x + dx, y + dy});
        return out;
    }

    int width(std::string_view text) { return f.dc().textExtent(text).width; }
    int lineHeight() { return f.dc().textMetrics().height; }

    PixelFixture f;
};

TEST_F(TextTest, MetricsOfTheFontAreConsistent)
{
    const TextMetrics m = f.dc().textMetrics();
    EXPECT_GT(m.ascent, 0);
    EXPECT_GT(m.descent, 0);
    EXPECT_EQ(m.height, m.ascent + m.descent);
    EXPECT_LE(m.height, 16) << "an 8.25 pt font at 96 dpi is an 11-pixel em";
    EXPECT_EQ(f.dc().textExtent("mm").width, 2 * f.dc().textExtent("m").width) << "no kerning between glyphs";
}

TEST_F(TextTest, CalcRectMeasuresOneLineWithoutDrawing)
{
    Rect r{3, 4, 100, 30};
    const int h = f.dc().drawText("Start", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r, (Rect{3, 4, 3 + width("Start"), 4 + lineHeight()}));
    EXPECT_EQ(h, lineHeight());
    EXPECT_TRUE(ink().empty());
}

TEST_F(TextTest, CalcRectWithWordBreakKeepsLeftAndGrowsDown)
{
    const int two = width("mmm mmm");
    Rect r{2, 1, 2 + two, 5};
    const int h = f.dc().drawText("mmm mmm mmm", r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(r, (Rect{2, 1, 2 + two, 1 + 2 * lineHeight()})) << "\"mmm mmm\" / \"mmm\"";
    EXPECT_EQ(h, 2 * lineHeight());
    Rect narrow{0, 0, width("mmm") - 1, 0};
    f.dc().drawText("mmm mmm", narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(narrow.right, width("mmm")) << "a word wider than the rectangle widens it";
    EXPECT_EQ(narrow.bottom, 2 * lineHeight());
}

TEST_F(TextTest, EmptyTextMeasuresNothing)
{
    Rect r{5, 5, 50, 50};
    EXPECT_EQ(f.dc().drawText("", r, DT_CALCRECT | DT_WORDBREAK), 0);
    EXPECT_EQ(r, (Rect{5, 5, 5, 5}));
}

TEST_F(TextTest, HorizontalAlignmentMovesTheWholeLine)
{
    const Ink left = draw("Hi", {10, 0, 110, 20}, 0);
    ASSERT_FALSE(left.empty());
    const int w = width("Hi");
    EXPECT_EQ(draw("Hi", {10, 0, 110, 20}, DT_CENTER), shifted(left, (10 + 110 - w) / 2 - 10, 0));
    EXPECT_EQ(draw("Hi", {10, 0, 110, 20}, DT_RIGHT), shifted(left, 110 - w - 10, 0));
}

TEST_F(TextTest, VerticalPlacementOnlyForSingleLines)
{
    const Ink top = draw("Hi", {0, 0, 100, 40}, 0);
    EXPECT_EQ(draw("Hi", {0, 0, 100, 40}, DT_VCENTER), top) << "ignored without DT_SINGLELINE";
    EXPECT_EQ(draw("Hi", {0, 0, 100, 40}, DT_BOTTOM | DT_WORDBREAK), top);
    EXPECT_EQ(draw("Hi", {0, 0, 100, 40}, DT_VCENTER | DT_SINGLELINE), shifted(top, 0, 40 / 2 - lineHeight() / 2));
    EXPECT_EQ(draw("Hi", {0, 0, 100, 40}, DT_BOTTOM | DT_SINGLELINE), shifted(top, 0, 40 - lineHeight()));
    Rect r{0, 0, 100, 40};
    EXPECT_EQ(f.dc().drawText("Hi", r, DT_VCENTER | DT_SINGLELINE), 40 / 2 - lineHeight() / 2 + lineHeight())
        << "returns the offset from the top to the bottom of the text";
}

TEST_F(TextTest, WordBreakPutsLaterLinesOneLineHeightDown)
{
    const Ink first = draw("mmm", {0, 0, 100, 40}, 0);
    const Ink both = draw("mmm mmm", {0, 0, width("mmm") + 2, 40}, DT_WORDBREAK);
    Ink expected = first;
    for (auto p : shifted(first, 0, lineHeight()))
        expected.insert(p);
    EXPECT_EQ(both, expected);
}

TEST_F(TextTest, ClipsToTheRectangleUnlessNoClip)
{
    const Ink whole = draw("WWWW", {0, 0, 100, 40}, 0);
    const Ink clipped = draw("WWWW", {0, 0, 10, 40}, 0);
    Ink expected;
    for (auto p : whole)
        if (p.first < 10)
            expected.insert(p);
    EXPECT_EQ(clipped, expected);
    EXPECT_EQ(draw("WWWW", {0, 0, 10, 40}, DT_NOCLIP), whole);
}

TEST_F(TextTest, AccessKeyIsUnderlinedOneRowBelowTheBaselineAcrossItsGlyph)
{
    const int ascent = f.dc().textMetrics().ascent;
    const Ink plain = draw("xmx", {4, 2, 100, 40}, 0);
    const Ink withKey = draw("x&mx", {4, 2, 100, 40}, 0);
    Ink underline;
    for (int x = 4 + width("x"); x < 4 + width("xm"); ++x)
        underline.insert({x, 2 + ascent + 1});
    Ink expected = plain;
    expected.insert(underline.begin(), underline.end());
    EXPECT_EQ(withKey, expected);
    EXPECT_EQ(draw("x&mx", {4, 2, 100, 40}, DT_HIDEPREFIX), plain);
}

TEST_F(TextTest, DoubledAmpersandIsOneLiteralAmpersandAndNoPrefixKeepsIt)
{
    const Ink literal = draw("a&b", {0, 0, 100, 40}, DT_NOPREFIX);
    EXPECT_EQ(draw("a&&b", {0, 0, 100, 40}, 0), literal);
    EXPECT_NE(draw("a&b", {0, 0, 100, 40}, 0), literal);
}

TEST_F(TextTest, OpaqueModeFillsEachLineBoxWithTheBackgroundColour)
{
    f.reset();
    f.dc().setBkMode(OPAQUE);
    f.dc().setBkColor(0x00FF00);
    Rect r{5, 3, 100, 40};
    f.dc().drawText("Hi", r, 0);
    const Rect box = Rect::fromSize(5, 3, width("Hi"), lineHeight());
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const Colour c = f.at(x, y);
            if (box.contains({x, y}))
                EXPECT_TRUE(c == 0x00FF00 || c == kText) << x << "," << y;
            else
                EXPECT_EQ(c, kSentinel) << x << "," << y;
        }
}

TEST_F(TextTest, MarginsOfDrawTextParams)
{
    DrawTextParams params;
    params.leftMargin = 1;
    params.rightMargin = 1;
    Rect r{0, 0, 100, 40};
    f.dc().drawText("Hi", r, DT_CALCRECT | DT_SINGLELINE, &params);
    EXPECT_EQ(r.right, width("Hi") + 2);
    EXPECT_EQ(params.lengthDrawn, 2u);
    const Ink noMargin = draw("Hi", {0, 0, 100, 40}, 0);
    params.leftMargin = 5;
    EXPECT_EQ(draw("Hi", {0, 0, 100, 40}, 0, &params), shifted(noMargin, 5, 0));
    DrawTextParams wrongSize;
    wrongSize.cbSize = 16;
    Rect any{0, 0, 100, 40};
    EXPECT_EQ(f.dc().drawText("Hi", any, 0, &wrongSize), 0);
}

TEST_F(TextTest, RightToLeftReadingPutsTrailingPunctuationFirst)
{
    const int dots = width("...");
    const Ink dotsAlone = draw("...", {0, 0, 100, 40}, 0);
    const Ink rtl = draw("Ab...", {0, 0, 100, 40}, DT_RTLREADING);
    Ink leading;
    for (auto p : rtl)
        if (p.first < dots)
            leading.insert(p);
    EXPECT_EQ(leading, dotsAlone);
}

} // namespace
} // namespace plainquill::raster::testing
