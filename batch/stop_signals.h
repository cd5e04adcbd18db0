#pragma once
// Ctrl-C (SIGINT) and SIGTERM, taken as requests to stop the run rather than deaths: both are
// blocked from construction on, in this thread and in every thread started afterwards, and
// collected by wait() on the thread that runs the batch. No handler runs, so nothing is done in a
// signal's context and no other thread (a UNO call, a worker) is ever interrupted by one.
#include <csignal>
#include <chrono>

namespace plainquill::batch {

class StopSignals {
public:
    StopSignals();
    // Unblocks them again; one that arrived meanwhile and was not collected is then delivered.
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The number of a stop signal that has arrived, waiting up to `limit` for one; 0 if none.
    int wait(std::chrono::milliseconds limit);

private:
    sigset_t m_signals;
    sigset_t m_previous;
};

} // namespace plainquill::batch
