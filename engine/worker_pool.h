#pragma once
// Converts a queue with several word processors side by side, one per worker thread, each its own
// LibreOffice with its own private profile. Workers take the next document in queue order as they
// come free; each keeps the window run's rules for its word processor (a time limit per document,
// a fresh instance after a death, a hang or its share of documents). A worker starts its word
// processor only once it takes a document that needs one: files refused before any word processor
// sees them (empty, missing) start none. Both programs use it: the batch command, and the window's
// run, which may find its first LibreOffice already started (standby_workers.h).
#include "engine/conversion_item.h"
#include "engine/staged_output_file.h"
#include "engine/word_processor_session.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace plainquill::engine {

using LauncherFactory = std::function<std::unique_ptr<InterruptibleLauncher>()>;

// The most workers a run takes unless told otherwise: each LibreOffice holds about 200 MB while
// it converts, and beyond four the documents wait on the disk rather than on the cores.
inline constexpr int kMaxDefaultWorkers = 4;

// One worker per core, at least one and at most kMaxDefaultWorkers. `cores` is what
// std::thread::hardware_concurrency() says, 0 when it does not know.
int defaultWorkerCount(unsigned cores = std::thread::hardware_concurrency());

enum class Status { Pending, Converted, Skipped, Failed, NotDone };

struct ItemResult {
    Status status = Status::Pending;
    Failure failure = Failure::None;
    std::string reason;
    std::string rawDetail; // the word processor's own words, for standard error
    double seconds = 0;
    bool noText = false; // converted, but the document holds no text (SaveResult::noText)
};

struct WorkerTimes {
    int documents = 0;
    int instancesStarted = 0;
    SessionTimes session;
    SessionTimes::Duration quitting{};
    SessionTimes::Duration alive{}; // from the worker's start to its end
};

class WorkerPool {
public:
    // Converts the items of `queue` whose positions `todo` lists, in that order. The queue must
    // outlive the pool. `beforeFirst` runs once, on a worker's thread, before the first document
    // is converted or refused (one to convert once its word processor is up); the other workers
    // wait for it. `makeLauncher` is called here, on the calling thread, once per worker.
    // `whilePaused` Held: a text finished while the pool is paused takes its target's place only
    // once it is resumed, and never if the pool is interrupted first.
    enum class TextsWhilePaused { Written, Held };
    WorkerPool(const std::vector<ConversionItem>& queue, std::vector<std::size_t> todo, int workers,
               const LauncherFactory& makeLauncher, std::function<void()> beforeFirst = {},
               TextsWhilePaused whilePaused = TextsWhilePaused::Written);
    // Interrupts and waits for every worker: no word processor of the pool outlives it.
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Abandons the run at once: ends every word processor, documents in hand included (they
    // give no text, and an earlier text of theirs stays as it was); no worker takes another
    // document. Returns without waiting. Any thread.
    void interrupt();

    // Until resume(), no worker takes a document; those in hand go on (see TextsWhilePaused). For
    // a question to the user that must not find more begun when it is answered. Any thread.
    void pause();
    void resume();

    bool finished() const { return m_running.load() == 0; }
    // Waits until a worker has taken or finished a document, or ended, since the last wait, or
    // until `timeout` has passed. For one waiting thread: the one that shows the run.
    void waitForChange(std::chrono::milliseconds timeout);
    // Waits for every worker to end.
    void join();

    // Queue positions finished since the last call, in the order they finished. Any thread.
    std::vector<std::size_t> takeFinished();
    // The documents in hand, one per busy worker. Any thread.
    std::vector<std::filesystem::path> inHand() const;
    // The earliest queue position in hand, if any worker has one: the document a title names.
    std::optional<std::size_t> earliestInHand() const;
    // Valid for a position once takeFinished has returned it, and for every position after join.
    const ItemResult& result(std::size_t position) const { return m_results[position]; }

    // After join: each worker's figures, and why workers could not start (empty when all did).
    const std::vector<WorkerTimes>& workerTimes() const { return m_times; }
    std::optional<StartFailure> startFailure() const;
    bool anyWorkerStarted() const { return m_started.load() > 0; }

private:
    void work(std::size_t worker);
    // Takes the documents left in queue order until none is left or the run is interrupted.
    void convertQueued(std::size_t worker, WordProcessorSession& session);
    // The index in m_todo of the next document for a worker, nothing when none is left for it.
    // A worker whose word processor is `up` takes the waiting documents first, earliest first; one
    // whose is not leaves what it takes waiting, for whichever worker can convert it first.
    std::optional<std::size_t> next(bool up);
    // True when the waiting document `index` is still there, no worker that is up having taken
    // it; `takeOff` takes it off then.
    bool stillWaiting(std::size_t index, bool takeOff);
    // Returns once the pool is not paused or is interrupted; `lock` holds m_mutex.
    void waitWhilePaused(std::unique_lock<std::mutex>& lock);
    bool startWordProcessor(WordProcessorSession& session);
    ItemResult convert(WordProcessorSession& session, const ConversionItem& item);
    // Puts a held text in its target's place once no pause holds it, or gives it up.
    void placeHeldText(StagedOutputFile& held, ItemResult& result);
    void finish(std::size_t worker, std::size_t position, ItemResult result);
    void take(std::size_t worker, std::size_t position);
    void workerEnded();
    // The result of a document the word processor threw on: a failure of that document alone.
    static ItemResult thrown(const std::exception_ptr& error);
    // The failure of a document the launcher refuses before any word processor sees it, if it does.
    std::optional<ItemResult> refused(std::size_t worker, const ConversionItem& item) const;

    const std::vector<ConversionItem>& m_queue;
    const std::vector<std::size_t> m_todo;
    const std::function<void()> m_beforeFirst;
    std::once_flag m_firstDocument;
    std::vector<ItemResult> m_results;
    std::vector<std::unique_ptr<InterruptibleLauncher>> m_launchers;
    std::vector<WorkerTimes> m_times;
    std::atomic<bool> m_interrupted = false;
    std::atomic<int> m_running = 0;
    std::atomic<int> m_started = 0;

    mutable std::mutex m_mutex; // guards what follows
    std::condition_variable m_changed;
    const TextsWhilePaused m_whilePaused;
    bool m_paused = false;
    std::condition_variable m_resumed; // a pause ended, or the run was interrupted
    std::uint64_t m_changes = 0;     // documents taken or finished, workers ended
    std::uint64_t m_changesSeen = 0; // by waitForChange
    std::vector<std::size_t> m_finished;
    std::vector<std::optional<std::size_t>> m_inHand; // by worker
    std::optional<StartFailure> m_startFailure;
    std::size_t m_next = 0; // in m_todo, the first document no worker has taken
    // In m_todo, documents taken by workers whose word processors are not up: a worker already up
    // takes them first, so the window's first document goes to the LibreOffice started ahead
    // rather than wait for another to start, and one whose worker could not start is not lost.
    std::set<std::size_t> m_waiting;

    std::vector<std::jthread> m_threads; // last: they use everything above
};

} // namespace plainquill::engine
