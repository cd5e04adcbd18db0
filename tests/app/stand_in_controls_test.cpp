#include "app/standins/stand_in_button.h"
#include "tests/support/qt_app.h"

#include <gtest/gtest.h>

namespace plainquill {
namespace {

class StandInTest : public testing::WithQtApp, public ::testing::Test {};

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
