#include "batch/shard.h"

#include "batch/whole_number.h"

#include <algorithm>
#include <numeric>
#include <queue>

namespace plainquill::batch {

std::optional<Shard> parseShard(const std::string& text, std::string& error)
{
    const std::size_t slash = text.find('/');
    const auto index = slash == std::string::npos ? std::nullopt : wholeNumber<int>(text.substr(0, slash));
    const auto count = slash == std::string::npos ? std::nullopt : wholeNumber<int>(text.substr(slash + 1));
    if (!index || !count) {
        error = "--shard takes K/N, two whole numbers (this run's share K of N, counted from 0), not '" + text + "'";
        return std::nullopt;
    }
    if (*count < 1) {
        error = "--shard " + text + ": the number of shards must be at least 1";
        return std::nullopt;
    }
    if (*index < 0 || *index >= *count) {
        error = "--shard " + text + ": shards count from 0, so K must be from 0 to " + std::to_string(*count - 1);
        return std::nullopt;
    }
    return Shard{*index, *count};
}

std::string shardText(Shard shard)
{
    return std::to_string(shard.index) + '/' + std::to_string(shard.count);
}

std::vector<int> assignShards(const std::vector<std::uintmax_t>& sizes, int count)
{
    std::vector<std::size_t> largestFirst(sizes.size());
    std::iota(largestFirst.begin(), largestFirst.end(), std::size_t(0));
    std::stable_sort(largestFirst.begin(), largestFirst.end(),
                     [&](std::size_t a, std::size_t b) { return sizes[a] > sizes[b]; });

    // (work so far, shard): the top is the least loaded shard, the lower one on a tie.
    using Load = std::pair<std::uintmax_t, int>;
    std::priority_queue<Load, std::vector<Load>, std::greater<>> loads;
    for (int shard = 0; shard < count; ++shard)
        loads.emplace(0, shard);

    std::vector<int> owners(sizes.size(), 0);
    for (const std::size_t position : largestFirst) {
        auto [work, shard] = loads.top();
        loads.pop();
        owners[position] = shard;
        loads.emplace(work + sizes[position] + kPerDocumentBytes, shard);
    }
    return owners;
}

} // namespace plainquill::batch
