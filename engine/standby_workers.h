#pragma once
// LibreOffice started before it is needed. Starting one takes most of a second, half of a small
// run: the window asks for one as soon as a document is queued, and the run's pool then finds it
// up. One left waiting too long is quit (it holds about 90 MB doing nothing) and started again
// when asked for.
#include "engine/worker_pool.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace plainquill::engine {

// How long a started word processor waits for a run before it is quit.
inline constexpr std::chrono::milliseconds kStandbyIdleLimit = std::chrono::minutes(10);

// What one worker is given room for when deciding how many to start ahead: a waiting LibreOffice
// holds about 90 MB, one converting a long document a few hundred.
inline constexpr std::uint64_t kMemoryPerWorker = std::uint64_t(1) << 30;

// How many of a run's `workers` to start ahead of it: all where the memory available (in bytes,
// as the kernel's MemAvailable) leaves each kMemoryPerWorker, else one; the others start with
// the run.
int workersToWarm(int workers, std::uint64_t availableBytes);

// The kernel's MemAvailable in bytes; 0 when it cannot be read.
std::uint64_t availableMemory();

class StandbyWorkers {
public:
    // `makeLauncher` makes one worker's launcher, as a WorkerPool's factory does.
    explicit StandbyWorkers(LauncherFactory makeLauncher, std::chrono::milliseconds idleLimit = kStandbyIdleLimit);
    // Ends every word processor it still holds, started or starting, and waits for them: none
    // outlives the object. Those already handed to a pool are the pool's to end.
    ~StandbyWorkers();
    StandbyWorkers(const StandbyWorkers&) = delete;
    StandbyWorkers& operator=(const StandbyWorkers&) = delete;

    // Starts word processors in the background until `count` are started or starting and waiting
    // for a run. Returns at once, whatever the starts take. Any thread.
    void warmUp(int count = 1);

    // The launcher factory for a WorkerPool: its first calls hand out the word processors warmed
    // up, started or still starting (the worker then waits for that start rather than beginning
    // another); later calls make fresh launchers. Build the pool while this object lives; the
    // pool may outlive it.
    LauncherFactory launchers();

    // Word processors started or starting that wait for a run.
    int warm() const;
    // Of those, the ones already started.
    int ready() const;

private:
    struct Slot;
    class LentLauncher;
    struct Keeper; // a thread that starts one slot's word processor and quits it when idle too long

    static void keep(Slot& slot, std::chrono::milliseconds idleLimit);
    static bool isWarm(Slot& slot);
    static bool isWarmLocked(const Slot& slot);
    std::shared_ptr<Slot> lendWarm();
    void dropCold();

    const LauncherFactory m_makeLauncher;
    const std::chrono::milliseconds m_idleLimit;
    mutable std::mutex m_mutex; // guards what follows
    std::vector<std::shared_ptr<Slot>> m_slots; // not handed out yet
    std::vector<std::unique_ptr<Keeper>> m_keepers;
};

} // namespace plainquill::engine
