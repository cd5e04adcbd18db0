#include "app/run/conversion_run.h"

#include "app/adapters/shell.h"
#include "app/queue/file_queue.h"
#include "engine/scope_exit.h"
#include "controls/contracts/button_face.h"
#include "controls/contracts/progress_face.h"
#include "engine/folder_scan.h"
#include "engine/native_path.h"
#include "app/run/run_plan.h"
#include "engine/output_folder_lock.h"
#include "engine/output_names.h"

#include <QLineEdit>

#include <optional>

namespace plainquill {

namespace {

// How long the window's thread waits on the workers before it looks at the window again.
constexpr std::chrono::milliseconds kLookAgain{100};

// A failing update of a drawn control must not stop the run; it is logged for whoever must dig.
template <typename Update>
void tolerate(Update&& update) noexcept
{
    try {
        update();
    } catch (const std::exception& error) {
        qWarning("a control of the window failed to update during a run: %s", error.what());
    } catch (...) {
        qWarning("a control of the window failed to update during a run");
    }
}

void showError(Shell& shell, const QString& text)
{
    shell.showMessage(MessageIcon::Information, QStringLiteral("Error"), text, MessageButtons::Ok);
}

// Another run writing into the folder meanwhile, the batch command's or another window's, would
// name its texts as this one does and overwrite them: the folder is the run's alone, or the run
// does not begin. Nothing when the user was told who has it.
std::optional<OutputFolderLock> takeOutputFolder(Shell& shell, const std::filesystem::path& folder)
{
    std::string holder;
    std::optional<OutputFolderLock> lock = OutputFolderLock::take(folder, {}, "the Plainquill window", holder);
    if (!lock)
        showError(shell, QStringLiteral("Output folder is in use by %1. Please wait for that run to end or choose "
                                        "another folder.")
                             .arg(QString::fromStdString(holder)));
    return lock;
}

} // namespace

void ConversionRun::Start_Click()
{
    // A Start click handled during one of the run's own yields does nothing.
    if (m_running)
        return;
    m_running = true;
    const ScopeExit notRunning([this] { m_running = false; });
    m_abandoned = false;
    m_stopConfirmed = false;
    tolerate([&] { m_p.progress.SetMax(std::int32_t(m_p.queue.length())); });
    m_p.bCancel = false;
    try {
        if (validate())
            convertQueue();
    } catch (const std::exception& error) {
        // Nothing the run calls should throw; if something does, the user hears of it and can
        // start again, instead of the program ending.
        qWarning("the run ended on an error: %s", error.what());
        m_p.shell.showMessage(MessageIcon::Critical, QStringLiteral("Plainquill"),
                              QStringLiteral("The run stopped on an error: %1").arg(QString::fromLocal8Bit(error.what())),
                              MessageButtons::Ok);
    }
}

void ConversionRun::abandon()
{
    m_abandoned = true;
    // The documents in hand are given up at once: their texts are never half written.
    if (m_pool)
        m_pool->interrupt();
}

bool ConversionRun::validate()
{
    const bool queueEmpty = m_p.queue.length() == 0;
    if (queueEmpty && m_p.Text2.text().isEmpty()) {
        showError(m_p.shell, QStringLiteral(" Please add at least one file to convert."));
        return false;
    }
    if (m_p.Text1.text().isEmpty()) {
        showError(m_p.shell, QStringLiteral(" Please select output folder."));
        return false;
    }
    if (queueEmpty) {
        showError(m_p.shell, QStringLiteral(" No  files to convert. Please try again."));
        return false;
    }
    if (!FolderExists(pathFromText(m_p.Text1.text()))) {
        showError(m_p.shell, QStringLiteral("Output folder does not exist. Please try again."));
        return false;
    }
    return true;
}

void ConversionRun::slowCall(const std::function<void()>& call)
{
    if (m_p.awaitSlowCall)
        m_p.awaitSlowCall(call);
    else
        call();
}

void ConversionRun::showConverting(const QString& name)
{
    if (m_p.showConverting)
        m_p.showConverting(name);
}

void ConversionRun::showStartFailure(const engine::StartFailure& why)
{
    // Installed but unable to start is told apart: reinstalling would not help then.
    if (!why.rawDetail.empty())
        qWarning("LibreOffice did not start: %s", why.rawDetail.c_str());
    const QString text = why.installed
        ? QStringLiteral("LibreOffice could not be started: %1").arg(QString::fromStdString(why.reason))
        : QStringLiteral("LibreOffice not found. Please install LibreOffice and try again.");
    m_p.shell.showMessage(MessageIcon::Critical, QStringLiteral("Plainquill 1.0"), text, MessageButtons::Ok);
}

MessageAnswer ConversionRun::askCancel()
{
    m_asking = true;
    const ScopeExit asked([this] { m_asking = false; });
    return m_p.shell.showMessage(MessageIcon::Question, QStringLiteral("Plainquill"),
                                 QStringLiteral("Do you want to cancel?"), MessageButtons::YesNo);
}

void ConversionRun::confirmCancel()
{
    // While the question is open nothing more is begun: Yes must not find more documents in hand.
    if (m_pool)
        m_pool->pause();
    const MessageAnswer answer = askCancel();
    if (m_abandoned)
        return;
    if (answer != MessageAnswer::Yes) {
        m_p.bCancel = false;
        if (m_pool)
            m_pool->resume();
        return;
    }
    m_stopConfirmed = true;
    // A document already back is kept; those still in hand are given up, their staged texts
    // never taking the place of the old ones.
    if (m_pool)
        m_pool->interrupt();
}

void ConversionRun::showCancelled() noexcept
{
    tolerate([&] { m_p.progress.SetValue(0); });
    tolerate([&] { m_p.progress.SetColor(kProgressWhite); });
}

void ConversionRun::stopRequested()
{
    if (m_pool && !m_asking && !m_stopConfirmed && !m_abandoned)
        confirmCancel();
}

void ConversionRun::convertQueue()
{
    // Taken once: a folder typed while the run goes on must not scatter its files.
    const std::filesystem::path folder = pathFromText(m_p.Text1.text());
    const RunPlan plan = planRun(m_p.queue, folder);
    if (plan.todo.empty())
        return;
    std::optional<OutputFolderLock> folderLock = takeOutputFolder(m_p.shell, folder);
    if (!folderLock)
        return;
    RunOutcome outcome;
    std::optional<engine::StartFailure> noWorker;
    {
        // However the run ends, an exception included, Start comes back and the queue is free.
        const ScopeExit restore([&] { restoreControls(); });
        tolerate([&] { m_p.stop.SetEnabled(true); });
        tolerate([&] { m_p.start.SetEnabled(false); });
        if (m_p.setConverting)
            m_p.setConverting(true);
        // Held: a document finished while Stop asks must not replace its old text before the answer.
        engine::WorkerPool pool(plan.items, plan.todo, m_p.workers, m_p.wordProcessors, {},
                                engine::WorkerPool::TextsWhilePaused::Held);
        {
            m_pool = &pool;
            const ScopeExit forget([this] { m_pool = nullptr; });
            followWorkers(pool, plan);
        }
        // The workers are done or told to end: Stop and closing the window have nothing left to end.
        showConverting({});
        slowCall([&] { pool.join(); });
        if (m_abandoned)
            return;
        if (m_stopConfirmed)
            showCancelled();
        if (!pool.anyWorkerStarted())
            noWorker = pool.startFailure();
        outcome = outcomeOf(pool, plan, folder);
    }
    // Every text is written: another run may have the folder while the closing message is read.
    folderLock.reset();
    if (noWorker) {
        showStartFailure(*noWorker);
        return;
    }
    if (const RunReport report = endOfRunReport(outcome); !report.text.isEmpty())
        m_p.shell.showMessage(MessageIcon::Information, QStringLiteral("Plainquill"), report.text, MessageButtons::Ok,
                              report.details);
}

void ConversionRun::followWorkers(engine::WorkerPool& pool, const RunPlan& plan)
{
    // The bar counts the documents done, whichever worker finished them: it stands where a run of
    // one document at a time would stand after as many, so unchecked rows count as they would
    // there, and a long document in one worker's hands holds none of the others back.
    std::size_t done = 0;
    QString shown;
    while (!m_abandoned && !m_stopConfirmed) {
        slowCall([&] { pool.waitForChange(kLookAgain); });
        // Read before the finished documents are taken, so that none finishes unseen in between.
        const bool workersEnded = pool.finished();
        if (const std::size_t finished = pool.takeFinished().size(); finished > 0) {
            done += finished;
            tolerate([&] { m_p.progress.SetColor(kProgressGreen); });
            tolerate([&] { m_p.progress.SetValue(std::int32_t(plan.todo[done - 1] + 1)); });
        }
        if (workersEnded || done == plan.todo.size() || m_abandoned || m_stopConfirmed)
            break;
        const std::optional<std::size_t> earliest = pool.earliestInHand();
        const QString name = earliest ? displayText(plan.items[*earliest].source.filename()) : QString();
        if (name != shown)
            showConverting(shown = name);
        m_p.processPendingEvents();
        if (m_p.bCancel && !m_asking && !m_stopConfirmed && !m_abandoned)
            confirmCancel();
    }
}

RunOutcome ConversionRun::outcomeOf(const engine::WorkerPool& pool, const RunPlan& plan,
                                    const std::filesystem::path& folder)
{
    RunOutcome outcome;
    outcome.checked = int(plan.todo.size());
    outcome.stopped = m_stopConfirmed;
    OutputNames written(folder);
    for (const std::size_t position : plan.todo) {
        const engine::ConversionItem& item = plan.items[position];
        const engine::ItemResult& result = pool.result(position);
        if (result.status == engine::Status::Converted) {
            ++outcome.tried;
            written.written(item.source, item.target);
            if (result.noText)
                outcome.textless.push_back(displayText(item.source));
        } else if (result.status == engine::Status::Failed) {
            ++outcome.tried;
            outcome.failed.push_back(
                {displayText(item.source), result.failure, QString::fromStdString(result.reason)});
            // The window shows plain words; LibreOffice's own go to the log for whoever must dig.
            if (!result.rawDetail.empty())
                qWarning("%s: %s", item.source.c_str(), result.rawDetail.c_str());
        }
    }
    outcome.renamed = written.renamed();
    return outcome;
}

void ConversionRun::restoreControls() noexcept
{
    tolerate([&] { showConverting({}); });
    tolerate([&] { m_p.start.SetEnabled(true); });
    tolerate([&] { m_p.stop.SetEnabled(false); });
    if (m_p.setConverting)
        tolerate([&] { m_p.setConverting(false); });
}

} // namespace plainquill
