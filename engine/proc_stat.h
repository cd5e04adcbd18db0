#pragma once
// What the kernel says of a process in /proc/<pid>/stat.
#include <sys/types.h>

#include <string>
#include <vector>

namespace plainquill {

// The fields from the third (the state) on, so field n is at index n - 3. The command name
// before them may hold spaces and parentheses, so they are read after its last ')'. Empty when
// the process is gone.
std::vector<std::string> procStatFields(pid_t pid);

} // namespace plainquill
