#include "engine/staged_output_file.h"

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

} // namespace

std::string stagedFileName(const std::string& targetName, const std::string& randomPart)
{
    const std::string prefix = ".";
    const std::string suffix = ".plainquill-" + randomPart + ".tmp";
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
    int error = 0;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::filesystem::path candidate =
            folder / stagedFileName(target.filename().string(), randomLetters(source, 8));
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
        throw std::system_error(errno, std::generic_category(),
                                "cannot replace " + m_target.string());
    m_committed = true;
}

void writeWholeFile(const std::filesystem::path& file, std::string_view text)
{
    StagedOutputFile staged(file);
    staged.write(text);
    staged.commit();
}

} // namespace plainquill
