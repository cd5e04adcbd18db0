#pragma once
// A program started in a process group of its own, so that everything it starts can be ended
// together. LibreOffice's launcher (oosplash) forks the real soffice.bin: killing only the
// launcher would leave soffice.bin running, and killing both at once would leave soffice.bin an
// orphan that nobody reaps on machines whose init does not. So we end the group children first
// and let the launcher reap them, then the launcher, whom we reap.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace plainquill::adapters::libreoffice {

class ProcessGroup {
public:
    // Starts `program` with `arguments` (not counting argv[0]) and the environment `environment`
    // ("NAME=value" strings); standard input and output go to /dev/null. Throws std::system_error
    // when the program cannot be started.
    ProcessGroup(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment);
    // Ends every process of the group.
    ~ProcessGroup();
    ProcessGroup(const ProcessGroup&) = delete;
    ProcessGroup& operator=(const ProcessGroup&) = delete;

    pid_t id() const { return leader_; }

    // True until the process we started has exited (it is reaped on the way).
    bool running();

    // Waits up to `limit` for the process we started to exit by itself.
    bool wait_for_exit(std::chrono::milliseconds limit);

    // Kills every process of the group and reaps the one we started. Safe from any thread and
    // safe to call again; returns once the group is gone or, for orphans that only init can reap,
    // after a short grace.
    void kill() noexcept;

private:
    bool reap_if_exited(); // needs mutex_

    std::mutex mutex_;
    pid_t leader_ = -1;
    bool reaped_ = false;
};

// The processes whose process group is `group`, the group leader among them; read from /proc.
std::vector<pid_t> process_group_members(pid_t group);

} // namespace plainquill::adapters::libreoffice
