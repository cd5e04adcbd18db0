// A caption as a screen reader reads it: its access-key marks gone, its drawn ampersands kept.
#include "controls/contracts/access_key.h"

#include <gtest/gtest.h>

namespace plainquill::contracts {
namespace {

TEST(CaptionWithoutMark, DropsTheMarksAndKeepsDrawnAmpersands)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},           {"Start", "Start"},       {"&Remove All", "Remove All"}, {"Save &As", "Save As"},
        {"A&&B", "A&B"},    {"A&&B &Copy", "A&B Copy"}, {"&&&x", "&x"},              {"End&", "End&"},
        {"&", "&"},         {"x&&", "x&"},            {"&\xc3\x89t\xc3\xa9", "\xc3\x89t\xc3\xa9"},
    };
    for (const auto& [caption, shown] : cases)
        EXPECT_EQ(captionWithoutMark(caption), shown) << caption;
}

} // namespace
} // namespace plainquill::contracts
