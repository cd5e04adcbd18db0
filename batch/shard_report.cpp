#include "batch/shard_report.h"

#include "batch/csv_reader.h"
#include "batch/whole_file.h"
#include "engine/staged_output_file.h"

#include <cstdlib>
#include <map>
#include <set>

namespace plainquill::batch {

namespace fs = std::filesystem;

namespace {

const CsvRecord kShardHeader{"source", "target", "status", "reason", "seconds", "queue", "shard"};
// Before shards named their queue file.
const CsvRecord kOlderShardHeader{"source", "target", "status", "reason", "seconds", "shard"};

struct ShardRows {
    const ShardReportFile* file;
    std::vector<CsvRecord> rows; // without the header
    std::vector<Shard> owners;
    std::string queue; // the identity of the queue file the shard read; empty: none
};

// The report's rows with their owners, or why it is no shard report.
std::optional<ShardRows> readShardRows(const ShardReportFile& file, std::string& problem)
{
    const std::string name = file.path.string();
    auto records = readCsv(*file.text);
    if (!records || records->empty() || (records->front() != kShardHeader && records->front() != kOlderShardHeader)) {
        problem = name + " is not a shard's report (written by --shard with --report)";
        return std::nullopt;
    }
    const std::size_t columns = records->front().size();
    ShardRows shard{&file, {records->begin() + 1, records->end()}, {}, {}};
    for (const CsvRecord& row : shard.rows) {
        std::string ignored;
        const auto owner = row.size() == columns ? parseShard(row.back(), ignored) : std::nullopt;
        const std::string queue = columns == kShardHeader.size() && owner ? row[5] : std::string();
        if (!owner || (&row != &shard.rows.front() && queue != shard.queue)) {
            problem = name + " has a damaged row";
            return std::nullopt;
        }
        shard.owners.push_back(*owner);
        shard.queue = queue;
    }
    return shard;
}

// Why `b` cannot be merged with `a`, or nothing: both must list the same queue split the same way.
std::optional<std::string> differentQueues(const ShardRows& a, const ShardRows& b)
{
    const std::string which = a.file->path.string() + " and " + b.file->path.string();
    if (a.queue != b.queue)
        return which + " read different queue files (" + (a.queue.empty() ? "none" : a.queue) + " and "
             + (b.queue.empty() ? "none" : b.queue) + "): submit every task again with one queue";
    if (a.rows.size() != b.rows.size())
        return which + " list different queues (" + std::to_string(a.rows.size()) + " and "
             + std::to_string(b.rows.size()) + " documents)";
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        if (a.rows[i][0] != b.rows[i][0] || a.rows[i][1] != b.rows[i][1])
            return which + " list different queues (row " + std::to_string(i + 1) + ")";
        if (a.owners[i].count != b.owners[i].count)
            return which + " were split into different numbers of shards";
    }
    return std::nullopt;
}

bool succeeded(const std::string& status)
{
    return status == "converted" || status == "skipped";
}

MergeResult unusable(std::vector<std::string> problems)
{
    return {2, {}, std::move(problems)};
}

// Reads `reports` into `shards`, with a problem for each report missing; the verdict when they
// cannot be merged at all.
std::optional<MergeResult> readShards(const std::vector<ShardReportFile>& reports, std::vector<ShardRows>& shards,
                                      std::vector<std::string>& problems)
{
    for (const ShardReportFile& file : reports) {
        if (!file.text) {
            problems.push_back("no report " + file.path.string() + " (" + file.readError + ")");
            continue;
        }
        std::string problem;
        if (auto rows = readShardRows(file, problem))
            shards.push_back(std::move(*rows));
        else
            return unusable({problem});
    }
    if (shards.empty())
        return unusable(problems.empty() ? std::vector<std::string>{"no shard reports to merge"} : problems);
    for (std::size_t s = 1; s < shards.size(); ++s)
        if (auto problem = differentQueues(shards.front(), shards[s]))
            return unusable({*problem});
    return std::nullopt;
}

struct MergedRows {
    std::vector<ReportRow> rows;
    std::set<int> reported;                // shards that reported any document
    std::map<int, std::size_t> unreported; // shard -> documents nobody reported
    std::vector<std::string> failures;     // a line for each document that did not convert
};

// The whole queue's rows from the shards' reports of one queue.
MergedRows mergeRows(const std::vector<ShardRows>& shards)
{
    // A shard given twice (a task that ran again) counts as it was reported last.
    MergedRows merged;
    const ShardRows& first = shards.front();
    for (std::size_t i = 0; i < first.rows.size(); ++i) {
        const CsvRecord* row = nullptr;
        for (const ShardRows& shard : shards) {
            if (shard.rows[i][2] != kAnotherShard) {
                row = &shard.rows[i];
                merged.reported.insert(shard.owners[i].index);
            }
        }
        const Shard owner = first.owners[i];
        if (!row) {
            ++merged.unreported[owner.index];
            merged.rows.push_back({first.rows[i][0], first.rows[i][1], "not done",
                                   "shard " + shardText(owner) + " did not report it", 0});
            continue;
        }
        if (!succeeded((*row)[2]))
            merged.failures.push_back("  " + (*row)[0] + ": " + (*row)[2]
                                      + ((*row)[3].empty() ? "" : " (" + (*row)[3] + ")"));
        merged.rows.push_back({(*row)[0], (*row)[1], (*row)[2], (*row)[3], std::strtod((*row)[4].c_str(), nullptr)});
    }
    return merged;
}

std::string documents(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " document" : " documents");
}

// The shards that did not report every document, as sbatch --array (and submit.sh IDS) take them.
std::string tasksToSubmitAgain(const MergedRows& merged)
{
    std::string ids;
    for (const auto& entry : merged.unreported)
        ids += (ids.empty() ? "" : ",") + std::to_string(entry.first);
    return ids;
}

// Adds to `problems` why the merged report of `count` shards is not complete, if it is not.
void noteGaps(const MergedRows& merged, int count, std::vector<std::string>& problems)
{
    for (const auto& [index, unreported] : merged.unreported)
        problems.push_back("shard " + shardText({index, count}) + " did not report " + documents(unreported)
                           + (merged.reported.contains(index) ? ""
                                                              : ": its report is missing; submit that task again"));
    if (!merged.unreported.empty()) {
        const std::string ids = tasksToSubmitAgain(merged);
        problems.push_back("submit tasks " + ids + " again (scripts/slurm/submit.sh INPUT OUTPUT "
                           + std::to_string(count) + " " + ids + ", or sbatch --array=" + ids + ")");
    }
    if (!merged.failures.empty()) {
        problems.push_back(std::to_string(merged.failures.size()) + " of " + documents(merged.rows.size())
                           + (merged.failures.size() == 1 ? " was" : " were") + " not converted:");
        problems.insert(problems.end(), merged.failures.begin(), merged.failures.end());
    }
}

} // namespace

std::string shardReport(const std::vector<ReportRow>& rows, const std::vector<int>& owners, int count,
                        const std::string& queueIdentity)
{
    std::string text = "source,target,status,reason,seconds,queue,shard\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        // One row as csvReport writes it, past its header line and without its line end.
        const std::string one = csvReport({rows[i]});
        const std::size_t begin = one.find('\n') + 1;
        text += one.substr(begin, one.size() - begin - 1) + ',' + csvField(queueIdentity) + ','
              + shardText({owners[i], count}) + '\n';
    }
    return text;
}

MergeResult mergeShardReports(const std::vector<ShardReportFile>& reports)
{
    std::vector<std::string> problems;
    std::vector<ShardRows> shards;
    if (std::optional<MergeResult> verdict = readShards(reports, shards, problems))
        return std::move(*verdict);
    const MergedRows merged = mergeRows(shards);
    const ShardRows& first = shards.front();
    noteGaps(merged, first.rows.empty() ? 0 : first.owners.front().count, problems);
    const bool complete = problems.empty();
    return {complete ? 0 : 1, csvReport(merged.rows), std::move(problems)};
}

int mergeReportFiles(const fs::path& out, const std::vector<fs::path>& shards, std::FILE* err)
{
    std::vector<ShardReportFile> files;
    for (const fs::path& path : shards) {
        ShardReportFile file{path, readWholeFile(path), {}};
        if (!file.text) {
            std::error_code error;
            file.readError = fs::exists(path, error) ? "cannot be read" : "no such file";
        }
        files.push_back(std::move(file));
    }
    const MergeResult result = mergeShardReports(files);
    for (const std::string& problem : result.problems)
        std::fprintf(err, "%s%s\n", problem.starts_with("  ") ? "" : "plainquill-batch: ", problem.c_str());
    if (result.exitStatus == 2)
        return 2;
    try {
        writeWholeFile(out, result.report);
    } catch (const std::exception& error) {
        std::fprintf(err, "plainquill-batch: cannot write the report %s: %s\n", out.string().c_str(), error.what());
        return 1;
    }
    return result.exitStatus;
}

} // namespace plainquill::batch
