#include "engine/libreoffice/sigpipe_block.h"

#include <pthread.h>

#include <ctime>

namespace plainquill::engine::libreoffice {
namespace {

sigset_t justSigpipe()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGPIPE);
    return set;
}

} // namespace

SigpipeBlock::SigpipeBlock()
{
    const sigset_t sigpipe = justSigpipe();
    pthread_sigmask(SIG_BLOCK, &sigpipe, &m_previous);
}

SigpipeBlock::~SigpipeBlock()
{
    if (sigismember(&m_previous, SIGPIPE) == 1)
        return; // blocked before us: nothing of ours to undo
    sigset_t pending;
    sigpending(&pending);
    if (sigismember(&pending, SIGPIPE) == 1) {
        const sigset_t sigpipe = justSigpipe();
        const timespec noWait{0, 0};
        sigtimedwait(&sigpipe, nullptr, &noWait);
    }
    pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
}

} // namespace plainquill::engine::libreoffice
