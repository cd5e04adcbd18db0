#include "engine/proc_stat.h"

#include <fstream>
#include <sstream>

namespace plainquill {

std::vector<std::string> procStatFields(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(file, line))
        return {};
    const std::size_t nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos)
        return {};
    std::istringstream stream(line.substr(nameEnd + 1));
    std::vector<std::string> fields;
    for (std::string field; stream >> field;)
        fields.push_back(std::move(field));
    return fields;
}

} // namespace plainquill
