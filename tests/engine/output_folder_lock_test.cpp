// The lock file goes with the last run that has the folder (who has it beside whom: the batch
// command's tests).
#include "engine/output_folder_lock.h"

#include "tests/engine/support/test_files.h"

#include <gtest/gtest.h>

namespace plainquill {
namespace {

using engine::testing::fileNames;
using engine::testing::TemporaryFolder;

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
