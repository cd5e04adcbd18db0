#pragma once
// A test's helper program, started with its standard output on a pipe; killed if still running
// when the test lets go of it.
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace plainquill::testing {

class ChildProcess {
    using Clock = std::chrono::steady_clock;
    static int msUntil(Clock::time_point t)
    {
        return int(std::chrono::ceil<std::chrono::milliseconds>(t - Clock::now()).count());
    }

public:
    explicit ChildProcess(std::vector<std::string> command)
    {
        int ends[2];
        if (::pipe(ends) != 0)
            throw std::runtime_error("no pipe");
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
        ::posix_spawn_file_actions_addclose(&actions, ends[0]);
        std::vector<char*> argv;
        for (std::string& argument : command)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        const int error = ::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
        ::posix_spawn_file_actions_destroy(&actions);
        ::close(ends[1]);
        m_output = ends[0];
        if (error != 0)
            throw std::runtime_error("cannot start " + command[0]);
    }
    ~ChildProcess()
    {
        if (!m_status && ::kill(m_pid, SIGKILL) == 0)
            ::waitpid(m_pid, nullptr, 0);
        ::close(m_output);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }
    void signal(int number) { ::kill(m_pid, number); }

    // The next line of output; nothing when the output ends or `limit` passes first.
    std::optional<std::string> readLine(std::chrono::milliseconds limit)
    {
        const auto deadline = Clock::now() + limit;
        std::string line;
        for (char ch;; line += ch) {
            pollfd readable{m_output, POLLIN, 0};
            if (msUntil(deadline) <= 0 || ::poll(&readable, 1, msUntil(deadline)) <= 0 || ::read(m_output, &ch, 1) != 1)
                return std::nullopt;
            if (ch == '\n')
                return line;
        }
    }
    // The exit status, or nothing when the process is still running after `limit`.
    std::optional<int> waitForExit(std::chrono::milliseconds limit)
    {
        for (const auto deadline = Clock::now() + limit; !m_status && Clock::now() < deadline;)
            if (int status = 0; ::waitpid(m_pid, &status, WNOHANG) == m_pid)
                m_status = status;
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return m_status;
    }

private:
    pid_t m_pid = -1;
    int m_output = -1;
    std::optional<int> m_status;
};

} // namespace plainquill::testing
