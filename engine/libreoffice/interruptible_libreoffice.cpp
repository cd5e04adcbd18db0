#include "engine/libreoffice/interruptible_libreoffice.h"

namespace plainquill::engine {

std::unique_ptr<WordProcessor> InterruptibleLibreOffice::Start()
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_interrupted)
            return nullptr;
    }
    std::unique_ptr<LibreOffice> started = m_launcher.StartLibreOffice();
    const std::lock_guard lock(m_mutex);
    if (!started)
        return nullptr;
    m_interruptCurrent = started->interrupter();
    // Interrupted while it was starting: it must not take a document.
    if (m_interrupted)
        m_interruptCurrent();
    return started;
}

StartFailure InterruptibleLibreOffice::lastStartFailure() const
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_interrupted)
            return {true, "the run was stopped", {}};
    }
    return m_launcher.lastStartFailure();
}

unsigned InterruptibleLibreOffice::stopsAsked() const
{
    const std::lock_guard lock(m_mutex);
    return m_stopsAsked;
}

void InterruptibleLibreOffice::interrupt()
{
    const std::lock_guard lock(m_mutex);
    ++m_stopsAsked;
    m_interrupted = true;
    if (m_interruptCurrent)
        m_interruptCurrent();
}

} // namespace plainquill::engine
