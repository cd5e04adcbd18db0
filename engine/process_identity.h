#pragma once
// One process for good: its id with the time it started (field 22 of /proc/<pid>/stat). An id
// alone is handed to a new process once the old one has ended; the pair never is. Files and
// folders a run leaves behind carry their owner's identity, so a later run can tell whether
// the owner is still at work or gone.
#include <sys/types.h>

#include <string>

namespace plainquill {

// "<pid> <start time>", or empty when no such process is running.
std::string processIdentity(pid_t pid);

// True when `identity` (as processIdentity gave it) names a process that is still running.
// An identity that cannot be read is taken for a live one: only a known owner is judged gone.
bool ownerIsRunning(const std::string& identity);

} // namespace plainquill
