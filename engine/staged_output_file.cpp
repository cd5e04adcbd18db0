#include "engine/staged_output_file.h"

#include "engine/process_identity.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <system_error>

namespace plainquill {
namespace {

constexpr std::size_t kNameLimit = 255;
constexpr std::string_view kMark = ".plainquill-";
constexpr std::string_view kEnding = ".tmp";
constexpr int kAttempts = 16;

std::string randomLetters(std::random_device& source, std::size_t count)
{
    static constexpr char alphabet[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 2);
    std::string letters;
    for (std::size_t i = 0; i < count; ++i)
        letters += alphabet[pick(source)];
    return letters;
}

// This process's identity as a name part: "<pid>-<start time>".
std::string ownerNamePart()
{
    std::string identity = processIdentity(::getpid());
    const std::size_t space = identity.find(' ');
    if (space != std::string::npos)
        identity[space] = '-';
    return identity;
}

bool allDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The owner's identity ("<pid> <start time>") a staged file's name carries; empty when the
// name is not one of ours or comes from a version that did not name the owner.
std::string stagedFileOwner(std::string_view name)
{
    if (name.size() < 2 || name.front() != '.' || !name.ends_with(kEnding))
        return {};
    const std::size_t mark = name.rfind(kMark);
    if (mark == std::string_view::npos)
        return {};
    const std::string_view parts = name.substr(mark + kMark.size(),
                                               name.size() - mark - kMark.size() - kEnding.size());
    // "<pid>-<start time>-<random letters>", the letters free of dashes.
    const std::size_t first = parts.find('-');
    const std::size_t second = first == std::string_view::npos ? first : parts.find('-', first + 1);
    if (second == std::string_view::npos || parts.find('-', second + 1) != std::string_view::npos)
        return {};
    const std::string_view pid = parts.substr(0, first);
    const std::string_view started = parts.substr(first + 1, second - first - 1);
    if (!allDigits(pid) || !allDigits(started))
        return {};
    return std::string(pid) + " " + std::string(started);
}

} // namespace

std::string stagedFileName(const std::string& targetName, const std::string& randomPart)
{
    const std::string prefix = ".";
    const std::string suffix = std::string(kMark) + randomPart + std::string(kEnding);
    std::string kept = targetName;
    const std::size_t room = kNameLimit - prefix.size() - suffix.size();
    if (kept.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(kept[cut]) & 0xC0) == 0x80)
            --cut; // kept[cut] continues a UTF-8 character: cut before that character
        kept.resize(cut);
    }
    return prefix + kept + suffix;
}

StagedOutputFile::StagedOutputFile(const std::filesystem::path& target) : m_target(target)
{
    std::random_device source;
    const std::filesystem::path folder = target.parent_path();
    const std::string owner = ownerNamePart();
    int error = 0;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::filesystem::path candidate =
            folder / stagedFileName(target.filename().string(), owner + "-" + randomLetters(source, 8));
        m_fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_temporary = candidate;
            return;
        }
        error = errno;
        if (error != EEXIST)
            break;
    }
    throw std::system_error(error, std::generic_category(),
                            "cannot create a file in " + folder.string());
}

StagedOutputFile::~StagedOutputFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed)
        ::unlink(m_temporary.c_str());
}

void StagedOutputFile::write(std::string_view bytes)
{
    if (m_fd < 0)
        throw std::system_error(EBADF, std::generic_category(), "the file is already closed");
    while (!bytes.empty()) {
        const ssize_t count = ::write(m_fd, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw std::system_error(errno, std::generic_category(), "cannot write " + m_temporary.string());
        // A write that takes nothing and reports no error would loop for ever: treat it as full.
        if (count == 0)
            throw std::system_error(ENOSPC, std::generic_category(), "cannot write " + m_temporary.string());
        bytes.remove_prefix(static_cast<std::size_t>(count));
        m_written += static_cast<unsigned long long>(count);
    }
}

void StagedOutputFile::closeFile()
{
    const int fd = m_fd;
    m_fd = -1;
    // Not retried on EINTR: Linux has released the descriptor whatever close() says.
    if (::close(fd) != 0)
        throw std::system_error(errno, std::generic_category(), "cannot finish " + m_temporary.string());
}

void StagedOutputFile::commit()
{
    if (m_fd < 0)
        throw std::system_error(EBADF, std::generic_category(), "the file is already closed");
    // Delayed allocation and network file systems may only report a full disk here.
    if (::fsync(m_fd) != 0) {
        const int error = errno;
        ::close(m_fd);
        m_fd = -1;
        throw std::system_error(error, std::generic_category(), "cannot write " + m_temporary.string());
    }
    struct stat info {};
    if (::fstat(m_fd, &info) != 0 || static_cast<unsigned long long>(info.st_size) != m_written) {
        ::close(m_fd);
        m_fd = -1;
        throw std::system_error(EIO, std::generic_category(),
                                "the file system kept only part of " + m_temporary.string());
    }
    closeFile();
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        throw TargetNotReplaced(errno, std::generic_category(), "cannot replace " + m_target.string());
    m_committed = true;
}

void StagedOutputFile::commitWrittenElsewhere()
{
    if (m_fd < 0)
        throw std::system_error(EBADF, std::generic_category(), "the file is already closed");
    closeFile();
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        throw TargetNotReplaced(errno, std::generic_category(), "cannot replace " + m_target.string());
    m_committed = true;
}

std::string unreplaceableTargetWords()
{
    return "the text file already there cannot be replaced (it is locked against changes, or belongs to "
           "someone else); remove it, or choose another output folder";
}

int removeAbandonedStagedFiles(const std::filesystem::path& folder)
{
    int removed = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code ignored;
        const std::string owner = stagedFileOwner(entry->path().filename().native());
        if (owner.empty() || !entry->is_regular_file(ignored) || entry->is_symlink(ignored)
            || ownerIsRunning(owner))
            continue;
        if (std::filesystem::remove(entry->path(), ignored))
            ++removed;
    }
    return removed;
}

void writeWholeFile(const std::filesystem::path& file, std::string_view text)
{
    StagedOutputFile staged(file);
    staged.write(text);
    staged.commit();
}

} // namespace plainquill
