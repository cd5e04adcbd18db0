#pragma once
// Ctrl-C (SIGINT), SIGTERM, SIGHUP (the terminal closed) and SIGPIPE sent by another process,
// taken as requests to stop the run rather than deaths: all are blocked from construction on, in
// this thread and in every thread started afterwards, and collected by wait() on the thread that
// runs the batch. No handler runs, so nothing is done in a signal's context and no other thread
// (a UNO call, a worker) is ever interrupted by one.
//
// A SIGPIPE the kernel raises because this program wrote to a pipe nobody reads is no request:
// the write itself fails with EPIPE, and the writer decides (see ProgressDisplay). Such signals
// are discarded.
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
