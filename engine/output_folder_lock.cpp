#include "engine/output_folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace plainquill {
namespace {

constexpr const char* kLockName = ".plainquill-lock";

// Closes a descriptor unless it is handed on.
struct Descriptor {
    int fd = -1;
    explicit Descriptor(int f) : fd(f) {}
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(Descriptor&& other) noexcept : fd(std::exchange(other.fd, -1)) {}
    Descriptor& operator=(Descriptor&&) = delete;
    int release() { return std::exchange(fd, -1); }
};

// The folder's own lock, held a moment while shards come and go, so that two of different splits
// cannot both find the folder free, and the last to leave removes a file nobody is opening.
Descriptor gateOf(const std::filesystem::path& folder)
{
    Descriptor gate(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (gate.fd >= 0 && ::flock(gate.fd, LOCK_EX) != 0)
        ::close(gate.release());
    return gate;
}

std::string readAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::pread(fd, buffer, sizeof buffer, off_t(text.size()))) > 0;)
        text.append(buffer, std::size_t(n));
    return text;
}

// The lock file's text: the split on its first line (empty for a run alone), then who wrote it.
void writeHolder(int fd, const std::string& split, const std::string& description)
{
    const std::string text = split + '\n' + "process " + std::to_string(::getpid()) + ": " + description + '\n';
    if (::ftruncate(fd, 0) == 0 && ::pwrite(fd, text.data(), text.size(), 0) < 0) {
        // Only the message of a run turned away would lack its holder's name.
    }
}

std::string splitOf(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

std::string holderOf(const std::string& text)
{
    const std::size_t line = text.find('\n');
    std::string holder = line == std::string::npos ? std::string() : text.substr(line + 1);
    while (!holder.empty() && holder.back() == '\n')
        holder.pop_back();
    return holder.empty() ? "another run" : holder;
}

// True while `fd` is the file the folder holds under the lock's name: a run that left removed it,
// and a lock on the removed file locks nothing.
bool stillNamed(int fd, const std::filesystem::path& file)
{
    struct stat opened {}, named {};
    return ::fstat(fd, &opened) == 0 && ::stat(file.c_str(), &named) == 0 && opened.st_dev == named.st_dev
        && opened.st_ino == named.st_ino;
}

enum class Taken { Yes, No, Again };

Taken takeAlone(int fd, const std::filesystem::path& file, const std::string& description, std::string& holder)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        holder = holderOf(readAll(fd));
        return Taken::No;
    }
    if (!stillNamed(fd, file))
        return Taken::Again;
    writeHolder(fd, {}, description);
    return Taken::Yes;
}

Taken takeShare(int fd, const std::filesystem::path& file, const std::string& split, const std::string& description,
                std::string& holder)
{
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        holder = holderOf(readAll(fd));
        return Taken::No;
    }
    if (!stillNamed(fd, file))
        return Taken::Again;
    // Alone, the file's split is a finished run's: this shard's split takes the folder.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        writeHolder(fd, split, description);
        // Not atomic: a run alone may take the folder in between, and then has it.
        if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
            holder = "another run";
            return Taken::No;
        }
        return Taken::Yes;
    }
    const std::string text = readAll(fd);
    if (splitOf(text) == split)
        return Taken::Yes;
    holder = holderOf(text);
    return Taken::No;
}

} // namespace

std::optional<OutputFolderLock> OutputFolderLock::take(const std::filesystem::path& folder, const std::string& split,
                                                       const std::string& description, std::string& holder)
{
    const std::filesystem::path file = folder / kLockName;
    const Descriptor gate = split.empty() ? Descriptor(-1) : gateOf(folder);
    for (int attempt = 0; attempt < 10; ++attempt) {
        Descriptor lock(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
        // A folder that cannot hold the lock cannot hold the texts either: their saves say why.
        if (lock.fd < 0)
            return OutputFolderLock(folder, -1, !split.empty());
        const Taken taken = split.empty() ? takeAlone(lock.fd, file, description, holder)
                                          : takeShare(lock.fd, file, split, description, holder);
        if (taken == Taken::Yes)
            return OutputFolderLock(folder, lock.release(), !split.empty());
        if (taken == Taken::No)
            return std::nullopt;
    }
    holder = "runs that keep coming and going";
    return std::nullopt;
}

OutputFolderLock::~OutputFolderLock()
{
    if (m_fd < 0)
        return;
    // The last to leave removes the file; a shard waits at the gate for those arriving.
    const Descriptor gate = m_shared ? gateOf(m_folder) : Descriptor(-1);
    if (!m_shared || ::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        ::unlink((m_folder / kLockName).c_str());
    ::close(m_fd);
}

OutputFolderLock::OutputFolderLock(OutputFolderLock&& other) noexcept
    : m_folder(std::move(other.m_folder)), m_fd(std::exchange(other.m_fd, -1)), m_shared(other.m_shared)
{
}

OutputFolderLock& OutputFolderLock::operator=(OutputFolderLock&& other) noexcept
{
    if (this != &other) {
        OutputFolderLock old(std::move(*this));
        m_folder = std::move(other.m_folder);
        m_fd = std::exchange(other.m_fd, -1);
        m_shared = other.m_shared;
    }
    return *this;
}

} // namespace plainquill
