#pragma once
// What a run will write, settled at Start before any document is converted: workers finish in
// any order, so a text file's name cannot wait for the documents before it. Documents of the run
// that share a base name are told apart by queue position, as though every one before had been
// written, so the names do not depend on which documents fail.
#include "engine/conversion_item.h"

#include <cstddef>
#include <filesystem>
#include <vector>

namespace plainquill {

class FileQueue;

struct RunPlan {
    std::vector<engine::ConversionItem> items; // one per queue row; targets for the checked rows only
    std::vector<std::size_t> todo;             // the checked rows, in queue order
};

RunPlan planRun(const FileQueue& queue, const std::filesystem::path& outputFolder);

} // namespace plainquill
