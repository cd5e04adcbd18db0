#include "engine/libreoffice/scratch_directory.h"

#include "engine/libreoffice/proc_stat.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace plainquill::engine::libreoffice {
namespace {

constexpr const char* kNamePrefix = "plainquill-lo-";
constexpr const char* kOwnerFile = "owner";

// A process id with the time it started (field 22 of /proc/<pid>/stat): together they name one
// process for good, where an id alone is reused. Empty when the process is gone.
std::string process_identity(pid_t pid)
{
    const std::vector<std::string> fields = proc_stat_fields(pid);
    return fields.size() > 22 - 3 ? std::to_string(pid) + " " + fields[22 - 3] : std::string();
}

} // namespace

ScratchDirectory::ScratchDirectory(const std::filesystem::path& parent)
{
    std::string name_template = (parent / "plainquill-lo-XXXXXX").native();
    if (::mkdtemp(name_template.data()) == nullptr)
        throw ScratchFolderError(errno, std::generic_category(),
                                 "cannot create a private folder under " + parent.string());
    path_ = name_template;
    try {
        std::ofstream(path_ / kOwnerFile) << process_identity(::getpid()) << '\n';
        std::filesystem::create_directory(profile());
        std::filesystem::create_directory(temporary_files());
    } catch (...) {
        remove();
        throw;
    }
}

ScratchDirectory::~ScratchDirectory()
{
    remove();
}

void ScratchDirectory::remove() noexcept
{
    if (removed_)
        return;
    removed_ = true;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<AbandonedScratchDirectory> abandoned_scratch_directories(const std::filesystem::path& parent)
{
    std::vector<AbandonedScratchDirectory> abandoned;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(parent, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code ignored;
        if (entry->path().filename().string().rfind(kNamePrefix, 0) != 0 || !entry->is_directory(ignored)
            || entry->is_symlink(ignored))
            continue;
        std::ifstream owner_file(entry->path() / kOwnerFile);
        std::string owner_identity;
        if (!std::getline(owner_file, owner_identity) || owner_identity.empty())
            continue; // being made right now, or not ours to judge
        const pid_t owner = static_cast<pid_t>(std::strtol(owner_identity.c_str(), nullptr, 10));
        if (owner <= 0 || process_identity(owner) == owner_identity)
            continue;
        abandoned.push_back({entry->path(), owner});
    }
    return abandoned;
}

} // namespace plainquill::engine::libreoffice
