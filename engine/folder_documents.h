#pragma once
// The documents a folder adds to the queue, whoever adds it: the window (a chosen or dropped folder)
// and the batch command (a folder named on its command line) queue exactly the same files in the
// same order.
#include "engine/document_kinds.h"
#include "engine/folder_scan.h"

#include <filesystem>
#include <vector>

namespace plainquill {

// Without `includeSubfolders`: every file directly in `folder`, hidden ones included. With it: the
// whole tree depth first, as RecursiveDir lists it. Of those, the ones whose ending `endings` holds
// (the window always takes the Word group, as DocFileCheck does).
std::vector<std::filesystem::path> folderDocuments(const std::filesystem::path& folder, bool includeSubfolders,
                                                   const DocumentEndings& endings = DocumentEndings::word(),
                                                   const UnreadableFolder& onUnreadable = {});

} // namespace plainquill
