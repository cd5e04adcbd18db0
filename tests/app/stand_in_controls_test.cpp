#include "app/standins/stand_in_button.h"
#include "app/standins/stand_in_progress_bar.h"
#include "controls/contracts/control_errors.h"
#include "tests/support/qt_app.h"

#include <gtest/gtest.h>

#include <limits>

namespace plainquill {
namespace {

class StandInTest : public testing::WithQtApp, public ::testing::Test {};

TEST_F(StandInTest, ProgressValueBecomesAPercentRoundedHalfToEvenAndReadsBack)
{
    struct Case {
        std::int32_t max, value, percent, readBack;
    };
    const Case cases[] = {
        {100, 37, 37, 37}, {3, 1, 33, 1},   {8, 1, 12, 1},   {8, 3, 38, 3},   {200, 1, 0, 0},
        {200, 3, 2, 4},    {100, -5, -5, -5}, {1, 0, 0, 0},   {40000, 40000, 100, 40000},
    };
    for (const Case& c : cases) {
        StandInProgressBar bar;
        bar.SetMax(c.max);
        bar.SetValue(c.value);
        EXPECT_EQ(bar.Percent(), c.percent) << c.max << " " << c.value;
        EXPECT_EQ(bar.Value(), c.readBack) << c.max << " " << c.value;
    }
}

TEST_F(StandInTest, ProgressValueErrorsLeaveTheBarAsItWas)
{
    StandInProgressBar bar;
    bar.SetValue(40);
    bar.SetMax(0);
    EXPECT_THROW(bar.SetValue(1), contracts::DivisionByZeroError);
    EXPECT_EQ(bar.Percent(), 40);
    bar.SetMax(100);
    EXPECT_THROW(bar.SetValue(std::numeric_limits<std::int32_t>::max() / 100 + 1), contracts::OverflowError);
    EXPECT_THROW(bar.SetValue(std::numeric_limits<std::int32_t>::min() / 100 - 1), contracts::OverflowError);
    EXPECT_EQ(bar.Percent(), 40);
}

TEST_F(StandInTest, MaxBelowValueIsAcceptedAndTheRepaintClampsToFull)
{
    StandInProgressBar bar;
    bar.resize(50, 10);
    bar.SetMax(2);
    bar.SetValue(3);
    EXPECT_EQ(bar.Percent(), 150);
    bar.grab(); // paints
    EXPECT_EQ(bar.Percent(), 100);
    EXPECT_EQ(bar.Value(), 2);
    bar.SetMax(1); // no repaint, no change of the fill
    EXPECT_EQ(bar.Percent(), 100);
}

TEST_F(StandInTest, ButtonRaisesClickOnlyWhileEnabled)
{
    StandInButton button;
    int clicks = 0;
    button.SetClickHandler([&] { ++clicks; });
    button.SetCaption("Remove All");
    EXPECT_EQ(button.Caption(), "Remove All");
    button.SetEnabled(false);
    button.click();
    EXPECT_EQ(clicks, 0);
    button.SetEnabled(true);
    button.click();
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace plainquill
