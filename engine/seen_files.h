#pragma once
// Files and folders told apart by what they are (device and inode), not by the path that names
// them: a path spelt twice, a link and a hard link all name what was seen before.
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <set>
#include <utility>

namespace plainquill {

class SeenFiles {
public:
    // True the first time `path` names its file, false after; nothing when it cannot be looked at.
    std::optional<bool> firstTime(const std::filesystem::path& path);

private:
    std::set<std::pair<dev_t, ino_t>> m_seen;
};

} // namespace plainquill
