#include "app/run/conversion_run.h"

#include "app/adapters/shell.h"
#include "app/queue/file_queue.h"
#include "app/run/scope_exit.h"
#include "controls/contracts/button_face.h"
#include "controls/contracts/progress_face.h"
#include "engine/folder_scan.h"
#include "engine/native_path.h"
#include "engine/output_names.h"
#include "engine/word_processor_session.h"

#include <QLineEdit>

namespace plainquill {

namespace {

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
    // The document in hand is given up at once: its text is never half written.
    if (m_p.interruptWordProcessor)
        m_p.interruptWordProcessor();
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

bool ConversionRun::startWordProcessor(WordProcessorSession& wordProcessor)
{
    bool started = false;
    slowCall([&] { started = wordProcessor.start(); });
    if (started)
        return true;
    // Installed but unable to start is told apart: reinstalling would not help then.
    const engine::StartFailure& why = wordProcessor.startFailure();
    if (!why.rawDetail.empty())
        qWarning("LibreOffice did not start: %s", why.rawDetail.c_str());
    const QString text = why.installed
        ? QStringLiteral("LibreOffice could not be started: %1").arg(QString::fromStdString(why.reason))
        : QStringLiteral("LibreOffice not found. Please install LibreOffice and try again.");
    m_p.shell.showMessage(MessageIcon::Critical, QStringLiteral("Plainquill 1.0"), text, MessageButtons::Ok);
    return false;
}

MessageAnswer ConversionRun::askCancel()
{
    m_asking = true;
    const ScopeExit asked([this] { m_asking = false; });
    return m_p.shell.showMessage(MessageIcon::Question, QStringLiteral("Plainquill"),
                                 QStringLiteral("Do you want to cancel?"), MessageButtons::YesNo);
}

bool ConversionRun::userConfirmsCancel()
{
    if (m_abandoned || askCancel() != MessageAnswer::Yes || m_abandoned) {
        m_p.bCancel = false;
        return false;
    }
    showCancelled();
    return true;
}

void ConversionRun::showCancelled() noexcept
{
    tolerate([&] { m_p.progress.SetValue(0); });
    tolerate([&] { m_p.progress.SetColor(kProgressWhite); });
}

void ConversionRun::stopRequested()
{
    if (!m_inDocument || m_asking || m_stopConfirmed || m_abandoned)
        return;
    // The window goes on painting and the word processor on working while the question is up.
    const MessageAnswer answer = askCancel();
    if (m_abandoned)
        return;
    if (answer != MessageAnswer::Yes) {
        m_p.bCancel = false;
        return;
    }
    m_stopConfirmed = true;
    // A document already back is kept; one still in hand is given up, its staged text never
    // taking the place of the old one.
    if (!m_documentDone && m_p.interruptDocument) {
        m_documentInterrupted = true;
        m_p.interruptDocument();
    }
}

void ConversionRun::convertDocument(WordProcessorSession& wordProcessor, OutputNames& outputs, qsizetype position,
                                    RunOutcome& outcome)
{
    const std::filesystem::path document = m_p.queue.nativePath(position);
    const std::filesystem::path target = outputs.targetFor(document);
    showConverting(displayText(document.filename()));
    engine::SaveResult result;
    m_documentDone = false;
    m_documentInterrupted = false;
    m_inDocument = true;
    {
        const ScopeExit back([this] { m_inDocument = false; });
        slowCall([&] {
            result = wordProcessor.convert(document, target);
            m_documentDone = true;
        });
    }
    // Given up at the user's word: neither converted nor failed, only not done.
    if (m_documentInterrupted && !result.ok())
        return;
    ++outcome.tried;
    if (result.ok()) {
        outputs.written(document, target);
    } else {
        outcome.failed.push_back({displayText(document), result.failure, QString::fromStdString(result.detail)});
        // The window shows plain words; LibreOffice's own go to the log for whoever must dig.
        if (!result.rawDetail.empty())
            qWarning("%s: %s", document.c_str(), result.rawDetail.c_str());
    }
    tolerate([&] { m_p.progress.SetColor(kProgressGreen); });
    tolerate([&] { m_p.progress.SetValue(std::int32_t(position + 1)); });
}

void ConversionRun::convertQueue()
{
    WordProcessorSession wordProcessor(m_p.launcher);
    if (!startWordProcessor(wordProcessor))
        return;

    // Taken once: a folder typed while the run goes on must not scatter its files.
    OutputNames outputs(pathFromText(m_p.Text1.text()));
    RunOutcome outcome;
    for (qsizetype i = 0; i < m_p.queue.length(); ++i)
        outcome.checked += m_p.queue.isChecked(i) ? 1 : 0;
    bool converting = false;
    {
        // However the loop ends, an exception included, Start comes back and the queue is free.
        const ScopeExit restore([&] { restoreControls(converting); });
        convertCheckedFiles(wordProcessor, outputs, outcome, converting);
        showConverting({});
        slowCall([&] { wordProcessor.quit(); });
    }
    if (m_abandoned)
        return;
    outcome.renamed = outputs.renamed();
    if (const RunReport report = endOfRunReport(outcome); !report.text.isEmpty())
        m_p.shell.showMessage(MessageIcon::Information, QStringLiteral("Plainquill"), report.text, MessageButtons::Ok,
                              report.details);
}

void ConversionRun::convertCheckedFiles(WordProcessorSession& wordProcessor, OutputNames& outputs,
                                        RunOutcome& outcome, bool& converting)
{
    const qsizetype n = m_p.queue.length();
    const quint64 queueGeneration = m_p.queue.generation();
    // The queue may change during a yield; a position that is gone, or now holds another file,
    // ends the run rather than converting the wrong document.
    const auto queueIntact = [&](qsizetype i) {
        return m_p.queue.generation() == queueGeneration && i < m_p.queue.length() && m_p.queue.hasRow(i);
    };
    for (qsizetype i = 0; i < n && queueIntact(i) && !m_abandoned; ++i) {
        if (!m_p.queue.isChecked(i))
            continue;
        tolerate([&] { m_p.stop.SetEnabled(true); });
        if (!converting && m_p.setConverting)
            m_p.setConverting(true);
        converting = true;
        m_p.processPendingEvents();
        tolerate([&] { m_p.start.SetEnabled(false); });
        if (!queueIntact(i) || m_abandoned)
            break;
        if (m_p.bCancel && userConfirmsCancel()) {
            outcome.stopped = true;
            break;
        }
        if (m_abandoned)
            break;
        convertDocument(wordProcessor, outputs, i, outcome);
        if (m_stopConfirmed) {
            showCancelled();
            outcome.stopped = true;
            break;
        }
    }
}

void ConversionRun::restoreControls(bool converting) noexcept
{
    tolerate([&] { showConverting({}); });
    tolerate([&] { m_p.start.SetEnabled(true); });
    tolerate([&] { m_p.stop.SetEnabled(false); });
    if (converting && m_p.setConverting)
        tolerate([&] { m_p.setConverting(false); });
}

} // namespace plainquill
