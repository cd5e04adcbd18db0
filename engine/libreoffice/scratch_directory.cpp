#include "engine/libreoffice/scratch_directory.h"

#include "engine/process_identity.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace plainquill::engine::libreoffice {
namespace {

constexpr const char* kNamePrefix = "plainquill-lo-";
constexpr const char* kOwnerFile = "owner";

} // namespace

ScratchDirectory::ScratchDirectory(const std::filesystem::path& parent)
{
    std::string nameTemplate = (parent / "plainquill-lo-XXXXXX").native();
    if (::mkdtemp(nameTemplate.data()) == nullptr)
        throw ScratchFolderError(errno, std::generic_category(),
                                 "cannot create a private folder under " + parent.string());
    m_path = nameTemplate;
    try {
        std::ofstream(m_path / kOwnerFile) << processIdentity(::getpid()) << '\n';
        std::filesystem::create_directory(profile());
        std::filesystem::create_directory(temporaryFiles());
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
    if (m_removed)
        return;
    m_removed = true;
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::vector<AbandonedScratchDirectory> abandonedScratchDirectories(const std::filesystem::path& parent)
{
    std::vector<AbandonedScratchDirectory> abandoned;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(parent, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code ignored;
        if (entry->path().filename().string().rfind(kNamePrefix, 0) != 0 || !entry->is_directory(ignored)
            || entry->is_symlink(ignored))
            continue;
        std::ifstream ownerFile(entry->path() / kOwnerFile);
        std::string ownerIdentity;
        if (!std::getline(ownerFile, ownerIdentity) || ownerIdentity.empty())
            continue; // being made right now, or not ours to judge
        const pid_t owner = static_cast<pid_t>(std::strtol(ownerIdentity.c_str(), nullptr, 10));
        if (owner <= 0 || processIdentity(owner) == ownerIdentity)
            continue;
        abandoned.push_back({entry->path(), owner});
    }
    return abandoned;
}

} // namespace plainquill::engine::libreoffice
