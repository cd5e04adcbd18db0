#pragma once
// LibreOffice launched so that another thread can end it at once: the batch command's Ctrl-C, the
// window closing while a long document converts. Nothing waits for the document in hand; the
// staged output file keeps every text whole or absent.
#include "engine/libreoffice/libreoffice_launcher.h"

#include <functional>
#include <mutex>

namespace plainquill::engine {

class InterruptibleLibreOffice final : public InterruptibleLauncher {
public:
    explicit InterruptibleLibreOffice(LibreOfficeOptions options = {}) : m_launcher(std::move(options)) {}

    std::unique_ptr<WordProcessor> Start() override;
    StartFailure lastStartFailure() const override;
    void interrupt() override;
    unsigned stopsAsked() const override;
    std::optional<OpenResult> refusalBeforeStart(const std::filesystem::path& file) const override
    {
        return m_launcher.refusalBeforeStart(file);
    }

private:
    LibreOfficeLauncher m_launcher;
    mutable std::mutex m_mutex; // guards what follows
    bool m_interrupted = false;
    unsigned m_stopsAsked = 0;
    std::function<void()> m_interruptCurrent;
};

} // namespace plainquill::engine
