// Who may write into an output folder beside whom: runs alone, and the shards of one split.
#include "engine/output_folder_lock.h"

#include "tests/engine/support/test_files.h"

#include <gtest/gtest.h>

#include <optional>

namespace plainquill {
namespace {

using engine::testing::fileNames;
using engine::testing::TemporaryFolder;

TEST(OutputFolderLock, ARunAloneOrTheShardsOfOneSplitHaveTheFolderAndOthersAreTurnedAway)
{
    const struct {
        const char* first;  // the split of the run that has the folder ("" alone)
        const char* second; // and of the one that comes while it runs
        bool secondTakes;
    } cases[] = {
        {"", "", false},
        {"", "split A", false},
        {"split A", "", false},
        {"split A", "split A", true},
        {"split A", "split B", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("'") + c.first + "' then '" + c.second + "'");
        const TemporaryFolder folder;
        std::string holder;
        std::optional<OutputFolderLock> first = OutputFolderLock::take(folder.path(), c.first, "the first run", holder);
        ASSERT_TRUE(first);
        const std::optional<OutputFolderLock> second = OutputFolderLock::take(folder.path(), c.second, "the second", holder);
        EXPECT_EQ(second.has_value(), c.secondTakes);
        if (!c.secondTakes) {
            EXPECT_NE(holder.find("the first run"), std::string::npos) << holder;
            first.reset();
            EXPECT_TRUE(OutputFolderLock::take(folder.path(), c.second, "the second", holder))
                << "once the first has ended, the folder is free";
        }
    }
}

TEST(OutputFolderLock, TheLastRunToLeaveRemovesTheLockFile)
{
    const TemporaryFolder folder;
    std::string holder;
    {
        const auto shard0 = OutputFolderLock::take(folder.path(), "split A", "shard 0", holder);
        {
            const auto shard1 = OutputFolderLock::take(folder.path(), "split A", "shard 1", holder);
            ASSERT_TRUE(shard0 && shard1);
        }
        EXPECT_EQ(fileNames(folder.path()), std::vector<std::string>{".plainquill-lock"}) << "shard 0 is still there";
        EXPECT_FALSE(OutputFolderLock::take(folder.path(), "", "alone", holder));
    }
    EXPECT_EQ(fileNames(folder.path()), std::vector<std::string>{});
    EXPECT_TRUE(OutputFolderLock::take(folder.path(), "", "alone", holder));
}

} // namespace
} // namespace plainquill
