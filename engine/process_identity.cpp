#include "engine/process_identity.h"

#include "engine/proc_stat.h"

#include <cstdlib>

namespace plainquill {
namespace {

constexpr int kStartTimeField = 22;

} // namespace

std::string processIdentity(pid_t pid)
{
    if (pid <= 0)
        return {};
    const std::vector<std::string> fields = procStatFields(pid);
    const std::size_t startTime = kStartTimeField - 3;
    return fields.size() > startTime ? std::to_string(pid) + " " + fields[startTime] : std::string();
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
