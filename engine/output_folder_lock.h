#pragma once
// One run at a time in an output folder. Two runs writing into one folder would name their texts
// alike and overwrite each other's, and each would report "converted" for texts the other then
// replaced. The shards of one split are the exception: they share a queue and its names, and
// write side by side.
//
// The lock is the kernel's (flock) on the folder's hidden file ".plainquill-lock": it ends with
// its process however that ends. The file names the holder, for the message of a run that is
// turned away; the last run to leave removes it, and one a killed run left locks nothing.
#include <filesystem>
#include <optional>
#include <string>

namespace plainquill {

class OutputFolderLock {
public:
    // Takes the folder for a run alone (`split` empty), or for a shard of the split `split` names
    // (the queue and the number of shards: the same for every shard of one split). Nothing, with
    // `holder` saying who has the folder, when another run or another split's shard has it.
    // `description` names this run to those turned away (its command line, say).
    static std::optional<OutputFolderLock> take(const std::filesystem::path& folder, const std::string& split,
                                                const std::string& description, std::string& holder);

    ~OutputFolderLock();
    OutputFolderLock(OutputFolderLock&& other) noexcept;
    OutputFolderLock& operator=(OutputFolderLock&& other) noexcept;
    OutputFolderLock(const OutputFolderLock&) = delete;

private:
    OutputFolderLock(std::filesystem::path folder, int fd, bool shared)
        : m_folder(std::move(folder)), m_fd(fd), m_shared(shared)
    {
    }
    std::filesystem::path m_folder;
    int m_fd = -1;
    bool m_shared = false;
};

} // namespace plainquill
