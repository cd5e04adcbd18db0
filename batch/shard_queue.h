#pragma once
// A shard's part of the batch queue, and its report over the whole queue.
#include "batch/batch_queue.h"
#include "batch/shard.h"
#include "engine/csv_report.h"

#include <vector>

namespace plainquill::batch {

struct ShardedQueue {
    std::vector<BatchItem> own; // this shard's documents, in queue order, with their global names
    std::vector<int> owners;    // the shard of each document of the whole queue
};

// The documents' sizes now, in queue order (a document that cannot be measured weighs nothing).
std::vector<std::uintmax_t> sizesNow(const std::vector<BatchItem>& whole);

// Splits `whole` by its documents' `sizes`.
ShardedQueue shareOf(const std::vector<BatchItem>& whole, const std::vector<std::uintmax_t>& sizes, Shard shard);

// The shard's report text: `ownRows` (its documents' rows, in queue order) among the whole
// queue's, the others marked as another shard's; `queueIdentity` names the queue file read, if any.
std::string shardReportOf(const std::vector<BatchItem>& whole, const ShardedQueue& sharded, Shard shard,
                          const std::vector<ReportRow>& ownRows, const std::string& queueIdentity);

} // namespace plainquill::batch
