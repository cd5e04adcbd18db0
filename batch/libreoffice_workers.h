#pragma once
// The batch command's word processors: one LibreOffice launcher per worker, each instance in a
// private folder of its own, each killable at once from the thread that handles Ctrl-C.
#include "batch/pool_names.h"
#include "engine/text_parts.h"

#include <string>

namespace plainquill::batch {

// A launcher per worker, all running `program` (a name looked up in PATH and LibreOffice's usual
// folder, or a path), each writing `parts` into the texts.
LauncherFactory libreOfficeWorkers(const std::string& program, const engine::TextParts& parts);

} // namespace plainquill::batch
