#include "engine/libreoffice/process_group.h"

#include "engine/libreoffice/landlock.h"
#include "engine/libreoffice/private_namespaces.h"
#include "engine/proc_stat.h"

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
#include <optional>
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
        ::posix_spawnattr_init(&m_attributes);
        sigset_t none;
        sigemptyset(&none);
        sigset_t all;
        sigfillset(&all);
        // A group of its own, an empty signal mask and default handlers, whatever the caller had.
        ::posix_spawnattr_setflags(&m_attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK
                                                     | POSIX_SPAWN_SETSIGDEF);
        ::posix_spawnattr_setpgroup(&m_attributes, 0);
        ::posix_spawnattr_setsigmask(&m_attributes, &none);
        ::posix_spawnattr_setsigdefault(&m_attributes, &all);
    }
    ~SpawnAttributes() { ::posix_spawnattr_destroy(&m_attributes); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    const posix_spawnattr_t* get() const { return &m_attributes; }

private:
    posix_spawnattr_t m_attributes;
};

std::vector<char*> nullTerminated(std::vector<std::string>& strings)
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
bool readStatus(pid_t pid, ProcessStatus& status)
{
    const std::vector<std::string> fields = procStatFields(pid);
    if (fields.size() < 3 || fields[0].empty())
        return false;
    status.state = fields[0][0];
    status.group = static_cast<pid_t>(std::strtol(fields[2].c_str(), nullptr, 10));
    return true;
}

std::vector<pid_t> livingMembers(pid_t group)
{
    std::vector<pid_t> living;
    for (const pid_t pid : processGroupMembers(group)) {
        ProcessStatus status;
        if (readStatus(pid, status) && status.state != 'Z' && status.state != 'X')
            living.push_back(pid);
    }
    return living;
}

// Everything the program's child needs, made before the fork: between fork and exec a threaded
// program may only make async-signal-safe calls, so the child allocates nothing and takes no
// lock. It points into itself, so it stays where it was made.
struct ChildPlan {
    ChildPlan(const std::filesystem::path& program, const std::vector<std::string>& arguments,
              const std::vector<std::string>& environment, ProcessLimits limits);
    ChildPlan(const ChildPlan&) = delete;
    ChildPlan& operator=(const ChildPlan&) = delete;

    std::vector<std::string> argvStrings;
    std::vector<std::string> environmentStrings;
    std::vector<char*> argv;
    std::vector<char*> envp;
    const char* path;
    rlimit dataLimit;
    bool limitData;
    int landlockRuleset;
    const PrivateNamespaces* namespaces;
    struct sigaction defaultAction {};
    sigset_t noSignals;
};

ChildPlan::ChildPlan(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                     const std::vector<std::string>& environment, ProcessLimits limits)
    : argvStrings{program.string()}, environmentStrings(environment), path(program.c_str()),
      dataLimit{limits.dataBytes, limits.dataBytes}, limitData(limits.dataBytes != 0),
      landlockRuleset(limits.landlockRuleset), namespaces(limits.namespaces)
{
    argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
    argv = nullTerminated(argvStrings);
    envp = nullTerminated(environmentStrings);
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&noSignals);
}

// The child's side of starting the program: it joins `group`, takes the limits, the confinement
// and the clean start a program expects, and becomes the program. When it cannot, it writes errno to `report`.
[[noreturn]] void becomeProgram(const ChildPlan& plan, pid_t group, int report) noexcept
{
    int failure = 0;
    if (::setpgid(0, group) != 0 || (plan.limitData && ::setrlimit(RLIMIT_DATA, &plan.dataLimit) != 0))
        failure = errno;
    if (failure == 0) {
        for (int signal = 1; signal < NSIG; ++signal)
            ::sigaction(signal, &plan.defaultAction, nullptr);
        ::sigprocmask(SIG_SETMASK, &plan.noSignals, nullptr);
        const int null = ::open("/dev/null", O_RDWR);
        if (null >= 0) {
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(null, 2);
        }
        // Nothing of ours but the standard streams crosses into the program.
        ::syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC);
        if (plan.namespaces != nullptr)
            failure = enterPrivateNamespaces(*plan.namespaces);
        // Last, so that nothing above needs a right the program is not given.
        if (failure == 0)
            failure = confineSelf(plan.landlockRuleset);
        if (failure == 0) {
            ::execve(plan.path, plan.argv.data(), plan.envp.data());
            failure = errno;
        }
    }
    [[maybe_unused]] const auto written = ::write(report, &failure, sizeof failure);
    ::_exit(127);
}

// The errno the child wrote to `report` when it could not become the program; nothing once
// exec closed the pipe. Closes `report`.
std::optional<int> reportedFailure(int report)
{
    int failure = 0;
    ssize_t got = 0;
    do {
        got = ::read(report, &failure, sizeof failure);
    } while (got < 0 && errno == EINTR);
    ::close(report);
    if (got == static_cast<ssize_t>(sizeof failure))
        return failure;
    return std::nullopt;
}

// Kills the living members of `group` other than its guard and `leader`; true if there were any.
bool killMembersBesides(pid_t group, pid_t leader) noexcept
{
    bool killed = false;
    for (const pid_t pid : livingMembers(group)) {
        if (pid != group && pid != leader) {
            ::kill(pid, SIGKILL);
            killed = true;
        }
    }
    return killed;
}

// Kills what is left of `group` but its guard, processes forked while we were killing among them,
// until none is left or the grace runs out.
void killStragglers(pid_t group) noexcept
{
    const auto deadline = std::chrono::steady_clock::now() + kStragglerGrace;
    while (std::chrono::steady_clock::now() < deadline) {
        std::vector<pid_t> stragglers = livingMembers(group);
        std::erase(stragglers, group);
        if (stragglers.empty())
            break;
        for (const pid_t pid : stragglers)
            ::kill(pid, SIGKILL);
        std::this_thread::sleep_for(kPollInterval);
    }
}

} // namespace

std::vector<pid_t> processGroupMembers(pid_t group)
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
        if (readStatus(pid, status) && status.group == group)
            members.push_back(pid);
    }
    return members;
}

ProcessGroup::ProcessGroup(const std::filesystem::path& program,
                           const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment, ProcessLimits limits)
{
    startGuard();
    try {
        startProgram(program, arguments, environment, limits);
    } catch (...) {
        endGuard();
        throw;
    }
}

void ProcessGroup::startGuard()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        throw std::system_error(errno, std::generic_category(), "cannot make the guard's pipe");
    // Reads until end of file, which comes only once every copy of our end is closed, then
    // kills its own group: itself and everything we start in it.
    std::vector<std::string> argvStrings{"sh", "-c", "while read -r line; do :; done; kill -KILL 0"};
    const std::vector<char*> argv = nullTerminated(argvStrings);
    char* noEnvironment[] = {nullptr};
    const SpawnAttributes attributes;
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, ends[0], 0);
    ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, 1, 2);
    ::posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    const int error = ::posix_spawn(&m_guard, "/bin/sh", &actions, attributes.get(), argv.data(), noEnvironment);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(ends[0]);
    if (error != 0) {
        ::close(ends[1]);
        m_guardReaped = true;
        throw std::system_error(error, std::generic_category(), "cannot start the guard process");
    }
    m_guardPipe = ends[1];
}

void ProcessGroup::startProgram(const std::filesystem::path& program,
                                const std::vector<std::string>& arguments,
                                const std::vector<std::string>& environment, ProcessLimits limits)
{
    const ChildPlan plan(program, arguments, environment, limits);
    const pid_t group = m_guard;

    int report[2]; // the child writes errno here when exec fails; exec closes it otherwise
    if (::pipe2(report, O_CLOEXEC) != 0)
        throw std::system_error(errno, std::generic_category(), "cannot start " + program.string());
    const pid_t child = ::fork();
    if (child == 0)
        becomeProgram(plan, group, report[1]);
    const int forkError = errno;
    ::close(report[1]);
    if (child < 0) {
        ::close(report[0]);
        throw std::system_error(forkError, std::generic_category(), "cannot start " + program.string());
    }
    ::setpgid(child, group); // also here, so the group is set whichever of us runs first
    if (const std::optional<int> failure = reportedFailure(report[0])) {
        while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
        throw std::system_error(*failure, std::generic_category(), "cannot start " + program.string());
    }
    m_leader = child;
}

ProcessGroup::~ProcessGroup()
{
    kill();
}

bool ProcessGroup::reapIfExited()
{
    if (m_reaped)
        return true;
    int status = 0;
    const pid_t result = ::waitpid(m_leader, &status, WNOHANG);
    if (result == m_leader || (result < 0 && errno == ECHILD))
        m_reaped = true;
    return m_reaped;
}

bool ProcessGroup::running()
{
    const std::lock_guard lock(m_mutex);
    return m_leader > 0 && !reapIfExited();
}

bool ProcessGroup::waitForExit(std::chrono::milliseconds limit)
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
    const std::lock_guard lock(m_mutex);
    if (m_guardReaped)
        return {};
    std::vector<pid_t> found = livingMembers(m_guard);
    std::erase(found, m_guard);
    return found;
}

void ProcessGroup::kill() noexcept
{
    const std::lock_guard lock(m_mutex);
    // Once the guard is reaped the group's id may name someone else's group: never signal it.
    if (m_guardReaped)
        return;
    const bool killedChildren = killMembersBesides(m_guard, m_leader);
    if (m_leader > 0)
        endLeader(killedChildren);
    killStragglers(m_guard);
    endGuard();
}

void ProcessGroup::endLeader(bool killedChildren) noexcept
{
    // The launcher reaps the children we killed, and exits once it notices them gone.
    if (killedChildren) {
        const auto deadline = std::chrono::steady_clock::now() + kLauncherExitGrace;
        while (!reapIfExited() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(kPollInterval);
    }
    if (!reapIfExited()) {
        ::kill(m_leader, SIGKILL);
        while (::waitpid(m_leader, nullptr, 0) < 0 && errno == EINTR) {
        }
        m_reaped = true;
    }
}

void ProcessGroup::endGuard() noexcept
{
    if (m_guardReaped)
        return;
    ::close(m_guardPipe);
    m_guardPipe = -1;
    ::kill(m_guard, SIGKILL);
    while (::waitpid(m_guard, nullptr, 0) < 0 && errno == EINTR) {
    }
    m_guardReaped = true;
}

} // namespace plainquill::engine::libreoffice
