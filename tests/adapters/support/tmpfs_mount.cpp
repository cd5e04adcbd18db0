#include "tests/adapters/support/tmpfs_mount.h"

#include <sys/mount.h>

#include <cerrno>
#include <cstring>

namespace plainquill::adapters::testing {

TmpfsMount::TmpfsMount(const std::filesystem::path& folder, std::size_t bytes, Access access) : folder_(folder)
{
    std::filesystem::create_directories(folder);
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    unsigned long flags = MS_NOSUID | MS_NODEV;
    if (access == Access::ReadOnly)
        flags |= MS_RDONLY;
    if (::mount("plainquill-test", folder.c_str(), "tmpfs", flags, options.c_str()) == 0)
        mounted_ = true;
    else
        error_ = std::strerror(errno);
}

TmpfsMount::~TmpfsMount()
{
    if (mounted_)
        ::umount2(folder_.c_str(), MNT_DETACH);
}

} // namespace plainquill::adapters::testing
