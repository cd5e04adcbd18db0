#include "app/adapters/libreoffice/scratch_directory.h"

#include "tests/adapters/support/test_files.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace plainquill::adapters::libreoffice {
namespace {

using testing::TemporaryFolder;
using testing::write_bytes;

std::string start_time_of(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(file, line);
    std::istringstream fields(line.substr(line.rfind(')') + 1));
    std::string field;
    for (int number = 3; number <= 22; ++number)
        fields >> field;
    return field;
}

pid_t a_finished_process()
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
    const auto make = [&](const std::string& name, const std::string& owner) {
        std::filesystem::create_directory(parent / name);
        if (!owner.empty())
            write_bytes(parent / name / "owner", owner + "\n");
        return parent / name;
    };
    const pid_t self = ::getpid();
    const pid_t gone = a_finished_process();
    const auto of_a_finished_process = make("plainquill-lo-gone01", std::to_string(gone) + " " + start_time_of(self));
    const auto of_a_reused_id = make("plainquill-lo-reused", std::to_string(self) + " 1");
    make("plainquill-lo-alive1", std::to_string(self) + " " + start_time_of(self));
    make("plainquill-lo-noownr", "");
    make("something-else", std::to_string(gone) + " 1");

    std::vector<std::filesystem::path> found;
    for (const auto& abandoned : abandoned_scratch_directories(parent.path()))
        found.push_back(abandoned.path);
    std::sort(found.begin(), found.end());

    EXPECT_EQ(found, (std::vector<std::filesystem::path>{of_a_finished_process, of_a_reused_id}));
}

} // namespace
} // namespace plainquill::adapters::libreoffice
