#pragma once
// Looking for processes from the outside, the way a user with `ps` would.
#include <sys/types.h>

#include <string_view>
#include <vector>

namespace plainquill::engine::testing {

// Processes, not zombies, whose command line contains `text`.
std::vector<pid_t> livingProcessesMentioning(std::string_view text);

// True while /proc has an entry for `pid`, zombies included.
bool processExists(pid_t pid);

} // namespace plainquill::engine::testing
