#include "tests/engine/support/processes.h"

#include "tests/engine/support/test_files.h"

#include <filesystem>
#include <string>

namespace plainquill::engine::testing {
namespace {

char process_state(const std::filesystem::path& process_folder)
{
    const std::string stat = read_bytes(process_folder / "stat");
    const std::size_t name_end = stat.rfind(')');
    return name_end == std::string::npos || name_end + 2 >= stat.size() ? '?' : stat[name_end + 2];
}

} // namespace

std::vector<pid_t> living_processes_mentioning(std::string_view text)
{
    std::vector<pid_t> found;
    std::error_code error;
    for (std::filesystem::directory_iterator entry("/proc", error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string command_line = read_bytes(entry->path() / "cmdline");
        if (command_line.find(text) == std::string::npos)
            continue;
        const char state = process_state(entry->path());
        if (state != 'Z' && state != 'X')
            found.push_back(static_cast<pid_t>(std::stol(name)));
    }
    return found;
}

bool process_exists(pid_t pid)
{
    std::error_code error;
    return std::filesystem::exists("/proc/" + std::to_string(pid), error);
}

} // namespace plainquill::engine::testing
