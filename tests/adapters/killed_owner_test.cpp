// A program killed with SIGKILL in the middle of a document: its LibreOffice must end with it,
// and the next start must sweep away what it left, and nothing of a live instance.
#include "app/adapters/libreoffice/ipc_socket_files.h"
#include "app/adapters/libreoffice/uno_strings.h"
#include "tests/adapters/sample_documents.h"
#include "tests/adapters/shared_libreoffice.h"
#include "tests/adapters/support/processes.h"
#include "tests/adapters/support/test_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

extern char** environ;

namespace plainquill::adapters::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The owner program, its standard output read line by line.
class Owner {
public:
    Owner(const std::filesystem::path& scratch_parent, const std::filesystem::path& document,
          const std::filesystem::path& output)
    {
        int ends[2];
        if (::pipe(ends) != 0)
            throw std::runtime_error("no pipe");
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
        ::posix_spawn_file_actions_addclose(&actions, ends[0]);
        std::string program = PLAINQUILL_LIBREOFFICE_OWNER;
        std::string parent = scratch_parent.string(), input = document.string(), folder = output.string();
        char* argv[] = {program.data(), parent.data(), input.data(), folder.data(), nullptr};
        const int error = ::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ);
        ::posix_spawn_file_actions_destroy(&actions);
        ::close(ends[1]);
        if (error != 0)
            throw std::runtime_error("cannot start the owner");
        output_ = ::fdopen(ends[0], "r");
    }
    ~Owner()
    {
        kill();
        std::fclose(output_);
    }
    std::string line()
    {
        char buffer[4096];
        if (std::fgets(buffer, sizeof buffer, output_) == nullptr)
            return {};
        std::string text = buffer;
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text;
    }
    void kill()
    {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    std::FILE* output_ = nullptr;
};

TEST(LibreOfficeOwnerKilled, LibreOfficeEndsWithItsOwnerAndTheNextStartSweepsWhatItLeft)
{
    const TemporaryFolder scratch_parent;
    const TemporaryFolder work;
    LibreOfficeLauncher launcher(options_under(scratch_parent.path()));
    // A live instance beside the doomed one: the sweep must leave it alone.
    auto live = launcher.StartLibreOffice();
    ASSERT_NE(live, nullptr) << launcher.last_failure();
    const auto document = write_long_docx(*live, work.path(), 6000);

    Owner owner(scratch_parent.path(), document, work.path());
    const pid_t owner_pid = owner.pid();
    const std::filesystem::path folder = owner.line();
    ASSERT_FALSE(folder.empty()) << "the owner could not start LibreOffice";
    ASSERT_EQ(owner.line(), "converting");
    std::this_thread::sleep_for(300ms); // well into the document
    ASSERT_FALSE(living_processes_mentioning(folder.string()).empty());
    const auto sockets = libreoffice::ipc_socket_files(folder.filename().string() + "-" + std::to_string(owner_pid),
                                                       libreoffice::file_url(folder / "profile"));

    owner.kill();
    const auto killed = Clock::now();
    while (!living_processes_mentioning(folder.string()).empty() && Clock::now() - killed < 10s)
        std::this_thread::sleep_for(10ms);
    const auto took = Clock::now() - killed;

    EXPECT_EQ(living_processes_mentioning(folder.string()), std::vector<pid_t>{});
    std::printf("LibreOffice ended %lld ms after its owner was killed\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
    ASSERT_TRUE(std::filesystem::exists(folder)) << "left behind until a start sweeps it";
    const auto exists = [](const auto& file) { return std::filesystem::exists(file); };
    EXPECT_TRUE(std::any_of(sockets.begin(), sockets.end(), exists)) << "the killed instance's sockets";

    auto next = launcher.StartLibreOffice();
    ASSERT_NE(next, nullptr) << launcher.last_failure();

    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_FALSE(std::any_of(sockets.begin(), sockets.end(), exists));
    EXPECT_TRUE(std::filesystem::exists(live->private_folder())) << "a live instance's folder is not swept";
    EXPECT_TRUE(live->IsObjectValid());
}

} // namespace
} // namespace plainquill::adapters::testing
