#include "engine/libreoffice/profile_template.h"

#include <chrono>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace plainquill::engine::libreoffice {

namespace fs = std::filesystem;

namespace {

fs::path cacheFolder()
{
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache == '/')
        return cache;
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        return fs::path(home) / ".cache";
    return {};
}

} // namespace

fs::path defaultProfileTemplate(const fs::path& program)
{
    const fs::path cache = cacheFolder();
    std::error_code error;
    const auto installed = fs::last_write_time(fs::canonical(program, error), error);
    if (cache.empty() || error)
        return {};
    const auto stamp = std::chrono::file_clock::to_sys(installed).time_since_epoch() / std::chrono::seconds(1);
    return cache / "plainquill" / ("libreoffice-profile-" + std::to_string(stamp));
}

void seedProfile(const fs::path& profile, const fs::path& templateFolder)
{
    std::error_code error;
    if (templateFolder.empty() || !fs::is_directory(templateFolder / "user", error))
        return;
    fs::copy(templateFolder, profile, fs::copy_options::recursive, error);
    if (error) {
        fs::remove_all(profile, error);
        fs::create_directories(profile, error);
    }
}

void keepAsTemplate(const fs::path& profile, const fs::path& templateFolder)
{
    std::error_code error;
    if (templateFolder.empty() || fs::exists(templateFolder, error) || !fs::is_directory(profile / "user", error))
        return;
    // Named after the profile's private folder, unique among the instances of every process: two
    // workers of one process quitting at once must not copy into, or delete, each other's copy.
    const fs::path aside = templateFolder.string() + ".partial-" + std::to_string(::getpid()) + "-"
                         + profile.parent_path().filename().string();
    fs::create_directories(aside.parent_path(), error);
    fs::remove_all(aside, error);
    fs::copy(profile, aside, fs::copy_options::recursive, error);
    if (!error)
        fs::rename(aside, templateFolder, error);
    if (error)
        fs::remove_all(aside, error);
}

} // namespace plainquill::engine::libreoffice
