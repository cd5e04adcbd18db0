#pragma once
// The documents a folder adds to the queue, whoever adds it: the window (a chosen or dropped folder)
// and the batch command (a folder named on its command line) queue exactly the same files in the
// same order.
#include "engine/folder_scan.h"

#include <filesystem>
#include <vector>

namespace plainquill {

// Without `includeSubfolders`: every file directly in `folder`, hidden ones included. With it: the
// whole tree depth first, as RecursiveDir lists it. Of those, the ones DocFileCheck accepts.
std::vector<std::filesystem::path> folderDocuments(const std::filesystem::path& folder, bool includeSubfolders,
                                                   const UnreadableFolder& onUnreadable = {});

} // namespace plainquill
