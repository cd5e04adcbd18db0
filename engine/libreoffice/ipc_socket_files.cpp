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

} // namespace

std::vector<std::filesystem::path> ipcSocketFiles(const std::string& pipeName,
                                                  const std::string& profileUrl)
{
    const std::string prefix = "OSL_PIPE_" + std::to_string(::geteuid()) + "_";
    std::vector<std::filesystem::path> files;
    for (const char* folder : {"/tmp", "/var/tmp"}) {
        files.push_back(std::filesystem::path(folder) / (prefix + pipeName));
        files.push_back(std::filesystem::path(folder) / (prefix + singleInstancePipeName(profileUrl)));
    }
    return files;
}

void removeIpcSocketFiles(const std::string& pipeName, const std::string& profileUrl) noexcept
{
    try {
        for (const auto& file : ipcSocketFiles(pipeName, profileUrl)) {
            struct stat info {};
            if (::lstat(file.c_str(), &info) == 0 && S_ISSOCK(info.st_mode))
                ::unlink(file.c_str());
        }
    } catch (...) {
        // Litter in /tmp is not worth failing a quit for.
    }
}

} // namespace plainquill::engine::libreoffice
