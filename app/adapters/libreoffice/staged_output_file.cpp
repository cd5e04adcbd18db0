#include "app/adapters/libreoffice/staged_output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <system_error>

namespace plainquill::adapters::libreoffice {
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
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
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
    if (!committed_)
        ::unlink(temporary_.c_str());
}

void StagedOutputFile::commit()
{
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        throw std::system_error(errno, std::generic_category(),
                                "cannot replace " + target_.string());
    committed_ = true;
}

} // namespace plainquill::adapters::libreoffice
