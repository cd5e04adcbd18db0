#pragma once
// The local files and folders a drop carries, as the bytes of their paths.
#include <filesystem>
#include <vector>

class QMimeData;

namespace plainquill {

// In the order the drop lists them. Each file: URL's path is percent-decoded to bytes rather than
// read as text, which would turn a name that is not UTF-8 into one that names no file.
std::vector<std::filesystem::path> droppedLocalPaths(const QMimeData& data);

} // namespace plainquill
