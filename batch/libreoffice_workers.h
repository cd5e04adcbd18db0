#pragma once
// The batch command's word processors: one LibreOffice launcher per worker, each instance in a
// private folder of its own, each killable at once from the thread that handles Ctrl-C.
#include "batch/worker_pool.h"
#include "engine/libreoffice/libreoffice_launcher.h"

#include <functional>
#include <mutex>

namespace plainquill::batch {

class InterruptibleLibreOffice final : public InterruptibleLauncher {
public:
    explicit InterruptibleLibreOffice(engine::LibreOfficeOptions options) : m_launcher(std::move(options)) {}

    std::unique_ptr<engine::WordProcessor> Start() override;
    engine::StartFailure lastStartFailure() const override;
    void interrupt() override;

private:
    engine::LibreOfficeLauncher m_launcher;
    mutable std::mutex m_mutex; // guards what follows
    bool m_interrupted = false;
    std::function<void()> m_interruptCurrent;
};

// A launcher per worker, all running `program` (a name looked up in PATH and LibreOffice's usual
// folder, or a path), each writing `parts` into the texts.
LauncherFactory libreOfficeWorkers(const std::string& program, const engine::TextParts& parts);

} // namespace plainquill::batch
