#include "batch/batch_queue.h"

#include "engine/folder_documents.h"
#include "engine/output_names.h"
#include "engine/seen_files.h"

#include <map>

namespace plainquill::batch {

namespace fs = std::filesystem;

namespace {

struct Queued {
    fs::path source;
    fs::path subfolder; // below the output folder, for Layout::KeepTree
};

// The folder of `document` below the named `folder` it was found in.
fs::path folderBelow(const fs::path& folder, const fs::path& document)
{
    const fs::path relative = document.parent_path().lexically_relative(folder.lexically_normal());
    return relative.empty() || relative == "." ? fs::path() : relative;
}

// Drops every entry after the first that names the same file (the same device and inode: a path
// given twice, differently spelt, or a hard link), which would otherwise be converted once per
// name. Entries that cannot be looked at stay, to fail with their reason.
void dropRepeatedFiles(std::vector<Queued>& queued)
{
    SeenFiles seen;
    std::erase_if(queued, [&](const Queued& entry) { return !seen.firstTime(entry.source).value_or(true); });
}

} // namespace

std::vector<BatchItem> buildQueue(const QueueRequest& request, const std::function<void(const fs::path&)>& onUnreadable)
{
    std::vector<Queued> queued;
    for (const fs::path& input : request.inputs) {
        if (!FolderExists(input)) {
            queued.push_back({input, {}});
            continue;
        }
        for (fs::path& document : folderDocuments(input, request.recursive, request.endings, onUnreadable)) {
            fs::path below = request.layout == Layout::KeepTree ? folderBelow(input, document.lexically_normal())
                                                                : fs::path();
            queued.push_back({std::move(document), std::move(below)});
        }
    }

    dropRepeatedFiles(queued);

    // One namer per output folder, fed in queue order as if every document before had been written.
    std::map<fs::path, OutputNames> namers;
    std::vector<BatchItem> items;
    items.reserve(queued.size());
    for (Queued& entry : queued) {
        const fs::path folder = entry.subfolder.empty() ? request.outputFolder : request.outputFolder / entry.subfolder;
        OutputNames& names = namers.try_emplace(entry.subfolder, folder).first->second;
        fs::path target = names.claim(entry.source);
        items.push_back({std::move(entry.source), std::move(target)});
    }
    return items;
}

} // namespace plainquill::batch
