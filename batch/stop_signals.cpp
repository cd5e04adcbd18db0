#include "batch/stop_signals.h"

#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace plainquill::batch {
namespace {

// A write to a broken pipe raises SIGPIPE as though this process had sent it to itself.
bool fromOwnWrite(const siginfo_t& info)
{
    return info.si_signo == SIGPIPE && info.si_code == SI_USER && info.si_pid == ::getpid();
}

} // namespace

StopSignals::StopSignals()
{
    sigemptyset(&m_signals);
    for (const int number : {SIGINT, SIGTERM, SIGHUP, SIGPIPE})
        sigaddset(&m_signals, number);
    pthread_sigmask(SIG_BLOCK, &m_signals, &m_previous);
}

StopSignals::~StopSignals()
{
    // The run has ended and said so: a broken pipe's signal left pending must not kill it now;
    // one another process sent still does, as the other signals do.
    sigset_t brokenPipe;
    sigemptyset(&brokenPipe);
    sigaddset(&brokenPipe, SIGPIPE);
    const timespec noWait{};
    bool sent = false;
    for (siginfo_t info{}; sigtimedwait(&brokenPipe, &info, &noWait) == SIGPIPE; info = {})
        sent = sent || !fromOwnWrite(info);
    pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    if (sent)
        ::raise(SIGPIPE);
}

int StopSignals::wait(std::chrono::milliseconds limit)
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(limit);
    const timespec timeout{time_t(seconds.count()), long((limit - seconds).count() * 1000000)};
    for (;;) {
        siginfo_t info{};
        const int number = sigtimedwait(&m_signals, &info, &timeout);
        if (number > 0 && !fromOwnWrite(info))
            return number;
        if (number < 0 && errno != EINTR)
            return 0;
    }
}

} // namespace plainquill::batch
