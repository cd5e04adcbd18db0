#include "batch/batch_command.h"

#include "batch/batch_queue.h"
#include "batch/progress_display.h"
#include "batch/run_summary.h"
#include "batch/shard_queue.h"
#include "batch/stop_signals.h"
#include "engine/csv_report.h"
#include "engine/libreoffice/libreoffice_launcher.h"
#include "engine/libreoffice/program_lookup.h"
#include "engine/native_path.h"

#include <optional>

namespace plainquill::batch {

namespace fs = std::filesystem;

namespace {

constexpr auto kRefreshInterval = std::chrono::milliseconds(100);

std::string shown(const fs::path& path)
{
    return displayText(path).toStdString();
}

// Why the run cannot begin, or nothing.
std::optional<std::string> checkSetUp(const BatchOptions& options)
{
    if (!engine::libreoffice::findProgram(options.libreOffice, engine::defaultLibreOfficeSearchPath()))
        return "LibreOffice (" + options.libreOffice + ") was not found: install LibreOffice Writer (on Debian the "
               "package libreoffice-writer-nogui) or name its soffice with --libreoffice";
    std::error_code error;
    fs::create_directories(options.outputFolder, error);
    if (!fs::is_directory(options.outputFolder))
        return "cannot make the output folder " + shown(options.outputFolder)
             + (error ? ": " + error.message() : ": a file of that name is in the way");
    if (!options.reportFile.empty()) {
        const fs::path folder = options.reportFile.parent_path();
        if (!folder.empty() && !fs::is_directory(folder))
            return "cannot write the report " + shown(options.reportFile) + ": no folder " + shown(folder);
    }
    return std::nullopt;
}

// True when `item`'s text is already newer than its document.
bool upToDate(const BatchItem& item)
{
    std::error_code error;
    const auto target = fs::last_write_time(item.target, error);
    if (error)
        return false;
    const auto source = fs::last_write_time(item.source, error);
    return !error && target > source;
}

// The positions to convert; the others are marked skipped in `results`.
std::vector<std::size_t> positionsToConvert(const std::vector<BatchItem>& queue, bool skipExisting,
                                            std::vector<ItemResult>& results)
{
    std::vector<std::size_t> todo;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        if (skipExisting && upToDate(queue[i]))
            results[i] = {Status::Skipped, engine::Failure::None, "its text file is newer than it", {}, 0};
        else
            todo.push_back(i);
    }
    return todo;
}

// Sub-folders of the output folder that --keep-tree needs.
void makeTargetFolders(const std::vector<BatchItem>& queue, const std::vector<std::size_t>& todo)
{
    std::error_code ignored; // a folder that cannot be made fails its documents' saves, with the reason
    for (const std::size_t position : todo)
        fs::create_directories(queue[position].target.parent_path(), ignored);
}

ProgressMode progressMode(const BatchOptions& options, const Console& console)
{
    if (options.quiet)
        return ProgressMode::Quiet;
    return console.errIsTerminal ? ProgressMode::Bar : ProgressMode::Lines;
}

// The documents the inputs name, in queue order, each with the text file it becomes.
std::vector<BatchItem> wholeQueue(const BatchOptions& options, const Console& console)
{
    return buildQueue(
        {options.inputs, options.recursive, options.keepTree ? Layout::KeepTree : Layout::Flat, options.outputFolder},
        [&](const fs::path& folder) {
            std::fprintf(console.err, "plainquill-batch: warning: cannot read the folder %s; skipped\n",
                         shown(folder).c_str());
        });
}

void showFinished(WorkerPool& pool, const std::vector<BatchItem>& queue, ProgressDisplay& progress)
{
    for (const std::size_t position : pool.takeFinished())
        progress.documentFinished(queue[position], pool.result(position));
}

// Converts the `todo` positions of `queue` with the workers into `results`, showing the progress;
// a stop signal, even one that came before, ends the workers at once.
RunFigures convert(const std::vector<BatchItem>& queue, const std::vector<std::size_t>& todo,
                   const BatchOptions& options, const Console& console, const LauncherFactory& launchers,
                   StopSignals& stopSignals, std::vector<ItemResult>& results)
{
    const auto started = std::chrono::steady_clock::now();
    ProgressDisplay progress(progressMode(options, console), console.err, todo.size(), console.columns);
    int stopSignal = stopSignals.wait(std::chrono::milliseconds(0));
    WorkerPool pool(queue, todo, options.workers, launchers);
    if (stopSignal != 0)
        pool.interrupt();
    while (!pool.finished()) {
        int signal = stopSignals.wait(kRefreshInterval);
        // Nobody reads the progress any more: without a report the run would go on unseen, so it
        // stops as the signal would have stopped it; with one, the report tells the outcome.
        if (signal == 0 && progress.pipeBroken() && options.reportFile.empty())
            signal = SIGPIPE;
        if (signal != 0 && stopSignal == 0) {
            stopSignal = signal;
            pool.interrupt();
        }
        showFinished(pool, queue, progress);
        progress.refresh(pool.inHand());
    }
    pool.join();
    showFinished(pool, queue, progress);
    progress.clear();
    for (const std::size_t position : todo)
        results[position] = pool.result(position);
    return {pool.workerTimes(), pool.anyWorkerStarted(), pool.startFailure(), stopSignal,
            std::chrono::steady_clock::now() - started};
}

// Writes the report and prints what the options ask for; the run's exit status.
int tellOutcome(const RunSummary& summary, const BatchOptions& options, const Console& console,
                const RunSummary::ReportFormat& format)
{
    const bool reported = options.reportFile.empty() || summary.writeReport(options.reportFile, console.err, format);
    summary.printFailures(console.err, options.verbose);
    if (!options.quiet)
        summary.print(console.out);
    if (options.timings)
        summary.printTimings(console.err);
    // A report asked for and not written is a failure of the run, however the documents went.
    const int status = summary.exitStatus();
    return status == kAllConverted && !reported ? kSomeFailed : status;
}

} // namespace

int runBatch(const BatchOptions& options, const Console& console, const LauncherFactory& launchers)
{
    // Before any thread starts, so that all of them leave the two signals to us.
    StopSignals stopSignals;
    if (const auto problem = checkSetUp(options)) {
        std::fprintf(console.err, "plainquill-batch: %s\n", problem->c_str());
        return kUsageError;
    }

    const std::vector<BatchItem> whole = wholeQueue(options, console);
    // Names come from the whole queue; a shard then keeps its own documents only.
    const ShardedQueue sharded = options.shard ? shareOf(whole, *options.shard) : ShardedQueue{whole, {}};
    const std::vector<BatchItem>& queue = sharded.own;
    std::vector<ItemResult> results(queue.size());
    const std::vector<std::size_t> todo = positionsToConvert(queue, options.skipExisting, results);
    makeTargetFolders(queue, todo);
    const RunFigures figures = convert(queue, todo, options, console, launchers, stopSignals, results);

    RunSummary::ReportFormat format;
    if (options.shard)
        format = [&](const std::vector<ReportRow>& own) { return shardReportOf(whole, sharded, *options.shard, own); };
    return tellOutcome(RunSummary(queue, results, figures), options, console, format);
}

} // namespace plainquill::batch
