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
std::string single_instance_pipe_name(const std::string& profile_url)
{
    const rtl::OUString url = to_uno(profile_url);
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

std::vector<std::filesystem::path> ipc_socket_files(const std::string& pipe_name,
                                                    const std::string& profile_url)
{
    const std::string prefix = "OSL_PIPE_" + std::to_string(::geteuid()) + "_";
    std::vector<std::filesystem::path> files;
    for (const char* folder : {"/tmp", "/var/tmp"}) {
        files.push_back(std::filesystem::path(folder) / (prefix + pipe_name));
        files.push_back(std::filesystem::path(folder) / (prefix + single_instance_pipe_name(profile_url)));
    }
    return files;
}

void remove_ipc_socket_files(const std::string& pipe_name, const std::string& profile_url) noexcept
{
    try {
        for (const auto& file : ipc_socket_files(pipe_name, profile_url)) {
            struct stat info {};
            if (::lstat(file.c_str(), &info) == 0 && S_ISSOCK(info.st_mode))
                ::unlink(file.c_str());
        }
    } catch (...) {
        // Litter in /tmp is not worth failing a quit for.
    }
}

} // namespace plainquill::engine::libreoffice
