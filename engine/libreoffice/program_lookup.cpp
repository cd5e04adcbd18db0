#include "engine/libreoffice/program_lookup.h"

#include <unistd.h>

#include <string_view>

namespace plainquill::engine::libreoffice {
namespace {

bool isExecutableFile(const std::filesystem::path& candidate)
{
    std::error_code error;
    return std::filesystem::is_regular_file(candidate, error)
        && ::access(candidate.c_str(), X_OK) == 0;
}

} // namespace

std::optional<std::filesystem::path> findProgram(const std::string& program,
                                                 const std::string& searchPath)
{
    if (program.empty())
        return std::nullopt;
    if (program.find('/') != std::string::npos) {
        if (isExecutableFile(program))
            return std::filesystem::path(program);
        return std::nullopt;
    }
    std::string_view rest = searchPath;
    while (true) {
        const std::size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        const std::filesystem::path candidate =
            std::filesystem::path(folder.empty() ? "." : std::string(folder)) / program;
        if (isExecutableFile(candidate))
            return candidate;
        if (colon == std::string_view::npos)
            return std::nullopt;
        rest.remove_prefix(colon + 1);
    }
}

} // namespace plainquill::engine::libreoffice
