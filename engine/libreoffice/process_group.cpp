#include "engine/libreoffice/process_group.h"

#include "engine/libreoffice/proc_stat.h"

#include <fcntl.h>
#include <linux/close_range.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <thread>

namespace plainquill::engine::libreoffice {
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

// Fields 3 (state) and 5 (process group) of /proc/<pid>/stat.
bool read_status(pid_t pid, ProcessStatus& status)
{
    const std::vector<std::string> fields = proc_stat_fields(pid);
    if (fields.size() < 3 || fields[0].empty())
        return false;
    status.state = fields[0][0];
    status.group = static_cast<pid_t>(std::strtol(fields[2].c_str(), nullptr, 10));
    return true;
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
                           const std::vector<std::string>& environment, ProcessLimits limits)
{
    start_guard();
    try {
        start_program(program, arguments, environment, limits);
    } catch (...) {
        end_guard();
        throw;
    }
}

void ProcessGroup::start_guard()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        throw std::system_error(errno, std::generic_category(), "cannot make the guard's pipe");
    // Reads until end of file, which comes only once every copy of our end is closed, then
    // kills its own group: itself and everything we start in it.
    std::vector<std::string> argv_strings{"sh", "-c", "while read -r line; do :; done; kill -KILL 0"};
    const std::vector<char*> argv = null_terminated(argv_strings);
    char* no_environment[] = {nullptr};
    const SpawnAttributes attributes;
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, ends[0], 0);
    ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, 1, 2);
    ::posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    const int error = ::posix_spawn(&guard_, "/bin/sh", &actions, attributes.get(), argv.data(), no_environment);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(ends[0]);
    if (error != 0) {
        ::close(ends[1]);
        guard_reaped_ = true;
        throw std::system_error(error, std::generic_category(), "cannot start the guard process");
    }
    guard_pipe_ = ends[1];
}

void ProcessGroup::start_program(const std::filesystem::path& program,
                                 const std::vector<std::string>& arguments,
                                 const std::vector<std::string>& environment, ProcessLimits limits)
{
    // Everything the child needs is made here: between fork and exec a threaded program may only
    // make async-signal-safe calls, so the child allocates nothing and takes no lock.
    std::vector<std::string> argv_strings{program.string()};
    argv_strings.insert(argv_strings.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environment_strings = environment;
    const std::vector<char*> argv = null_terminated(argv_strings);
    const std::vector<char*> envp = null_terminated(environment_strings);
    const rlimit data_limit{limits.data_bytes, limits.data_bytes};
    struct sigaction default_action {};
    default_action.sa_handler = SIG_DFL;
    sigset_t no_signals;
    sigemptyset(&no_signals);
    const pid_t group = guard_;

    int report[2]; // the child writes errno here when exec fails; exec closes it otherwise
    if (::pipe2(report, O_CLOEXEC) != 0)
        throw std::system_error(errno, std::generic_category(), "cannot start " + program.string());
    const pid_t child = ::fork();
    if (child == 0) {
        int failure = 0;
        if (::setpgid(0, group) != 0 || (limits.data_bytes != 0 && ::setrlimit(RLIMIT_DATA, &data_limit) != 0))
            failure = errno;
        if (failure == 0) {
            for (int signal = 1; signal < NSIG; ++signal)
                ::sigaction(signal, &default_action, nullptr);
            ::sigprocmask(SIG_SETMASK, &no_signals, nullptr);
            const int null = ::open("/dev/null", O_RDWR);
            if (null >= 0) {
                ::dup2(null, 0);
                ::dup2(null, 1);
                ::dup2(null, 2);
            }
            // Nothing of ours but the standard streams crosses into the program.
            ::syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC);
            ::execve(program.c_str(), argv.data(), envp.data());
            failure = errno;
        }
        [[maybe_unused]] const auto written = ::write(report[1], &failure, sizeof failure);
        ::_exit(127);
    }
    const int fork_error = errno;
    ::close(report[1]);
    if (child < 0) {
        ::close(report[0]);
        throw std::system_error(fork_error, std::generic_category(), "cannot start " + program.string());
    }
    ::setpgid(child, group); // also here, so the group is set whichever of us runs first
    int failure = 0;
    ssize_t got = 0;
    do {
        got = ::read(report[0], &failure, sizeof failure);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    if (got == static_cast<ssize_t>(sizeof failure)) {
        while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
        throw std::system_error(failure, std::generic_category(), "cannot start " + program.string());
    }
    leader_ = child;
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
    return leader_ > 0 && !reap_if_exited();
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

std::vector<pid_t> ProcessGroup::members()
{
    const std::lock_guard lock(mutex_);
    if (guard_reaped_)
        return {};
    std::vector<pid_t> found = living_members(guard_);
    std::erase(found, guard_);
    return found;
}

void ProcessGroup::kill() noexcept
{
    const std::lock_guard lock(mutex_);
    // Once the guard is reaped the group's id may name someone else's group: never signal it.
    if (guard_reaped_)
        return;

    bool killed_children = false;
    for (const pid_t pid : living_members(guard_)) {
        if (pid != guard_ && pid != leader_) {
            ::kill(pid, SIGKILL);
            killed_children = true;
        }
    }

    if (leader_ > 0) {
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
    }

    const auto deadline = std::chrono::steady_clock::now() + kStragglerGrace;
    while (std::chrono::steady_clock::now() < deadline) {
        std::vector<pid_t> stragglers = living_members(guard_);
        std::erase(stragglers, guard_);
        if (stragglers.empty())
            break;
        for (const pid_t pid : stragglers)
            ::kill(pid, SIGKILL);
        std::this_thread::sleep_for(kPollInterval);
    }
    end_guard();
}

void ProcessGroup::end_guard() noexcept
{
    if (guard_reaped_)
        return;
    ::close(guard_pipe_);
    guard_pipe_ = -1;
    ::kill(guard_, SIGKILL);
    while (::waitpid(guard_, nullptr, 0) < 0 && errno == EINTR) {
    }
    guard_reaped_ = true;
}

} // namespace plainquill::engine::libreoffice
