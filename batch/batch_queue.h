#pragma once
// The batch command's queue: every document named or found, in the order the window would queue
// them, each with its text file already named. Names are settled here, from queue order alone,
// before anything is converted: a run with any number of workers, or any share of the queue run
// elsewhere, writes each text under the same name.
#include "engine/conversion_item.h"
#include "engine/document_kinds.h"

#include <filesystem>
#include <functional>
#include <vector>

namespace plainquill::batch {

using BatchItem = engine::ConversionItem;

enum class Layout {
    Flat,     // every text file directly in the output folder
    KeepTree, // below the output folder, each document's folder below the folder that was named
};

struct QueueRequest {
    std::vector<std::filesystem::path> inputs; // files and folders, in command-line order
    bool recursive = false;
    Layout layout = Layout::Flat;
    std::filesystem::path outputFolder;
    DocumentEndings endings = DocumentEndings::word(); // what a folder gives
};

// A folder named or found is listed for the chosen endings: a file named is queued whatever it is (a name that is no
// readable document then fails with its reason). A file named or found again under another path
// is queued once, where it first comes. `onUnreadable` hears of folders skipped.
std::vector<BatchItem> buildQueue(const QueueRequest& request,
                                  const std::function<void(const std::filesystem::path&)>& onUnreadable = {});

} // namespace plainquill::batch
