#include "app/startup/single_instance.h"
#include "tests/support/fake_shell.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace plainquill {
namespace {

TEST(SingleInstance, RefusesASecondCopyWithAWarningAndAllowsOneAfterTheFirstEnds)
{
    QTemporaryDir dir;
    const QString lock = dir.filePath("plainquill.lock");
    testing::FakeShell shell;
    {
        SingleInstance first(lock);
        ASSERT_TRUE(first.claim(shell));
        EXPECT_TRUE(shell.messages.empty());

        SingleInstance second(lock);
        EXPECT_FALSE(second.claim(shell));
        ASSERT_EQ(shell.messages.size(), 1u);
        EXPECT_EQ(shell.messages[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(shell.messages[0].title, QStringLiteral("Plainquill"));
        EXPECT_EQ(shell.messages[0].text, QStringLiteral("Plainquill is already opened."));
        EXPECT_EQ(shell.messages[0].buttons, MessageButtons::Ok);
    }
    SingleInstance later(lock);
    EXPECT_TRUE(later.claim(shell));
}

} // namespace
} // namespace plainquill
