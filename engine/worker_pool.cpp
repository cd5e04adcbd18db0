#include "engine/worker_pool.h"

#include <algorithm>

namespace plainquill::engine {

using Clock = std::chrono::steady_clock;

int defaultWorkerCount(unsigned cores)
{
    return std::clamp(int(std::min(cores, 1000u)), 1, kMaxDefaultWorkers);
}

WorkerPool::WorkerPool(const std::vector<ConversionItem>& queue, std::vector<std::size_t> todo, int workers,
                       const LauncherFactory& makeLauncher, std::function<void()> beforeFirst,
                       TextsWhilePaused whilePaused)
    : m_queue(queue), m_todo(std::move(todo)), m_beforeFirst(std::move(beforeFirst)), m_results(queue.size()),
      m_whilePaused(whilePaused)
{
    // More workers than documents would only start LibreOffice for nothing.
    const std::size_t count = std::min<std::size_t>(std::max(workers, 1), m_todo.size());
    for (std::size_t i = 0; i < count; ++i)
        m_launchers.push_back(makeLauncher());
    m_times.resize(count);
    m_inHand.resize(count);
    m_running = int(count);
    for (std::size_t i = 0; i < count; ++i)
        m_threads.emplace_back([this, i] { work(i); });
}

WorkerPool::~WorkerPool()
{
    if (!finished())
        interrupt();
    join();
}

void WorkerPool::interrupt()
{
    {
        const std::lock_guard lock(m_mutex); // so that no paused worker misses the news
        m_interrupted = true;
    }
    m_resumed.notify_all();
    for (const auto& launcher : m_launchers)
        launcher->interrupt();
}

void WorkerPool::pause()
{
    const std::lock_guard lock(m_mutex);
    m_paused = true;
}

void WorkerPool::resume()
{
    {
        const std::lock_guard lock(m_mutex);
        m_paused = false;
    }
    m_resumed.notify_all();
}

void WorkerPool::join()
{
    for (std::jthread& thread : m_threads)
        if (thread.joinable())
            thread.join();
    // What no worker reached is not done.
    for (const std::size_t position : m_todo)
        if (m_results[position].status == Status::Pending)
            m_results[position] = {Status::NotDone, Failure::Stopped,
                                   m_interrupted ? "the run was stopped before it was converted"
                                                 : "no LibreOffice could be started to convert it",
                                   {}, 0};
}

std::vector<std::size_t> WorkerPool::takeFinished()
{
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_finished, {});
}

std::vector<std::filesystem::path> WorkerPool::inHand() const
{
    const std::lock_guard lock(m_mutex);
    std::vector<std::filesystem::path> documents;
    for (const auto& position : m_inHand)
        if (position)
            documents.push_back(m_queue[*position].source);
    return documents;
}

std::optional<std::size_t> WorkerPool::earliestInHand() const
{
    const std::lock_guard lock(m_mutex);
    std::optional<std::size_t> earliest;
    for (const auto& position : m_inHand)
        if (position && (!earliest || *position < *earliest))
            earliest = position;
    return earliest;
}

std::optional<StartFailure> WorkerPool::startFailure() const
{
    const std::lock_guard lock(m_mutex);
    return m_startFailure;
}

void WorkerPool::waitForChange(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, timeout, [this] { return m_changes != m_changesSeen || m_running.load() == 0; });
    m_changesSeen = m_changes;
}

void WorkerPool::take(std::size_t worker, std::size_t position)
{
    {
        const std::lock_guard lock(m_mutex);
        m_inHand[worker] = position;
        ++m_changes;
    }
    m_changed.notify_all();
}

void WorkerPool::finish(std::size_t worker, std::size_t position, ItemResult result)
{
    {
        const std::lock_guard lock(m_mutex);
        m_results[position] = std::move(result);
        m_inHand[worker].reset();
        m_finished.push_back(position);
        ++m_changes;
    }
    m_changed.notify_all();
}

void WorkerPool::workerEnded()
{
    {
        const std::lock_guard lock(m_mutex);
        --m_running;
        ++m_changes;
    }
    m_changed.notify_all();
}

ItemResult WorkerPool::thrown(const std::exception_ptr& error)
{
    std::string what = "an unexpected error";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
    }
    return {Status::Failed, Failure::CouldNotOpen, "it failed on an unexpected error: " + what, what, 0};
}

void WorkerPool::work(std::size_t worker)
{
    const auto born = Clock::now();
    WorkerTimes& times = m_times[worker];
    WordProcessorSession session(*m_launchers[worker]);
    convertQueued(worker, session);
    const auto quitting = Clock::now();
    session.quit();
    times.quitting = Clock::now() - quitting;
    times.instancesStarted = session.instancesStarted();
    times.session = session.times();
    times.alive = Clock::now() - born;
    workerEnded();
}

void WorkerPool::waitWhilePaused(std::unique_lock<std::mutex>& lock)
{
    m_resumed.wait(lock, [this] { return !m_paused || m_interrupted; });
}

std::optional<std::size_t> WorkerPool::next(bool up)
{
    std::unique_lock lock(m_mutex);
    waitWhilePaused(lock);
    if (m_interrupted)
        return std::nullopt;
    if (up && !m_waiting.empty())
        return m_waiting.extract(m_waiting.begin()).value();
    if (m_next == m_todo.size())
        return std::nullopt;
    if (!up)
        m_waiting.insert(m_next);
    return m_next++;
}

bool WorkerPool::stillWaiting(std::size_t index, bool takeOff)
{
    const std::lock_guard lock(m_mutex);
    const auto waiting = m_waiting.find(index);
    if (waiting == m_waiting.end())
        return false;
    if (takeOff)
        m_waiting.erase(waiting);
    return true;
}

bool WorkerPool::startWordProcessor(WordProcessorSession& session)
{
    // One more try for a LibreOffice that died while starting, as one dying later is replaced.
    if (session.start() || (!m_interrupted && session.start())) {
        ++m_started;
        return true;
    }
    if (!m_interrupted) {
        const std::lock_guard lock(m_mutex);
        m_startFailure = session.startFailure();
    }
    return false;
}

std::optional<ItemResult> WorkerPool::refused(std::size_t worker, const ConversionItem& item) const
{
    try {
        const std::optional<OpenResult> refusal = m_launchers[worker]->refusalBeforeStart(item.source);
        if (!refusal)
            return std::nullopt;
        return ItemResult{Status::Failed, refusal->failure, refusal->detail, refusal->rawDetail, 0};
    } catch (...) {
        return thrown(std::current_exception());
    }
}

ItemResult WorkerPool::convert(WordProcessorSession& session, const ConversionItem& item)
{
    // One document the word processor's adapter throws on must not end the program with the
    // whole run: it fails alone, and the worker goes on with the next.
    try {
        // A held text is saved under a name reserved beside the target, and moved into place after.
        std::optional<StagedOutputFile> held;
        if (m_whilePaused == TextsWhilePaused::Held) {
            try {
                held.emplace(item.target);
            } catch (const std::system_error&) {
                // A folder that takes no file: the save into the target fails, in its own words.
            }
        }
        const SaveResult saved = session.convert(item.source, held ? held->path() : item.target);
        ItemResult result{Status::Converted, saved.failure, saved.detail, saved.rawDetail, 0, saved.noText};
        if (!saved.ok())
            result.status = m_interrupted ? Status::NotDone : Status::Failed;
        else if (held)
            placeHeldText(*held, result);
        if (result.status == Status::NotDone)
            result.reason = "the run was stopped while it was being converted";
        return result;
    } catch (...) {
        return thrown(std::current_exception());
    }
}

void WorkerPool::placeHeldText(StagedOutputFile& held, ItemResult& result)
{
    {
        std::unique_lock lock(m_mutex);
        waitWhilePaused(lock);
    }
    // Interrupted while it waited, or before: given up, as a document still in hand would be.
    if (m_interrupted) {
        result.status = Status::NotDone;
        return;
    }
    try {
        held.commitWrittenElsewhere();
    } catch (const TargetNotReplaced& error) {
        result = {Status::Failed, Failure::CouldNotSave, unreplaceableTargetWords(), error.what(), 0};
    } catch (const std::system_error& error) {
        result = {Status::Failed, Failure::CouldNotSave, "the text file could not be written", error.what(), 0};
    }
}

void WorkerPool::convertQueued(std::size_t worker, WordProcessorSession& session)
{
    bool up = false;
    while (const std::optional<std::size_t> index = next(up)) {
        const std::size_t position = m_todo[*index];
        const ConversionItem& item = m_queue[position];
        const auto started = Clock::now();
        std::optional<ItemResult> result = refused(worker, item);
        if (!up) {
            if (!stillWaiting(*index, result.has_value()))
                continue;
            // The document waits while the word processor starts; the worker then takes the
            // earliest one still waiting, this or another's.
            if (!result) {
                if (!(up = startWordProcessor(session)))
                    return;
                continue;
            }
        }
        take(worker, position);
        std::call_once(m_firstDocument, [this] {
            if (m_beforeFirst)
                m_beforeFirst();
        });
        if (!result)
            result = convert(session, item);
        result->seconds = std::chrono::duration<double>(Clock::now() - started).count();
        ++m_times[worker].documents;
        finish(worker, position, std::move(*result));
    }
}

} // namespace plainquill::engine
