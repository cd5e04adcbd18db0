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

std::string random_letters(std::random_device& source, std::size_t count)
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

std::string staged_file_name(const std::string& target_name, const std::string& random_part)
{
    const std::string prefix = ".";
    const std::string suffix = ".plainquill-" + random_part + ".tmp";
    std::string kept = target_name;
    const std::size_t room = kNameLimit - prefix.size() - suffix.size();
    if (kept.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(kept[cut]) & 0xC0) == 0x80)
            --cut; // kept[cut] continues a UTF-8 character: cut before that character
        kept.resize(cut);
    }
    return prefix + kept + suffix;
}

StagedOutputFile::StagedOutputFile(const std::filesystem::path& target) : target_(target)
{
    std::random_device source;
    const std::filesystem::path folder = target.parent_path();
    int error = 0;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::filesystem::path candidate =
            folder / staged_file_name(target.filename().string(), random_letters(source, 8));
        fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temporary_ = candidate;
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
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_)
        ::unlink(temporary_.c_str());
}

void StagedOutputFile::write(std::string_view bytes)
{
    if (fd_ < 0)
        throw std::system_error(EBADF, std::generic_category(), "the file is already closed");
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd_, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw std::system_error(errno, std::generic_category(), "cannot write " + temporary_.string());
        // A write that takes nothing and reports no error would loop for ever: treat it as full.
        if (count == 0)
            throw std::system_error(ENOSPC, std::generic_category(), "cannot write " + temporary_.string());
        bytes.remove_prefix(static_cast<std::size_t>(count));
        written_ += static_cast<unsigned long long>(count);
    }
}

void StagedOutputFile::close_file()
{
    const int fd = fd_;
    fd_ = -1;
    // Not retried on EINTR: Linux has released the descriptor whatever close() says.
    if (::close(fd) != 0)
        throw std::system_error(errno, std::generic_category(), "cannot finish " + temporary_.string());
}

void StagedOutputFile::commit()
{
    if (fd_ < 0)
        throw std::system_error(EBADF, std::generic_category(), "the file is already closed");
    // Delayed allocation and network file systems may only report a full disk here.
    if (::fsync(fd_) != 0) {
        const int error = errno;
        ::close(fd_);
        fd_ = -1;
        throw std::system_error(error, std::generic_category(), "cannot write " + temporary_.string());
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || static_cast<unsigned long long>(info.st_size) != written_) {
        ::close(fd_);
        fd_ = -1;
        throw std::system_error(EIO, std::generic_category(),
                                "the file system kept only part of " + temporary_.string());
    }
    close_file();
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        throw std::system_error(errno, std::generic_category(),
                                "cannot replace " + target_.string());
    committed_ = true;
}

void writeWholeFile(const std::filesystem::path& file, std::string_view text)
{
    StagedOutputFile staged(file);
    staged.write(text);
    staged.commit();
}

} // namespace plainquill
