#pragma once
// Converts a queue with several word processors side by side, one per worker thread, each its own
// LibreOffice with its own private profile. Workers take the next document in queue order as they
// come free; each keeps the window run's rules for its word processor (a time limit per document,
// a fresh instance after a death, a hang or its share of documents).
#include "batch/batch_queue.h"
#include "engine/word_processor_session.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace plainquill::batch {

using engine::InterruptibleLauncher;

using LauncherFactory = std::function<std::unique_ptr<InterruptibleLauncher>()>;

enum class Status { Pending, Converted, Skipped, Failed, NotDone };

struct ItemResult {
    Status status = Status::Pending;
    engine::Failure failure = engine::Failure::None;
    std::string reason;
    std::string rawDetail; // the word processor's own words, for standard error
    double seconds = 0;
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
    // outlive the pool. `beforeFirst` runs once, on a worker's thread, once its word processor is
    // up and before any document is converted; the other workers wait for it.
    WorkerPool(const std::vector<BatchItem>& queue, std::vector<std::size_t> todo, int workers,
               LauncherFactory makeLauncher, std::function<void()> beforeFirst = {});
    // Interrupts and waits for every worker.
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Ends every word processor at once; no worker takes another document. Any thread.
    void interrupt();

    bool finished() const { return m_running.load() == 0; }
    // Waits for every worker to end.
    void join();

    // Queue positions finished since the last call, in the order they finished.
    std::vector<std::size_t> takeFinished();
    // The documents in hand, one per busy worker.
    std::vector<std::filesystem::path> inHand() const;
    // Valid for a position once takeFinished has returned it, and for every position after join.
    const ItemResult& result(std::size_t position) const { return m_results[position]; }

    // After join: each worker's figures, and why workers could not start (empty when all did).
    const std::vector<WorkerTimes>& workerTimes() const { return m_times; }
    std::optional<engine::StartFailure> startFailure() const;
    bool anyWorkerStarted() const { return m_started.load() > 0; }

private:
    void work(std::size_t worker);
    // Takes the documents left in queue order until none is left or the run is interrupted.
    void convertQueued(std::size_t worker, WordProcessorSession& session);
    void finish(std::size_t worker, std::size_t position, ItemResult result);

    const std::vector<BatchItem>& m_queue;
    const std::vector<std::size_t> m_todo;
    const std::function<void()> m_beforeFirst;
    std::once_flag m_firstDocument;
    std::vector<ItemResult> m_results;
    std::vector<std::unique_ptr<InterruptibleLauncher>> m_launchers;
    std::vector<WorkerTimes> m_times;
    std::atomic<std::size_t> m_next = 0;
    std::atomic<bool> m_interrupted = false;
    std::atomic<int> m_running = 0;
    std::atomic<int> m_started = 0;

    mutable std::mutex m_mutex; // guards what follows
    std::vector<std::size_t> m_finished;
    std::vector<std::optional<std::filesystem::path>> m_inHand;
    std::optional<engine::StartFailure> m_startFailure;

    std::vector<std::jthread> m_threads; // last: they use everything above
};

} // namespace plainquill::batch
