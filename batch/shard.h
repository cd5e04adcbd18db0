#pragma once
// One share of a queue split between N runs on N machines (the tasks of a cluster's job array).
// Every run builds the whole queue and names every text file itself, so the shares need no
// coordination: each works out, from the same queue, which documents are its own.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plainquill::batch {

// Shards count from 0, as a job array's task ids do with --array=0-(N-1).
struct Shard {
    int index = 0;
    int count = 1;
};

// "K/N" with 0 <= K < N; nullopt, with `error` saying why, otherwise.
std::optional<Shard> parseShard(const std::string& text, std::string& error);

// "K/N"
std::string shardText(Shard shard);

// The shard that converts each document, given the documents' sizes in queue order. The largest
// documents are dealt first, each to the shard with the least work so far (ties: the lower
// shard), where a document's work is its size plus a fixed cost for opening and closing it, so
// that many small files spread out too. The same sizes always give the same shares.
std::vector<int> assignShards(const std::vector<std::uintmax_t>& sizes, int count);

// What each document costs its shard beyond its bytes: LibreOffice's opening and closing of it.
constexpr std::uintmax_t kPerDocumentBytes = 64 * 1024;

} // namespace plainquill::batch
