#include "engine/word_processor_session.h"

#include "engine/staged_output_file.h"

namespace plainquill {

using engine::Failure;
using engine::SaveResult;
using Clock = std::chrono::steady_clock;

namespace {

// Adds the time from its making to its end to `total`.
class Stopwatch {
public:
    explicit Stopwatch(SessionTimes::Duration& total) : m_total(total) {}
    ~Stopwatch() { m_total += Clock::now() - m_started; }
    Stopwatch(const Stopwatch&) = delete;
    Stopwatch& operator=(const Stopwatch&) = delete;

private:
    SessionTimes::Duration& m_total;
    const Clock::time_point m_started = Clock::now();
};

} // namespace

WordProcessorSession::WordProcessorSession(engine::WordProcessorLauncher& launcher, int documentsPerInstance)
    : m_launcher(launcher), m_documentsPerInstance(documentsPerInstance > 0 ? documentsPerInstance : 1)
{
}

WordProcessorSession::~WordProcessorSession()
{
    quit();
}

bool WordProcessorSession::start()
{
    quit();
    const Stopwatch stopwatch(m_times.starting);
    m_current = m_launcher.Start();
    m_documentsOnCurrent = 0;
    m_startFailure = {};
    if (m_current)
        ++m_instancesStarted;
    if (m_current && m_current->IsObjectValid())
        return true;
    m_startFailure = m_current ? engine::StartFailure{true, "it started but does not answer; try again", {}}
                               : m_launcher.lastStartFailure();
    quit();
    return false;
}

bool WordProcessorSession::ensureUsable()
{
    const bool worn = m_documentsOnCurrent >= m_documentsPerInstance;
    if (m_current && !worn && m_current->IsObjectValid())
        return true;
    return start();
}

void WordProcessorSession::sweepOnce(const std::filesystem::path& target)
{
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    if (m_sweptFolders.insert(folder).second)
        removeAbandonedStagedFiles(folder);
}

SaveResult WordProcessorSession::convert(const std::filesystem::path& document,
                                         const std::filesystem::path& target)
{
    if (!ensureUsable())
        return {Failure::Stopped,
                m_startFailure.installed ? "LibreOffice could not be started again: " + m_startFailure.reason
                                         : std::string("LibreOffice could not be started again"),
                m_startFailure.rawDetail};
    sweepOnce(target);
    const unsigned stopsBefore = m_launcher.stopsAsked();
    SaveResult saved = convertOnce(document, target);
    // LibreOffice now and then crashes on a document it converts well the next time (a race inside
    // it, seen under load), so a document in hand when it stopped gets one more try on a fresh
    // instance. A second stop is the document's doing: it fails then. A stop someone asked for
    // gives the document up; and when no instance can be started, the first outcome is the one
    // to tell.
    if (saved.failure != Failure::Stopped || m_launcher.stopsAsked() != stopsBefore || !ensureUsable())
        return saved;
    return convertOnce(document, target);
}

SaveResult WordProcessorSession::convertOnce(const std::filesystem::path& document,
                                             const std::filesystem::path& target)
{
    engine::OpenResult opened;
    {
        const Stopwatch stopwatch(m_times.opening);
        opened = m_current->Open(document);
    }
    // Only what the word processor opened wears it: 40,000 empty files are no reason for a restart.
    if (opened.reachedWordProcessor)
        ++m_documentsOnCurrent;
    if (!opened.document)
        return {opened.failure == Failure::None ? Failure::CouldNotOpen : opened.failure, opened.detail,
                opened.rawDetail};
    SaveResult saved;
    {
        const Stopwatch stopwatch(m_times.saving);
        saved = m_current->SaveAs(*opened.document, target, engine::SaveFormat::Text);
    }
    // Closed at once rather than at the end of the run: a long batch would otherwise keep every
    // document open in the word processor.
    const Stopwatch stopwatch(m_times.closing);
    m_current->Close(std::move(opened.document));
    return saved;
}

void WordProcessorSession::quit()
{
    if (!m_current)
        return;
    m_current->Quit();
    m_current.reset();
}

} // namespace plainquill
