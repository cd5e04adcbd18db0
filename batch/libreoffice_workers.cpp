#include "batch/libreoffice_workers.h"

namespace plainquill::batch {

std::unique_ptr<engine::WordProcessor> InterruptibleLibreOffice::Start()
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_interrupted)
            return nullptr;
    }
    std::unique_ptr<engine::LibreOffice> started = m_launcher.StartLibreOffice();
    if (!started)
        return nullptr;
    const std::lock_guard lock(m_mutex);
    m_interruptCurrent = started->interrupter();
    // Interrupted while it was starting: it must not take a document.
    if (m_interrupted)
        m_interruptCurrent();
    return started;
}

engine::StartFailure InterruptibleLibreOffice::lastStartFailure() const
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_interrupted)
            return {true, "the run was stopped", {}};
    }
    return m_launcher.lastStartFailure();
}

void InterruptibleLibreOffice::interrupt()
{
    const std::lock_guard lock(m_mutex);
    m_interrupted = true;
    if (m_interruptCurrent)
        m_interruptCurrent();
}

LauncherFactory libreOfficeWorkers(const std::string& program, const engine::TextParts& parts)
{
    return [program, parts] {
        engine::LibreOfficeOptions options;
        options.program = program;
        options.textParts = parts;
        return std::make_unique<InterruptibleLibreOffice>(std::move(options));
    };
}

} // namespace plainquill::batch
