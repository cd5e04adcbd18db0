#include "engine/libreoffice/process_group.h"

#include "tests/engine/support/processes.h"
#include "tests/engine/support/test_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>
#include <system_error>
#include <thread>

namespace plainquill::engine::libreoffice {
namespace {

using namespace std::chrono_literals;
using testing::processExists;
using testing::readBytes;
using testing::TemporaryFolder;

// Waits until `process`'s group has `count` members besides its guard, as a shell needs a moment
// to fork.
std::vector<pid_t> waitForMembers(ProcessGroup& process, std::size_t count)
{
    std::vector<pid_t> members;
    for (int i = 0; i < 1000 && members.size() < count; ++i) {
        std::this_thread::sleep_for(10ms);
        members = process.members();
    }
    return members;
}

TEST(LibreOfficeProcessGroup, StartsInAGroupOfItsOwnWithTheGivenArgumentsAndEnvironment)
{
    const TemporaryFolder folder;
    const auto report = folder / "report";
    ProcessGroup process("/bin/sh",
                         {"-c", "echo \"$0 $GREETING $$ $(cut -d' ' -f5 /proc/$$/stat)\" > " + report.string(),
                          "argument"},
                         {"GREETING=hello", "PATH=/usr/bin:/bin"});
    ASSERT_TRUE(process.waitForExit(30s));
    EXPECT_FALSE(process.running());
    std::istringstream words(readBytes(report));
    std::string argument, greeting;
    pid_t pid = 0, group = 0;
    words >> argument >> greeting >> pid >> group;
    EXPECT_EQ(argument, "argument");
    EXPECT_EQ(greeting, "hello");
    EXPECT_EQ(pid, process.id());
    EXPECT_EQ(group, process.group()) << "runs in the group of its guard";
    EXPECT_NE(group, ::getpgrp()) << "not in ours";
}

TEST(LibreOfficeProcessGroup, KillEndsAndReapsEveryProcessOfTheGroup)
{
    ProcessGroup process("/bin/sh", {"-c", "sleep 1000 & sleep 1000 & wait"}, {"PATH=/usr/bin:/bin"});
    const std::vector<pid_t> members = waitForMembers(process, 3);
    ASSERT_EQ(members.size(), 3u);
    EXPECT_TRUE(process.running());

    process.kill();

    EXPECT_FALSE(process.running());
    for (const pid_t pid : members)
        EXPECT_FALSE(processExists(pid)) << pid << " is left, not even as a zombie";
    process.kill(); // again: harmless
}

TEST(LibreOfficeProcessGroup, DestructionKillsTheGroup)
{
    std::vector<pid_t> members;
    {
        ProcessGroup process("/bin/sh", {"-c", "sleep 1000 & wait"}, {"PATH=/usr/bin:/bin"});
        members = waitForMembers(process, 2);
        ASSERT_EQ(members.size(), 2u);
    }
    for (const pid_t pid : members)
        EXPECT_FALSE(processExists(pid));
}

TEST(LibreOfficeProcessGroup, ProcessesThatOutliveTheLeaderAreStillEndedAsOurs)
{
    const TemporaryFolder folder;
    const auto report = folder / "orphan";
    ProcessGroup process("/bin/sh", {"-c", "sleep 1000 & echo $! > " + report.string()}, {"PATH=/usr/bin:/bin"});
    ASSERT_TRUE(process.waitForExit(30s)) << "the leader exits at once and is reaped";
    const pid_t orphan = static_cast<pid_t>(std::stol(readBytes(report)));
    ASSERT_TRUE(processExists(orphan));
    // With its leader reaped the group's id would be free for anyone; the guard holds it instead.
    EXPECT_TRUE(processExists(process.group()));
    EXPECT_EQ(process.members(), std::vector<pid_t>{orphan});

    process.kill();

    for (int i = 0; i < 500 && processExists(orphan); ++i)
        std::this_thread::sleep_for(10ms); // init reaps it
    EXPECT_FALSE(processExists(orphan));
    EXPECT_FALSE(processExists(process.group())) << "the guard, reaped last";
    EXPECT_EQ(process.members(), std::vector<pid_t>{});
}

TEST(LibreOfficeProcessGroup, AProgramThatCannotRunIsAnError)
{
    const TemporaryFolder folder;
    EXPECT_THROW(ProcessGroup(folder / "missing", {}, {}), std::system_error);
    testing::writeBytes(folder / "not-executable", "#!/bin/sh\n");
    EXPECT_THROW(ProcessGroup(folder / "not-executable", {}, {}), std::system_error);
}

} // namespace
} // namespace plainquill::engine::libreoffice
