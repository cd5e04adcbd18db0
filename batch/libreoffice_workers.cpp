#include "batch/libreoffice_workers.h"

#include "engine/libreoffice/interruptible_libreoffice.h"

namespace plainquill::batch {

LauncherFactory libreOfficeWorkers(const std::string& program, const engine::TextParts& parts)
{
    return [program, parts] {
        engine::LibreOfficeOptions options;
        options.program = program;
        options.textParts = parts;
        return std::make_unique<engine::InterruptibleLibreOffice>(std::move(options));
    };
}

} // namespace plainquill::batch
