#pragma once
// What a run leaves in its output folder's manifest, and the rule a resumed run keeps a text by.
#include "batch/batch_queue.h"
#include "batch/manifest.h"
#include "batch/pool_names.h"

#include <cstdio>
#include <map>
#include <memory>

namespace plainquill::batch {

// True when `item`'s text may be kept: the manifest says it was converted from this very
// document (same path), unchanged since (same size and time), the text is still there and newer
// than the document. A text the manifest does not vouch for is converted again.
bool keepsItsText(const BatchItem& item, const std::filesystem::path& outputFolder, const Manifest& manifest);

// Records in this run's manifest file each document as it is started and as it ends.
class RunRecord {
public:
    // Opens the manifest file with the first line to write. Says on `err` when the manifest cannot
    // be kept; the run goes on without it.
    RunRecord(const std::filesystem::path& outputFolder, const std::optional<Shard>& shard, std::FILE* err);
    ~RunRecord();
    RunRecord(const RunRecord&) = delete;
    RunRecord& operator=(const RunRecord&) = delete;

    // Before any of them is converted: takes each document's size and time as it is now. Then
    // finished, for each, from one thread.
    void started(const std::vector<BatchItem>& queue, const std::vector<std::size_t>& todo);
    void finished(const BatchItem& item, std::size_t position, Status status);

private:
    void append(const std::vector<ManifestLine>& lines, ManifestWriter::Sync sync);

    std::filesystem::path m_outputFolder;
    std::filesystem::path m_file;
    std::FILE* m_err;
    std::unique_ptr<ManifestWriter> m_writer;
    bool m_failed = false; // said on m_err; nothing more is written
    std::map<std::size_t, SourceFacts> m_facts; // by queue position, as they were when started
};

} // namespace plainquill::batch
