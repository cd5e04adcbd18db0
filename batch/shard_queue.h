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

// Splits `whole` by its documents' sizes now (a document that cannot be measured weighs nothing).
ShardedQueue shareOf(const std::vector<BatchItem>& whole, Shard shard);

// The shard's report text: `ownRows` (its documents' rows, in queue order) among the whole
// queue's, the others marked as another shard's.
std::string shardReportOf(const std::vector<BatchItem>& whole, const ShardedQueue& sharded, Shard shard,
                          const std::vector<ReportRow>& ownRows);

} // namespace plainquill::batch
