#pragma once
// UNO's pipe transport writes with plain send(): once LibreOffice has died, a write that races the
// bridge noticing it raises SIGPIPE, whose default action ends our whole program. Rather than
// change the program's signal handling, we block SIGPIPE in the threads that talk to LibreOffice:
// the write then just fails with EPIPE and the bridge reports LibreOffice gone.
//
// While a SigpipeBlock lives, SIGPIPE is blocked in the current thread, and threads started
// meanwhile (UNO's bridge threads, the watchdog) inherit the block for good. On destruction a
// SIGPIPE raised meanwhile is discarded and the thread's previous mask restored.
#include <signal.h>

namespace plainquill::engine::libreoffice {

class SigpipeBlock {
public:
    SigpipeBlock();
    ~SigpipeBlock();
    SigpipeBlock(const SigpipeBlock&) = delete;
    SigpipeBlock& operator=(const SigpipeBlock&) = delete;

private:
    sigset_t m_previous;
};

} // namespace plainquill::engine::libreoffice
