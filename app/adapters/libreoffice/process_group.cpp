#include "app/adapters/libreoffice/process_group.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <system_error>
#include <thread>

namespace plainquill::adapters::libreoffice {
namespace {

using namespace std::chrono_literals;

constexpr auto kPollInterval = 5ms;
// How long the launcher gets to notice its child died and exit; it takes a few milliseconds.
constexpr auto kLauncherExitGrace = 2s;
// How long we wait for stragglers (processes forked while we were killing) to go.
constexpr auto kStragglerGrace = 1s;

class SpawnAttributes {
public:
    SpawnAttributes()
    {
        ::posix_spawnattr_init(&attributes_);
        sigset_t none;
        sigemptyset(&none);
        sigset_t all;
        sigfillset(&all);
        // A group of its own, an empty signal mask and default handlers, whatever the caller had.
        ::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK
                                                     | POSIX_SPAWN_SETSIGDEF);
        ::posix_spawnattr_setpgroup(&attributes_, 0);
        ::posix_spawnattr_setsigmask(&attributes_, &none);
        ::posix_spawnattr_setsigdefault(&attributes_, &all);
    }
    ~SpawnAttributes() { ::posix_spawnattr_destroy(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    const posix_spawnattr_t* get() const { return &attributes_; }

private:
    posix_spawnattr_t attributes_;
};

class QuietStandardStreams {
public:
    QuietStandardStreams()
    {
        ::posix_spawn_file_actions_init(&actions_);
        ::posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
        ::posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
        ::posix_spawn_file_actions_adddup2(&actions_, 1, 2);
    }
    ~QuietStandardStreams() { ::posix_spawn_file_actions_destroy(&actions_); }
    QuietStandardStreams(const QuietStandardStreams&) = delete;
    QuietStandardStreams& operator=(const QuietStandardStreams&) = delete;
    const posix_spawn_file_actions_t* get() const { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

std::vector<char*> null_terminated(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (std::string& text : strings)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

struct ProcessStatus {
    pid_t group = -1;
    char state = '?';
};

// Fields 3 (state) and 5 (process group) of /proc/<pid>/stat; the command name before them may
// hold spaces and parentheses, so parsing starts after the last ')'.
bool read_status(pid_t pid, ProcessStatus& status)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(file, line))
        return false;
    const std::size_t name_end = line.rfind(')');
    if (name_end == std::string::npos)
        return false;
    std::istringstream fields(line.substr(name_end + 1));
    pid_t parent = 0;
    fields >> status.state >> parent >> status.group;
    return static_cast<bool>(fields);
}

std::vector<pid_t> living_members(pid_t group)
{
    std::vector<pid_t> living;
    for (const pid_t pid : process_group_members(group)) {
        ProcessStatus status;
        if (read_status(pid, status) && status.state != 'Z' && status.state != 'X')
            living.push_back(pid);
    }
    return living;
}

} // namespace

std::vector<pid_t> process_group_members(pid_t group)
{
    std::vector<pid_t> members;
    std::error_code error;
    for (std::filesystem::directory_iterator entry("/proc", error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(name));
        ProcessStatus status;
        if (read_status(pid, status) && status.group == group)
            members.push_back(pid);
    }
    return members;
}

ProcessGroup::ProcessGroup(const std::filesystem::path& program,
                           const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment)
{
    std::vector<std::string> argv_strings{program.string()};
    argv_strings.insert(argv_strings.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environment_strings = environment;
    const std::vector<char*> argv = null_terminated(argv_strings);
    const std::vector<char*> envp = null_terminated(environment_strings);

    const SpawnAttributes attributes;
    const QuietStandardStreams streams;
    const int error = ::posix_spawn(&leader_, program.c_str(), streams.get(), attributes.get(),
                                    argv.data(), envp.data());
    if (error != 0)
        throw std::system_error(error, std::generic_category(), "cannot start " + program.string());
}

ProcessGroup::~ProcessGroup()
{
    kill();
}

bool ProcessGroup::reap_if_exited()
{
    if (reaped_)
        return true;
    int status = 0;
    const pid_t result = ::waitpid(leader_, &status, WNOHANG);
    if (result == leader_ || (result < 0 && errno == ECHILD))
        reaped_ = true;
    return reaped_;
}

bool ProcessGroup::running()
{
    const std::lock_guard lock(mutex_);
    return !reap_if_exited();
}

bool ProcessGroup::wait_for_exit(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (running()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kPollInterval);
    }
    return true;
}

void ProcessGroup::kill() noexcept
{
    const std::lock_guard lock(mutex_);
    if (leader_ <= 0)
        return;

    bool killed_children = false;
    for (const pid_t pid : living_members(leader_)) {
        if (pid != leader_) {
            ::kill(pid, SIGKILL);
            killed_children = true;
        }
    }

    if (killed_children) {
        const auto deadline = std::chrono::steady_clock::now() + kLauncherExitGrace;
        while (!reap_if_exited() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(kPollInterval);
    }
    if (!reap_if_exited()) {
        ::kill(leader_, SIGKILL);
        while (::waitpid(leader_, nullptr, 0) < 0 && errno == EINTR) {
        }
        reaped_ = true;
    }

    const auto deadline = std::chrono::steady_clock::now() + kStragglerGrace;
    while (std::chrono::steady_clock::now() < deadline) {
        const std::vector<pid_t> stragglers = living_members(leader_);
        if (stragglers.empty())
            break;
        for (const pid_t pid : stragglers)
            ::kill(pid, SIGKILL);
        std::this_thread::sleep_for(kPollInterval);
    }
}

} // namespace plainquill::adapters::libreoffice
