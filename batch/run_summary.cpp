#include "batch/run_summary.h"

#include "batch/batch_command.h"
#include "engine/csv_report.h"
#include "engine/native_path.h"
#include "engine/output_names.h"
#include "engine/staged_output_file.h"

#include <algorithm>

namespace plainquill::batch {

namespace {

// Lists at most this many documents under a note; the rest are counted.
constexpr std::size_t kListed = 20;

// The note for a converted document that holds no text, in the report and the summary.
constexpr const char* kNoTextNote =
    "no text: only pictures, charts or objects, or text only in parts not asked for (headers, footers, comments)";

std::string shown(const std::filesystem::path& path)
{
    return displayText(path).toStdString();
}

const char* statusWord(Status status)
{
    switch (status) {
    case Status::Converted: return "converted";
    case Status::Skipped: return "skipped";
    case Status::Failed: return "failed";
    case Status::NotDone: return "not done";
    case Status::Pending: break;
    }
    return "not done";
}

std::string counted(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

// How many `lines` there are, what they are (`one`, or `many`), a colon, and the first kListed
// of them indented below.
void printListed(std::FILE* out, const std::vector<std::string>& lines, const char* one, const char* many)
{
    if (lines.empty())
        return;
    std::fprintf(out, "%s:\n", counted(lines.size(), one, many).c_str());
    for (std::size_t n = 0; n < lines.size() && n < kListed; ++n)
        std::fprintf(out, "  %s\n", lines[n].c_str());
    if (lines.size() > kListed)
        std::fprintf(out, "  ... and %zu more\n", lines.size() - kListed);
}

double seconds(SessionTimes::Duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

} // namespace

RunSummary::RunSummary(const std::vector<BatchItem>& queue, const std::vector<ItemResult>& results, RunFigures figures)
    : m_queue(queue), m_results(results), m_figures(std::move(figures))
{
}

std::size_t RunSummary::count(Status status) const
{
    return std::size_t(std::count_if(m_results.begin(), m_results.end(),
                                     [status](const ItemResult& result) { return result.status == status; }));
}

bool RunSummary::noWordProcessor() const
{
    return m_figures.stopSignal == 0 && !m_figures.anyWorkerStarted && count(Status::NotDone) > 0;
}

int RunSummary::exitStatus() const
{
    if (m_figures.stopSignal != 0)
        return 128 + m_figures.stopSignal;
    if (noWordProcessor())
        return kUsageError;
    return count(Status::Failed) + count(Status::NotDone) > 0 ? kSomeFailed : kAllConverted;
}

void RunSummary::printFailures(std::FILE* err, bool verbose) const
{
    if (noWordProcessor()) {
        const engine::StartFailure why = m_figures.startFailure.value_or(engine::StartFailure{});
        std::fprintf(err, "plainquill-batch: LibreOffice could not be started: %s\n",
                     why.reason.empty() ? "it did not answer" : why.reason.c_str());
        if (verbose && !why.rawDetail.empty())
            std::fprintf(err, "  details: %s\n", why.rawDetail.c_str());
    }
    const std::size_t failed = count(Status::Failed);
    if (failed == 0)
        return;
    std::fprintf(err, "plainquill-batch: %zu of %s could not be converted:\n", failed,
                 counted(m_queue.size() - count(Status::Skipped), "document", "documents").c_str());
    for (std::size_t i = 0; i < m_queue.size(); ++i) {
        const ItemResult& result = m_results[i];
        if (result.status != Status::Failed)
            continue;
        std::fprintf(err, "  %s: %s", shown(m_queue[i].source).c_str(), engine::describe(result.failure).c_str());
        if (!result.reason.empty())
            std::fprintf(err, " (%s)", result.reason.c_str());
        std::fputc('\n', err);
        // Not labelled as LibreOffice's: the details may be the system's or this program's own.
        if (verbose && !result.rawDetail.empty())
            std::fprintf(err, "    details: %s\n", result.rawDetail.c_str());
    }
}

void RunSummary::print(std::FILE* out) const
{
    const std::size_t converted = count(Status::Converted);
    std::fprintf(out, "%zu of %s converted in %.1f s", converted,
                 counted(m_queue.size(), "document", "documents").c_str(), seconds(m_figures.wall));
    const std::size_t skipped = count(Status::Skipped);
    const std::size_t failed = count(Status::Failed);
    const std::size_t notDone = count(Status::NotDone);
    if (skipped > 0)
        std::fprintf(out, ", %zu skipped as up to date", skipped);
    if (failed > 0)
        std::fprintf(out, ", %zu failed", failed);
    if (notDone > 0)
        std::fprintf(out, ", %zu not done", notDone);
    int instances = 0;
    for (const WorkerTimes& worker : m_figures.workers)
        instances += worker.instancesStarted;
    std::fprintf(out, " (%s, LibreOffice started %s)%s\n",
                 counted(m_figures.workers.size(), "worker", "workers").c_str(),
                 counted(std::size_t(instances), "time", "times").c_str(),
                 m_figures.stopSignal != 0 ? "; stopped by a signal" : "");

    std::vector<std::string> renamed;
    std::vector<std::string> textless;
    for (std::size_t i = 0; i < m_queue.size(); ++i) {
        if (m_queue[i].target.filename() != textFileName(m_queue[i].source))
            renamed.push_back(shown(m_queue[i].source) + " -> " + shown(m_queue[i].target.filename()));
        if (m_results[i].status == Status::Converted && m_results[i].noText)
            textless.push_back(shown(m_queue[i].source));
    }
    printListed(out, renamed, "document shares a name with one before it; its text goes under a new name",
                "documents share a name with one before them; their text goes under a new name");
    // Not a failure: the text file is what the document holds. But a scanned archive needs these
    // read another way (by OCR), so they are named.
    printListed(out, textless,
                "document gave no text (only pictures, charts or objects, or text only in headers, footers or "
                "comments not asked for); its text file is blank",
                "documents gave no text (only pictures, charts or objects, or text only in headers, footers or "
                "comments not asked for); their text files are blank");
}

void RunSummary::printTimings(std::FILE* err) const
{
    std::fprintf(err, "%-7s %5s %9s %8s %8s %8s %8s %7s %8s %8s\n", "worker", "docs", "instances", "start s",
                 "open s", "save s", "close s", "quit s", "other s", "alive s");
    int n = 0;
    for (const WorkerTimes& worker : m_figures.workers) {
        const SessionTimes& t = worker.session;
        const auto accounted = t.starting + t.opening + t.saving + t.closing + worker.quitting;
        std::fprintf(err, "%-7d %5d %9d %8.2f %8.2f %8.2f %8.2f %7.2f %8.2f %8.2f\n", ++n, worker.documents,
                     worker.instancesStarted, seconds(t.starting), seconds(t.opening), seconds(t.saving),
                     seconds(t.closing), seconds(worker.quitting), seconds(worker.alive - accounted),
                     seconds(worker.alive));
    }
}

bool RunSummary::writeReport(const std::filesystem::path& file, std::FILE* err, const ReportFormat& format) const
{
    std::vector<ReportRow> rows;
    rows.reserve(m_queue.size());
    for (std::size_t i = 0; i < m_queue.size(); ++i) {
        const ItemResult& result = m_results[i];
        // Bytes as they are: a name that is not UTF-8 still names its file.
        std::string reason = result.reason;
        if (result.status == Status::Converted)
            reason = result.noText ? kNoTextNote : "";
        else if (result.status == Status::Failed)
            reason = engine::describe(result.failure) + (reason.empty() ? "" : ": " + reason);
        rows.push_back({m_queue[i].source.native(), m_queue[i].target.native(), statusWord(result.status),
                        std::move(reason), result.seconds});
    }
    try {
        writeWholeFile(file, format ? format(rows) : csvReport(rows));
        return true;
    } catch (const std::exception& error) {
        std::fprintf(err, "plainquill-batch: cannot write the report %s: %s\n", shown(file).c_str(), error.what());
        return false;
    }
}

} // namespace plainquill::batch
