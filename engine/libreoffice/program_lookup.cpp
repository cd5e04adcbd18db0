#include "engine/libreoffice/program_lookup.h"

#include <unistd.h>

#include <string_view>

namespace plainquill::engine::libreoffice {
namespace {

bool is_executable_file(const std::filesystem::path& candidate)
{
    std::error_code error;
    return std::filesystem::is_regular_file(candidate, error)
        && ::access(candidate.c_str(), X_OK) == 0;
}

} // namespace

std::optional<std::filesystem::path> find_program(const std::string& program,
                                                  const std::string& search_path)
{
    if (program.empty())
        return std::nullopt;
    if (program.find('/') != std::string::npos) {
        if (is_executable_file(program))
            return std::filesystem::path(program);
        return std::nullopt;
    }
    std::string_view rest = search_path;
    while (true) {
        const std::size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        const std::filesystem::path candidate =
            std::filesystem::path(folder.empty() ? "." : std::string(folder)) / program;
        if (is_executable_file(candidate))
            return candidate;
        if (colon == std::string_view::npos)
            return std::nullopt;
        rest.remove_prefix(colon + 1);
    }
}

} // namespace plainquill::engine::libreoffice
