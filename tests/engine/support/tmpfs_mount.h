#pragma once
// A small tmpfs for a test's life: a disk that fills up, or a folder nobody may write to. Needs root.
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace plainquill::engine::testing {

enum class Access { ReadWrite, ReadOnly };

class TmpfsMount {
public:
    TmpfsMount(const std::filesystem::path& folder, std::size_t bytes, Access access = Access::ReadWrite)
        : m_folder(folder)
    {
        std::filesystem::create_directories(folder);
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
        const unsigned long flags = MS_NOSUID | MS_NODEV | (access == Access::ReadOnly ? MS_RDONLY : 0);
        if (::mount("plainquill-test", folder.c_str(), "tmpfs", flags, options.c_str()) != 0)
            m_error = std::strerror(errno);
    }
    ~TmpfsMount()
    {
        if (mounted())
            ::umount2(m_folder.c_str(), MNT_DETACH);
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool mounted() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }

private:
    std::filesystem::path m_folder;
    std::string m_error;
};

} // namespace plainquill::engine::testing
