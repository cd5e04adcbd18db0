#include "engine/seen_files.h"

#include <sys/stat.h>

namespace plainquill {

std::optional<bool> SeenFiles::firstTime(const std::filesystem::path& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return m_seen.insert({info.st_dev, info.st_ino}).second;
}

} // namespace plainquill
