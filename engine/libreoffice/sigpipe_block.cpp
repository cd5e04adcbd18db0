#include "engine/libreoffice/sigpipe_block.h"

#include <pthread.h>

#include <ctime>

namespace plainquill::engine::libreoffice {
namespace {

sigset_t just_sigpipe()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGPIPE);
    return set;
}

} // namespace

SigpipeBlock::SigpipeBlock()
{
    const sigset_t sigpipe = just_sigpipe();
    pthread_sigmask(SIG_BLOCK, &sigpipe, &previous_);
}

SigpipeBlock::~SigpipeBlock()
{
    if (sigismember(&previous_, SIGPIPE) == 1)
        return; // blocked before us: nothing of ours to undo
    sigset_t pending;
    sigpending(&pending);
    if (sigismember(&pending, SIGPIPE) == 1) {
        const sigset_t sigpipe = just_sigpipe();
        const timespec no_wait{0, 0};
        sigtimedwait(&sigpipe, nullptr, &no_wait);
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

} // namespace plainquill::engine::libreoffice
