#include "batch/stop_signals.h"

#include <pthread.h>

#include <cerrno>
#include <ctime>

namespace plainquill::batch {

StopSignals::StopSignals()
{
    sigemptyset(&m_signals);
    sigaddset(&m_signals, SIGINT);
    sigaddset(&m_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &m_signals, &m_previous);
}

StopSignals::~StopSignals()
{
    pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
}

int StopSignals::wait(std::chrono::milliseconds limit)
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(limit);
    const timespec timeout{time_t(seconds.count()), long((limit - seconds).count() * 1000000)};
    for (;;) {
        const int number = sigtimedwait(&m_signals, nullptr, &timeout);
        if (number > 0)
            return number;
        if (errno != EINTR)
            return 0;
    }
}

} // namespace plainquill::batch
