#pragma once
// What the batch tells at its end: the summary, each failure with its reason, the CSV report,
// where the workers' time went, and the exit status that sums it up.
#include "batch/batch_queue.h"
#include "batch/pool_names.h"
#include "engine/csv_report.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace plainquill::batch {

struct RunFigures {
    std::vector<WorkerTimes> workers;
    bool anyWorkerStarted = false;
    std::optional<engine::StartFailure> startFailure;
    int stopSignal = 0; // the signal that stopped the run, or 0
    SessionTimes::Duration wall{};
};

class RunSummary {
public:
    RunSummary(const std::vector<BatchItem>& queue, const std::vector<ItemResult>& results, RunFigures figures);

    // 0 all converted or up to date, 1 some failed, 2 no LibreOffice would start, 128 + the signal
    // that stopped the run.
    int exitStatus() const;

    void print(std::FILE* out) const;
    // Each failure with its reason in plain words; `verbose` adds the raw details behind it.
    void printFailures(std::FILE* err, bool verbose = false) const;
    void printTimings(std::FILE* err) const;
    // False, having said why on `err`, when the report cannot be written. `format` turns the rows
    // into the file's text; csvReport when empty.
    using ReportFormat = std::function<std::string(const std::vector<ReportRow>&)>;
    bool writeReport(const std::filesystem::path& file, std::FILE* err, const ReportFormat& format = {}) const;

private:
    std::size_t count(Status status) const;
    bool noWordProcessor() const;

    const std::vector<BatchItem>& m_queue;
    const std::vector<ItemResult>& m_results;
    RunFigures m_figures;
};

} // namespace plainquill::batch
