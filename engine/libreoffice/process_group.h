#pragma once
// A program started in a process group of its own, so that everything it starts can be ended
// together. LibreOffice's launcher (oosplash) forks the real soffice.bin: killing only the
// launcher would leave soffice.bin running, and killing both at once would leave soffice.bin an
// orphan that nobody reaps on machines whose init does not. So we end the group children first
// and let the launcher reap them, then the launcher, whom we reap.
//
// The group is led by a small guard process rather than by the program. The guard reads a pipe
// whose other end only we hold: when this process ends in any way, SIGKILL included, the kernel
// closes that end and the guard kills the whole group. Being the leader, the guard also keeps the
// group's id ours: while it is unreaped no other group can have that id, so signalling the group
// is safe exactly until we reap the guard, which we do last.
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace plainquill::engine::libreoffice {

struct PrivateNamespaces;

struct ProcessLimits {
    std::uint64_t dataBytes = 0; // RLIMIT_DATA of the program and what it starts; 0: unlimited
    int landlockRuleset = -1; // a Landlock ruleset (landlock.h) confining them; -1: none
    const PrivateNamespaces* namespaces = nullptr; // to enter (private_namespaces.h); null: none
};

class ProcessGroup {
public:
    // Starts `program` with `arguments` (not counting argv[0]) and the environment `environment`
    // ("NAME=value" strings); standard input and output go to /dev/null. Throws std::system_error
    // when the program cannot be started.
    ProcessGroup(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment, ProcessLimits limits = {});
    // Ends every process of the group.
    ~ProcessGroup();
    ProcessGroup(const ProcessGroup&) = delete;
    ProcessGroup& operator=(const ProcessGroup&) = delete;

    // The program we started.
    pid_t id() const { return m_leader; }
    // The group's id (its guard's process id).
    pid_t group() const { return m_guard; }

    // True until the process we started has exited (it is reaped on the way).
    bool running();

    // Waits up to `limit` for the process we started to exit by itself.
    bool waitForExit(std::chrono::milliseconds limit);

    // Kills every process of the group, the guard last, and reaps what is ours. Safe from any
    // thread and safe to call again: once the guard is reaped it signals nothing. Returns once
    // the group is gone or, for orphans that only init can reap, after a short grace.
    void kill() noexcept;

    // The living processes of the group other than its guard; none once kill() returned.
    std::vector<pid_t> members();

private:
    bool reapIfExited(); // needs m_mutex
    void startGuard();
    void startProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, ProcessLimits limits);
    void endLeader(bool killedChildren) noexcept; // needs m_mutex
    void endGuard() noexcept; // needs m_mutex

    std::mutex m_mutex;
    pid_t m_guard = -1;
    int m_guardPipe = -1; // our end; closing it tells the guard to kill the group
    bool m_guardReaped = false;
    pid_t m_leader = -1;
    bool m_reaped = false;
};

// The processes whose process group is `group`, the group leader among them; read from /proc.
std::vector<pid_t> processGroupMembers(pid_t group);

} // namespace plainquill::engine::libreoffice
