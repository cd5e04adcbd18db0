#include "app/adapters/libreoffice/scratch_directory.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace plainquill::adapters::libreoffice {

ScratchDirectory::ScratchDirectory(const std::filesystem::path& parent)
{
    std::string name_template = (parent / "plainquill-lo-XXXXXX").native();
    if (::mkdtemp(name_template.data()) == nullptr)
        throw std::system_error(errno, std::generic_category(),
                                "cannot create a private folder under " + parent.string());
    path_ = name_template;
    try {
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

} // namespace plainquill::adapters::libreoffice
