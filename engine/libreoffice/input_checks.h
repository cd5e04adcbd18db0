#pragma once
// What can be told of a file before LibreOffice is asked anything: one that is missing, not a
// regular file, empty or unreadable, or an archive that is damaged or would expand past what
// LibreOffice may hold, is refused at once. LibreOffice's Open asks, and so does its launcher,
// before any LibreOffice is started: a run of files all refused starts none.
#include "engine/libreoffice/zip_archive_sizes.h"
#include "engine/word_processor.h"

#include <filesystem>
#include <optional>

namespace plainquill::engine::libreoffice {

// The refusal, with reachedWordProcessor false; nothing when the file is for LibreOffice to judge.
std::optional<OpenResult> refusalBeforeOpening(const std::filesystem::path& file, const ZipExpansionLimits& limits);

} // namespace plainquill::engine::libreoffice
