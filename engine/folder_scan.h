#pragma once
// Listing folders for the queue: one folder's files, or a folder tree depth first. Paths are
// carried as bytes, so names that are not valid UTF-8 are found and can be opened.
#include <QString>

#include <filesystem>
#include <functional>
#include <vector>

namespace plainquill {

// Told of each folder a listing could not read, which is then skipped.
using UnreadableFolder = std::function<void(const std::filesystem::path& folder)>;

bool FolderExists(const std::filesystem::path& path);
bool FileExists(const std::filesystem::path& path);

// The names of every file directly in `folder`, hidden ones included, sorted by name.
// Empty when the folder cannot be read.
std::vector<std::filesystem::path> FolderFileNames(const std::filesystem::path& folder,
                                                   const UnreadableFolder& onUnreadable = {});

// Appends to `colFiles` the path of every ordinary (not hidden) file in `strFolder` whose name
// matches `strFileSpec` ("*.*" matches every name), then, with `bIncludeSubfolders`, the same for
// each non-hidden sub-folder in turn, depth first: a folder's own files, then everything below its
// first sub-folder, then below its second. A folder that cannot be read is skipped and the scan
// goes on with the rest; a folder reached a second time (through a link) is not entered again.
void RecursiveDir(std::vector<std::filesystem::path>& colFiles, const std::filesystem::path& strFolder,
                  const QString& strFileSpec, bool bIncludeSubfolders, const UnreadableFolder& onUnreadable = {});

} // namespace plainquill
