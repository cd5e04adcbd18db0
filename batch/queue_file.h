#pragma once
// The queue written once to a file (--write-queue) and read by every run given it (--queue), so
// that the tasks of a job array, started at different times, share out and name the very same
// documents even when files are added, removed or changed in between.
//
// CSV: source, size (bytes, when the queue was written), target (relative to the output folder).
#include "batch/batch_queue.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plainquill::batch {

struct QueueFile {
    std::vector<BatchItem> items;      // targets below the output folder of this run
    std::vector<std::uintmax_t> sizes; // as they were when the queue was written
    std::string identity;              // a hash of the file's bytes: the same queue, the same identity
};

// The file's text for `queue`, its documents measured now (one that cannot be, as 0).
std::string queueFileText(const std::vector<BatchItem>& queue, const std::filesystem::path& outputFolder);

// nullopt, with `error` saying why, when `text` is no queue file.
std::optional<QueueFile> parseQueueFile(std::string_view text, const std::filesystem::path& outputFolder,
                                        std::string& error);

std::optional<QueueFile> readQueueFile(const std::filesystem::path& file, const std::filesystem::path& outputFolder,
                                       std::string& error);

} // namespace plainquill::batch
