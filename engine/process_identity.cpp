#include "engine/process_identity.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace plainquill {
namespace {

constexpr int kStartTimeField = 22;

} // namespace

std::string processIdentity(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (pid <= 0 || !std::getline(file, line))
        return {};
    // The command name before the fields may hold spaces and parentheses: read after its last ')'.
    const std::size_t nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos)
        return {};
    std::istringstream fields(line.substr(nameEnd + 1));
    std::string field;
    for (int number = 3; number <= kStartTimeField && fields >> field; ++number) {
        if (number == kStartTimeField)
            return std::to_string(pid) + " " + field;
    }
    return {};
}

bool ownerIsRunning(const std::string& identity)
{
    char* end = nullptr;
    const long pid = std::strtol(identity.c_str(), &end, 10);
    if (pid <= 0 || end == identity.c_str() || *end != ' ')
        return true;
    return processIdentity(static_cast<pid_t>(pid)) == identity;
}

} // namespace plainquill
