#pragma once
// The batch command from its parsed options to its exit status: queue, convert with the workers,
// report.
#include "batch/batch_options.h"
#include "batch/pool_names.h"

#include <cstdio>
#include <string>

namespace plainquill::batch {

enum ExitStatus {
    kAllConverted = 0,
    kSomeFailed = 1,
    kUsageError = 2, // also: no LibreOffice, or an output folder that cannot be made
};

struct Console {
    std::FILE* out;    // the summary
    std::FILE* err;    // progress, warnings, failures
    bool errIsTerminal;
    int columns;       // of the terminal, when there is one
};

// `launchers` makes each worker's word processor; the program's main passes LibreOffice's.
int runBatch(const BatchOptions& options, const Console& console, const LauncherFactory& launchers);

// What all the shards of one split have alike and the shards of other splits have not, and so
// may share an output folder by: the number of shards and the queue (its file's identity, or the
// inputs it is made from). Empty for a run that is not a shard, which has its folder alone.
std::string splitOf(const BatchOptions& options, const std::string& queueIdentity);

} // namespace plainquill::batch
