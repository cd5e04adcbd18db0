#include "engine/libreoffice/scratch_directory.h"

#include "tests/engine/support/test_files.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace plainquill::engine::libreoffice {
namespace {

using testing::TemporaryFolder;
using testing::writeBytes;

std::string startTimeOf(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string line, field;
    std::getline(file, line);
    std::istringstream fields(line.substr(line.rfind(')') + 1));
    for (int number = 3; number <= 22; ++number) // the start time is field 22
        fields >> field;
    return field;
}

pid_t aFinishedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(LibreOfficeScratchDirectory, OnlyFoldersWhoseOwnerHasEndedCountAsAbandoned)
{
    const TemporaryFolder parent;
    const ScratchDirectory ours(parent.path());
    const std::string self = std::to_string(::getpid()) + " ", gone = std::to_string(aFinishedProcess()) + " ";
    const std::pair<const char*, std::string> folders[] = {
        {"plainquill-lo-gone01", gone + startTimeOf(::getpid())}, {"plainquill-lo-reused", self + "1"},
        {"plainquill-lo-alive1", self + startTimeOf(::getpid())}, {"plainquill-lo-noownr", ""},
        {"something-else", gone + "1"}};
    for (const auto& [name, owner] : folders) {
        std::filesystem::create_directory(parent / name);
        if (!owner.empty())
            writeBytes(parent / name / "owner", owner + "\n");
    }

    std::vector<std::filesystem::path> found;
    for (const auto& abandoned : abandonedScratchDirectories(parent.path()))
        found.push_back(abandoned.path);
    std::sort(found.begin(), found.end());

    EXPECT_EQ(found,
              (std::vector<std::filesystem::path>{parent / "plainquill-lo-gone01", parent / "plainquill-lo-reused"}));
}

} // namespace
} // namespace plainquill::engine::libreoffice
