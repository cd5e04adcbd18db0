#include "engine/staged_output_file.h"

#include "engine/process_identity.h"
#include "tests/engine/support/test_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <system_error>

namespace plainquill {
namespace {

using engine::testing::fileNames;
using engine::testing::readBytes;
using engine::testing::TemporaryFolder;
using engine::testing::writeBytes;

TEST(LibreOfficeStagedOutputFile, ReplacesTheTargetOnlyOnCommit)
{
    const TemporaryFolder folder;
    const auto target = folder / "a.txt";
    writeBytes(target, "old");
    {
        StagedOutputFile staged(target);
        EXPECT_EQ(staged.path().parent_path(), folder.path());
        EXPECT_EQ(staged.path().filename().string().front(), '.') << "hidden while incomplete";
        staged.write("ne");
        staged.write("w");
        EXPECT_EQ(readBytes(target), "old");
        staged.commit();
    }
    EXPECT_EQ(readBytes(target), "new");
    EXPECT_EQ(fileNames(folder.path()), std::vector<std::string>{"a.txt"});
}

TEST(LibreOfficeStagedOutputFile, LeavesNothingAndKeepsTheOldTargetWhenNotCommitted)
{
    const TemporaryFolder folder;
    const auto target = folder / "a.txt";
    writeBytes(target, "old");
    {
        StagedOutputFile staged(target);
        staged.write("half written");
    }
    EXPECT_EQ(readBytes(target), "old");
    EXPECT_EQ(fileNames(folder.path()), std::vector<std::string>{"a.txt"});
}

TEST(LibreOfficeStagedOutputFile, GetsTheSamePermissionsAsAnyNewFile)
{
    const TemporaryFolder folder;
    const mode_t previous = ::umask(022);
    StagedOutputFile staged(folder / "a.txt");
    ::umask(previous);
    struct stat info {};
    ASSERT_EQ(::stat(staged.path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(LibreOfficeStagedOutputFile, RefusesFoldersThatCannotHoldIt)
{
    const TemporaryFolder folder;
    writeBytes(folder / "plain", "x");
    EXPECT_THROW(StagedOutputFile(folder / "missing" / "a.txt"), std::system_error);
    EXPECT_THROW(StagedOutputFile(folder / "plain" / "a.txt"), std::system_error);
}

TEST(LibreOfficeStagedOutputFile, CommitOntoAFolderFailsAndLeavesBoth)
{
    const TemporaryFolder folder;
    std::filesystem::create_directory(folder / "a.txt");
    {
        StagedOutputFile staged(folder / "a.txt");
        EXPECT_THROW(staged.commit(), std::system_error);
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder / "a.txt"));
    EXPECT_EQ(fileNames(folder.path()), std::vector<std::string>{"a.txt"});
}

TEST(LibreOfficeStagedFileName, StaysWithinTheNameLimitWithoutSplittingCharacters)
{
    struct Case {
        std::string target;
        std::string expected;
    };
    const std::string longAscii(300, 'a');
    std::string longCyrillic;
    for (int i = 0; i < 150; ++i)
        longCyrillic += "\xD0\x96"; // Ж, two bytes
    for (const Case& c : {
             Case{"a.txt", ".a.txt.plainquill-R.tmp"},
             Case{longAscii, "." + std::string(255 - 1 - 17, 'a') + ".plainquill-R.tmp"},
         }) {
        EXPECT_EQ(stagedFileName(c.target, "R"), c.expected);
    }
    const std::string name = stagedFileName(longCyrillic, "RANDOM12");
    EXPECT_LE(name.size(), 255u);
    EXPECT_EQ(name.substr(0, 3), ".\xD0\x96");
    const std::string kept = name.substr(1, name.find(".plainquill-") - 1);
    EXPECT_EQ(kept.size() % 2, 0u) << "cut between two-byte characters";
}

// The id of a process that has ended and been reaped.
pid_t endedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(LibreOfficeStagedOutputFile, ASweepRemovesOnlyTheStagedFilesOfEndedOwners)
{
    const TemporaryFolder folder;
    const std::string ours = std::to_string(::getpid());
    const std::string ourStart = processIdentity(::getpid()).substr(ours.size() + 1);
    const std::string ended = std::to_string(endedProcess());
    StagedOutputFile running(folder / "live.txt"); // this process is writing it right now
    const std::vector<std::string> kept = {
        running.path().filename().string(),
        ".b.txt.plainquill-" + ours + "-" + ourStart + "-abcdefgh.tmp", // a live owner
        ".hidden",
        ".c.txt.plainquill-abcdefgh.tmp",                    // the owner is not named
        ".d.txt.plainquill-" + ended + "-17-abcdefgh.txt",   // not a staged file's ending
        "e.txt.plainquill-" + ended + "-17-abcdefgh.tmp",    // not hidden
        "live.txt.plainquill-" + ended + "-x-abcdefgh.tmp",  // no start time
    };
    const std::vector<std::string> removed = {
        ".a.txt.plainquill-" + ended + "-17-abcdefgh.tmp",              // the owner has ended
        ".a.plainquill-1.txt.plainquill-" + ours + "-1-abcdefgh.tmp",  // the id now names another process
    };
    for (const auto& name : kept)
        writeBytes(folder / name, "x");
    for (const auto& name : removed)
        writeBytes(folder / name, "x");
    std::filesystem::create_directory(folder / (".f.txt.plainquill-" + ended + "-17-abcdefgh.tmp"));

    EXPECT_EQ(removeAbandonedStagedFiles(folder.path()), 2);
    std::vector<std::string> expected = kept;
    expected.push_back(".f.txt.plainquill-" + ended + "-17-abcdefgh.tmp"); // a folder: not ours
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(fileNames(folder.path()), expected);
    EXPECT_EQ(removeAbandonedStagedFiles(folder / "missing"), 0);
}

} // namespace
} // namespace plainquill
