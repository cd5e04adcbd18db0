#pragma once
// A shard's report, and the merge of every shard's report into the one report a single run over
// the whole queue would have written.
//
// A shard's report lists the whole queue, in queue order, with two more columns: the queue file
// the shard read (its identity; empty when it built the queue itself) and the shard that owns
// each document ("K/N"). Its own documents carry their outcome; the others read "another
// shard". So the merge can put the rows back in queue order, and can tell which shard is missing
// from the documents nobody reported, even when that shard never wrote anything.
#include "batch/shard.h"
#include "engine/csv_report.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plainquill::batch {

inline constexpr const char* kAnotherShard = "another shard";

// `rows` is the whole queue; `owners` the shard of each row, as assignShards gave it.
std::string shardReport(const std::vector<ReportRow>& rows, const std::vector<int>& owners, int count,
                        const std::string& queueIdentity = {});

struct MergeResult {
    int exitStatus = 0;           // 0, 1 or 2, as the run over the whole queue would have ended
    std::string report;           // the merged CSV; empty when exitStatus is 2
    std::vector<std::string> problems; // why, one line each: missing shards, failures, unusable reports
};

struct ShardReportFile {
    std::filesystem::path path;
    std::optional<std::string> text; // nullopt: it could not be read
    std::string readError;
};

MergeResult mergeShardReports(const std::vector<ShardReportFile>& reports);

// `--merge-reports OUT SHARD...`: reads the shards' reports, writes the merged one, tells what is
// missing or failed on `err`; returns the exit status.
int mergeReportFiles(const std::filesystem::path& out, const std::vector<std::filesystem::path>& shards,
                     std::FILE* err);

} // namespace plainquill::batch
