#include "tests/engine/support/processes.h"

#include "tests/engine/support/test_files.h"

#include <filesystem>
#include <string>

namespace plainquill::engine::testing {
namespace {

char processState(const std::filesystem::path& processFolder)
{
    const std::string stat = readBytes(processFolder / "stat");
    const std::size_t nameEnd = stat.rfind(')');
    return nameEnd == std::string::npos || nameEnd + 2 >= stat.size() ? '?' : stat[nameEnd + 2];
}

} // namespace

std::vector<pid_t> livingProcessesMentioning(std::string_view text)
{
    std::vector<pid_t> found;
    std::error_code error;
    for (std::filesystem::directory_iterator entry("/proc", error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string commandLine = readBytes(entry->path() / "cmdline");
        if (commandLine.find(text) == std::string::npos)
            continue;
        const char state = processState(entry->path());
        if (state != 'Z' && state != 'X')
            found.push_back(static_cast<pid_t>(std::stol(name)));
    }
    return found;
}

bool processExists(pid_t pid)
{
    std::error_code error;
    return std::filesystem::exists("/proc/" + std::to_string(pid), error);
}

} // namespace plainquill::engine::testing
