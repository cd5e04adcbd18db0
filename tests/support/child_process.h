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
        const int error = ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        ::posix_spawn_file_actions_destroy(&actions);
        ::close(ends[1]);
        output_ = ends[0];
        if (error != 0)
            throw std::runtime_error("cannot start " + command[0]);
    }
    ~ChildProcess()
    {
        if (!status_ && ::kill(pid_, SIGKILL) == 0)
            ::waitpid(pid_, nullptr, 0);
        ::close(output_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    void signal(int number) { ::kill(pid_, number); }

    // The next line of output; nothing when the output ends or `limit` passes first.
    std::optional<std::string> readLine(std::chrono::milliseconds limit)
    {
        const auto deadline = Clock::now() + limit;
        std::string line;
        for (char ch;; line += ch) {
            pollfd readable{output_, POLLIN, 0};
            if (msUntil(deadline) <= 0 || ::poll(&readable, 1, msUntil(deadline)) <= 0 || ::read(output_, &ch, 1) != 1)
                return std::nullopt;
            if (ch == '\n')
                return line;
        }
    }
    // The exit status, or nothing when the process is still running after `limit`.
    std::optional<int> waitForExit(std::chrono::milliseconds limit)
    {
        for (const auto deadline = Clock::now() + limit; !status_ && Clock::now() < deadline;)
            if (int status = 0; ::waitpid(pid_, &status, WNOHANG) == pid_)
                status_ = status;
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return status_;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::optional<int> status_;
};

} // namespace plainquill::testing
