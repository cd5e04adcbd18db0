#include "batch/shard_queue.h"

#include "batch/shard_report.h"

namespace plainquill::batch {

std::vector<std::uintmax_t> sizesNow(const std::vector<BatchItem>& whole)
{
    std::vector<std::uintmax_t> sizes;
    sizes.reserve(whole.size());
    for (const BatchItem& item : whole) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(item.source, error);
        sizes.push_back(error ? 0 : size);
    }
    return sizes;
}

ShardedQueue shareOf(const std::vector<BatchItem>& whole, const std::vector<std::uintmax_t>& sizes, Shard shard)
{
    ShardedQueue sharded{{}, assignShards(sizes, shard.count)};
    for (std::size_t i = 0; i < whole.size(); ++i)
        if (sharded.owners[i] == shard.index)
            sharded.own.push_back(whole[i]);
    return sharded;
}

std::string shardReportOf(const std::vector<BatchItem>& whole, const ShardedQueue& sharded, Shard shard,
                          const std::vector<ReportRow>& ownRows, const std::string& queueIdentity)
{
    std::vector<ReportRow> rows;
    rows.reserve(whole.size());
    auto own = ownRows.begin();
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (sharded.owners[i] == shard.index && own != ownRows.end())
            rows.push_back(*own++);
        else
            rows.push_back({whole[i].source.native(), whole[i].target.native(), kAnotherShard, {}, 0});
    }
    return shardReport(rows, sharded.owners, shard.count, queueIdentity);
}

} // namespace plainquill::batch
