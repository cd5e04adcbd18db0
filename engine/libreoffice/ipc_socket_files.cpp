#include "engine/libreoffice/ipc_socket_files.h"

#include "engine/libreoffice/uno_strings.h"

#include <rtl/digest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace plainquill::engine::libreoffice {
namespace {

// LibreOffice names its single-instance pipe after the MD5 of the profile URL's UTF-16 code
// units, each digest byte written in hex without zero padding.
std::string singleInstancePipeName(const std::string& profileUrl)
{
    const rtl::OUString url = toUno(profileUrl);
    sal_uInt8 digest[RTL_DIGEST_LENGTH_MD5];
    rtl_digest_MD5(url.getStr(), static_cast<sal_uInt32>(url.getLength() * sizeof(sal_Unicode)),
                   digest, sizeof digest);
    std::string name = "SingleOfficeIPC_";
    for (const sal_uInt8 byte : digest) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(byte));
        name += hex;
    }
    return name;
}

std::string socketName(const std::string& pipeName)
{
    return "OSL_PIPE_" + std::to_string(::geteuid()) + "_" + pipeName;
}

} // namespace

std::vector<std::filesystem::path> ipcSocketFiles(const std::string& pipeName, const std::string& profileUrl,
                                                  const std::vector<std::filesystem::path>& folders)
{
    std::vector<std::filesystem::path> files;
    for (const std::filesystem::path& folder : folders) {
        files.push_back(folder / socketName(pipeName));
        files.push_back(folder / socketName(singleInstancePipeName(profileUrl)));
    }
    return files;
}

std::filesystem::path pipeSocketFile(const std::string& pipeName, const std::vector<std::filesystem::path>& folders)
{
    for (const std::filesystem::path& folder : folders) {
        if (::access(folder.c_str(), W_OK) == 0)
            return folder / socketName(pipeName);
    }
    return folders.empty() ? std::filesystem::path() : folders.front() / socketName(pipeName);
}

void removeIpcSocketFiles(const std::string& pipeName, const std::string& profileUrl,
                          const std::vector<std::filesystem::path>& folders) noexcept
{
    try {
        for (const auto& file : ipcSocketFiles(pipeName, profileUrl, folders)) {
            struct stat info {};
            if (::lstat(file.c_str(), &info) == 0 && S_ISSOCK(info.st_mode))
                ::unlink(file.c_str());
        }
    } catch (...) {
        // Litter in /tmp is not worth failing a quit for.
    }
}

} // namespace plainquill::engine::libreoffice
