#pragma once
// A tmpfs mounted for a test's life: a disk that fills up without filling the machine's, or a
// folder nobody may write to, root included. Mounting needs root (or CAP_SYS_ADMIN); tests skip
// where it fails.
#include <cstddef>
#include <filesystem>
#include <string>

namespace plainquill::adapters::testing {

enum class Access { ReadWrite, ReadOnly };

class TmpfsMount {
public:
    // Creates `folder` if needed and mounts a tmpfs of `bytes` on it.
    TmpfsMount(const std::filesystem::path& folder, std::size_t bytes, Access access = Access::ReadWrite);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool mounted() const { return mounted_; }
    // Why the mount failed.
    const std::string& error() const { return error_; }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
    std::string error_;
};

} // namespace plainquill::adapters::testing
