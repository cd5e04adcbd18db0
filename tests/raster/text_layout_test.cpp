#include "platform/raster/text_layout.h"

#include <gtest/gtest.h>

namespace plainquill::raster {
namespace {

using contracts::DT_SINGLELINE;
using contracts::DT_WORDBREAK;

TEST(Prefixes, AmpersandMarksTheAccessKeyAndDoubledIsLiteral)
{
    struct Case {
        const char16_t* in;
        const char16_t* text;
        int underline;
    };
    for (const Case& c : {Case{u"&File", u"File", 0}, Case{u"Save && Exit", u"Save & Exit", -1},
                          Case{u"A&b&c", u"Abc", 2}, Case{u"End&", u"End", -1}, Case{u"&&&x", u"&x", 1},
                          Case{u"&", u"", -1}, Case{u"plain", u"plain", -1}}) {
        const PrefixedText out = removePrefixes(c.in);
        EXPECT_EQ(out.text, std::u16string(c.text));
        EXPECT_EQ(out.underlineIndex, c.underline);
    }
}

// One unit per character makes the expected lines easy to work out by hand.
int perChar(std::u16string_view s) { return static_cast<int>(s.size()); }

std::vector<std::u16string> linesOf(const std::u16string& text, contracts::DrawTextFormat format, int width)
{
    std::vector<std::u16string> out;
    for (const TextLine& l : breakIntoLines({text, -1}, format, width, perChar))
        out.push_back(l.text);
    return out;
}

TEST(LineBreaking, TableOfCases)
{
    using L = std::vector<std::u16string>;
    struct Case {
        const char* name;
        std::u16string text;
        contracts::DrawTextFormat format;
        int width;
        L lines;
    };
    const std::vector<Case> cases = {
        {"fits_exactly", u"aa bb cc", DT_WORDBREAK, 5, L{u"aa bb", u"cc"}},
        {"one_word_per_line", u"aa bb cc", DT_WORDBREAK, 4, L{u"aa", u"bb", u"cc"}},
        {"long_word_is_not_split", u"a verylongword b", DT_WORDBREAK, 5, L{u"a", u"verylongword", u"b"}},
        {"spaces_at_break_dropped", u"aa   bb", DT_WORDBREAK, 3, L{u"aa", u"bb"}},
        {"leading_spaces_kept", u"  aa", DT_WORDBREAK, 10, L{u"  aa"}},
        {"newline_without_wordbreak", u"aa bb\ncc", 0, 1, L{u"aa bb", u"cc"}},
        {"crlf_and_cr", u"a\r\nb\rc", 0, 10, L{u"a", u"b", u"c"}},
        {"empty_line_between", u"a\n\nb", 0, 10, L{u"a", u"", u"b"}},
        {"final_newline_adds_no_line", u"a\n", 0, 10, L{u"a"}},
        {"newline_and_wordbreak", u"aa bb\ncc dd", DT_WORDBREAK, 3, L{u"aa", u"bb", u"cc", u"dd"}},
        {"single_line_drops_newlines", u"a\nb", DT_SINGLELINE | DT_WORDBREAK, 1, L{u"ab"}},
        {"empty_text_is_one_empty_line", u"", DT_WORDBREAK, 5, L{u""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(linesOf(c.text, c.format, c.width), c.lines) << c.name;
}

TEST(LineBreaking, WidthsLeaveOutTrailingSpacesAndUnderlineFollowsItsLine)
{
    const auto lines = breakIntoLines({u"ab cd  ef", 3}, DT_WORDBREAK, 4, perChar);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].width, 2);
    EXPECT_EQ(lines[1].text, u"cd");
    EXPECT_EQ(lines[0].underlineIndex, -1);
    EXPECT_EQ(lines[1].underlineIndex, 0); // index 3 of the whole text is the 'c'
    EXPECT_EQ(lines[2].underlineIndex, -1);
}

} // namespace
} // namespace plainquill::raster
