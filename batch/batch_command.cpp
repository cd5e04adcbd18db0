#include "batch/batch_command.h"

#include "batch/batch_queue.h"
#include "batch/progress_display.h"
#include "batch/queue_file.h"
#include "batch/resume.h"
#include "batch/run_summary.h"
#include "batch/shard_queue.h"
#include "batch/stop_signals.h"
#include "engine/csv_report.h"
#include "engine/libreoffice/libreoffice_launcher.h"
#include "engine/libreoffice/program_lookup.h"
#include "engine/native_path.h"
#include "engine/output_folder_lock.h"
#include "engine/scope_exit.h"
#include "engine/staged_output_file.h"

#include <optional>

namespace plainquill::batch {

namespace fs = std::filesystem;

namespace {

constexpr auto kRefreshInterval = std::chrono::milliseconds(100);

std::string shown(const fs::path& path)
{
    return displayText(path).toStdString();
}

// Why the run cannot begin, or nothing. Nothing is made or started before it is asked: a mistyped
// command line leaves no trace.
std::optional<std::string> checkSetUp(const BatchOptions& options)
{
    if (!engine::libreoffice::findProgram(options.libreOffice, engine::defaultLibreOfficeSearchPath()))
        return "LibreOffice (" + options.libreOffice + ") was not found: install LibreOffice Writer (on Debian the "
               "package libreoffice-writer-nogui) or name its soffice with --libreoffice";
    for (const fs::path& input : options.inputs) {
        std::error_code error;
        if (!fs::exists(input, error))
            return "no such file or folder: " + shown(input);
    }
    if (!options.reportFile.empty()) {
        const fs::path folder = options.reportFile.parent_path();
        if (!folder.empty() && !fs::is_directory(folder))
            return "cannot write the report " + shown(options.reportFile) + ": no folder " + shown(folder);
    }
    return std::nullopt;
}

std::optional<std::string> makeOutputFolder(const BatchOptions& options)
{
    std::error_code error;
    fs::create_directories(options.outputFolder, error);
    if (!fs::is_directory(options.outputFolder))
        return "cannot make the output folder " + shown(options.outputFolder)
             + (error ? ": " + error.message() : ": a file of that name is in the way");
    return std::nullopt;
}

// The positions to convert; the others are marked skipped in `results`.
std::vector<std::size_t> positionsToConvert(const std::vector<BatchItem>& queue, const BatchOptions& options,
                                            std::vector<ItemResult>& results)
{
    const Manifest manifest = options.skipExisting ? readManifests(options.outputFolder) : Manifest{};
    std::vector<std::size_t> todo;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        if (options.skipExisting && keepsItsText(queue[i], options.outputFolder, manifest))
            results[i] = {Status::Skipped, engine::Failure::None, "converted before from this document, unchanged",
                          {}, 0};
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
        {options.inputs, options.recursive, options.keepTree ? Layout::KeepTree : Layout::Flat, options.outputFolder,
         options.endings},
        [&](const fs::path& folder) {
            std::fprintf(console.err, "plainquill-batch: warning: cannot read the folder %s; skipped\n",
                         shown(folder).c_str());
        });
}

void showFinished(WorkerPool& pool, const std::vector<BatchItem>& queue, ProgressDisplay& progress, RunRecord& record)
{
    for (const std::size_t position : pool.takeFinished()) {
        record.finished(queue[position], position, pool.result(position).status);
        progress.documentFinished(queue[position], pool.result(position));
    }
}

// Converts the `todo` positions of `queue` with the workers into `results`, showing the progress;
// a stop signal, even one that came before, ends the workers at once.
RunFigures convert(const std::vector<BatchItem>& queue, const std::vector<std::size_t>& todo,
                   const BatchOptions& options, const Console& console, const LauncherFactory& launchers,
                   StopSignals& stopSignals, RunRecord& record, std::vector<ItemResult>& results)
{
    const auto started = std::chrono::steady_clock::now();
    ProgressDisplay progress(progressMode(options, console), console.err, todo.size(), console.columns);
    int stopSignal = stopSignals.wait(std::chrono::milliseconds(0));
    // The manifest tells of a run only once a document is converted or refused: a LibreOffice that
    // never starts for the first leaves the output folder as it was.
    WorkerPool pool(queue, todo, options.workers, launchers, [&] { record.started(queue, todo); });
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
        showFinished(pool, queue, progress, record);
        progress.refresh(pool.inHand());
    }
    pool.join();
    showFinished(pool, queue, progress, record);
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

// The queue a run works on: its documents, how they were measured for sharing, and the queue
// file they came from.
struct RunQueue {
    std::vector<BatchItem> whole;
    std::vector<std::uintmax_t> sizes;
    std::string identity; // of the queue file; empty when built from the inputs
};

// Says on the console which of this run's documents changed size since the queue file was written.
void noteChangedSizes(const RunQueue& queue, const ShardedQueue& sharded, const std::optional<Shard>& shard,
                      const Console& console)
{
    for (std::size_t i = 0; i < queue.whole.size(); ++i) {
        if (shard && sharded.owners[i] != shard->index)
            continue;
        const auto now = sourceFacts(queue.whole[i].source);
        if (now && now->size != queue.sizes[i])
            std::fprintf(console.err,
                         "plainquill-batch: warning: %s changed size since the queue was written (%ju bytes then, "
                         "%ju now); converted anyway\n",
                         shown(queue.whole[i].source).c_str(), queue.sizes[i], now->size);
    }
}

RunQueue listedQueue(const BatchOptions& options, const Console& console)
{
    std::vector<BatchItem> whole = wholeQueue(options, console);
    std::vector<std::uintmax_t> sizes = sizesNow(whole);
    return RunQueue{std::move(whole), std::move(sizes), {}};
}

std::optional<RunQueue> queueFromFile(const BatchOptions& options, const Console& console)
{
    std::string error;
    auto file = readQueueFile(options.queueFile, options.outputFolder, error);
    if (!file) {
        std::fprintf(console.err, "plainquill-batch: the queue %s %s\n", shown(options.queueFile).c_str(),
                     error.c_str());
        return std::nullopt;
    }
    return RunQueue{std::move(file->items), std::move(file->sizes), std::move(file->identity)};
}

// --write-queue: the queue a run would convert, written for other runs to read.
int writeQueueFile(const BatchOptions& options, const Console& console)
{
    const std::vector<BatchItem> whole = wholeQueue(options, console);
    try {
        writeWholeFile(options.writeQueue, queueFileText(whole, options.outputFolder));
    } catch (const std::exception& error) {
        std::fprintf(console.err, "plainquill-batch: cannot write the queue %s: %s\n",
                     shown(options.writeQueue).c_str(), error.what());
        return kUsageError;
    }
    if (!options.quiet)
        std::fprintf(console.out, "%zu documents queued in %s\n", whole.size(), shown(options.writeQueue).c_str());
    return kAllConverted;
}

// How a run turned away from the folder is told who has it.
std::string describedForOthers(const BatchOptions& options)
{
    return options.shard ? "plainquill-batch --shard " + std::to_string(options.shard->index) + "/"
                               + std::to_string(options.shard->count)
                         : std::string("plainquill-batch");
}

} // namespace

std::string splitOf(const BatchOptions& options, const std::string& queueIdentity)
{
    if (!options.shard)
        return {};
    std::string split = "shards " + std::to_string(options.shard->count) + " of ";
    if (!queueIdentity.empty())
        return split + "queue " + queueIdentity;
    split += options.recursive ? "-r " : "";
    split += options.keepTree ? "--keep-tree " : "";
    for (const fs::path& input : options.inputs) {
        std::error_code ignored;
        split += fs::absolute(input, ignored).string() + ' ';
    }
    return split;
}

int runBatch(const BatchOptions& options, const Console& console, const LauncherFactory& launchers)
{
    // Before any thread starts, so that all of them leave the two signals to us.
    StopSignals stopSignals;
    // What is still buffered for standard output or error is written while a broken pipe's signal
    // is still caught: written at the program's exit, it would kill a finished run with SIGPIPE.
    const ScopeExit flushed([&] {
        std::fflush(console.out);
        std::fflush(console.err);
    });
    if (!options.writeQueue.empty())
        return writeQueueFile(options, console);
    std::optional<std::string> problem = checkSetUp(options);
    // A queue file is read before anything is made: one that is missing or no queue leaves nothing.
    std::optional<RunQueue> run;
    if (!problem && !options.queueFile.empty() && !(run = queueFromFile(options, console)))
        return kUsageError;
    if (!problem)
        problem = makeOutputFolder(options);
    std::string holder;
    std::optional<OutputFolderLock> folderLock;
    if (!problem && !(folderLock = OutputFolderLock::take(options.outputFolder, splitOf(options, run ? run->identity : ""),
                                                          describedForOthers(options), holder)))
        problem = "the output folder " + shown(options.outputFolder) + " is in use by " + holder
                + "; wait for that run to end, or choose another output folder";
    if (problem) {
        std::fprintf(console.err, "plainquill-batch: %s\n", problem->c_str());
        return kUsageError;
    }
    if (!run)
        run = listedQueue(options, console);
    // Names come from the whole queue; a shard then keeps its own documents only.
    const ShardedQueue sharded = options.shard ? shareOf(run->whole, run->sizes, *options.shard)
                                               : ShardedQueue{run->whole, {}};
    const std::vector<BatchItem>& queue = sharded.own;
    if (!options.queueFile.empty())
        noteChangedSizes(*run, sharded, options.shard, console);
    std::vector<ItemResult> results(queue.size());
    const std::vector<std::size_t> todo = positionsToConvert(queue, options, results);
    RunRecord record(options.outputFolder, options.shard, console.err);
    makeTargetFolders(queue, todo);
    const RunFigures figures = convert(queue, todo, options, console, launchers, stopSignals, record, results);

    RunSummary::ReportFormat format;
    if (options.shard)
        format = [&](const std::vector<ReportRow>& own) {
            return shardReportOf(run->whole, sharded, *options.shard, own, run->identity);
        };
    return tellOutcome(RunSummary(queue, results, figures), options, console, format);
}

} // namespace plainquill::batch
