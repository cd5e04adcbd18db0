#include "engine/standby_workers.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <fstream>
#include <string>

namespace plainquill::engine {

int workersToWarm(int workers, std::uint64_t availableBytes)
{
    const int all = std::max(workers, 1);
    return availableBytes / kMemoryPerWorker >= std::uint64_t(all) ? all : 1;
}

std::uint64_t availableMemory()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kibibytes = 0;
    std::string unit;
    while (meminfo >> key >> kibibytes >> unit)
        if (key == "MemAvailable:")
            return kibibytes * 1024;
    return 0;
}

// One word processor started ahead, shared by its keeper thread and, once lent, by a pool worker.
struct StandbyWorkers::Slot {
    explicit Slot(std::unique_ptr<InterruptibleLauncher> made) : launcher(std::move(made)) {}
    ~Slot()
    {
        if (instance)
            instance->Quit();
    }
    Slot(const Slot&) = delete;
    Slot& operator=(const Slot&) = delete;

    const std::unique_ptr<InterruptibleLauncher> launcher;
    std::mutex mutex; // guards what follows
    std::condition_variable changed;
    std::unique_ptr<WordProcessor> instance;
    bool starting = true;
    bool lent = false;      // a pool's now
    bool handedOut = false; // the pool's worker took what the start gave
    bool interrupted = false;
    bool expired = false; // quit for idling
};

struct StandbyWorkers::Keeper {
    std::atomic<bool> done = false;
    std::jthread thread;
};

// Hands the pool's worker the word processor started ahead, then starts afresh as any launcher.
class StandbyWorkers::LentLauncher final : public InterruptibleLauncher {
public:
    explicit LentLauncher(std::shared_ptr<Slot> slot) : m_slot(std::move(slot)) {}

    std::unique_ptr<WordProcessor> Start() override
    {
        {
            std::unique_lock lock(m_slot->mutex);
            if (!m_slot->handedOut) {
                m_slot->handedOut = true;
                m_slot->changed.wait(lock, [this] { return !m_slot->starting; });
                if (m_slot->instance && !m_slot->interrupted)
                    return std::move(m_slot->instance);
            }
            if (m_slot->interrupted)
                return nullptr;
        }
        return m_slot->launcher->Start();
    }

    StartFailure lastStartFailure() const override { return m_slot->launcher->lastStartFailure(); }
    unsigned stopsAsked() const override { return m_slot->launcher->stopsAsked(); }
    std::optional<OpenResult> refusalBeforeStart(const std::filesystem::path& file) const override
    {
        return m_slot->launcher->refusalBeforeStart(file);
    }

    void interrupt() override
    {
        {
            const std::lock_guard lock(m_slot->mutex);
            m_slot->interrupted = true;
        }
        m_slot->changed.notify_all();
        m_slot->launcher->interrupt();
    }

private:
    std::shared_ptr<Slot> m_slot;
};

StandbyWorkers::StandbyWorkers(LauncherFactory makeLauncher, std::chrono::milliseconds idleLimit)
    : m_makeLauncher(std::move(makeLauncher)), m_idleLimit(idleLimit)
{
}

StandbyWorkers::~StandbyWorkers()
{
    std::vector<std::shared_ptr<Slot>> slots;
    std::vector<std::unique_ptr<Keeper>> keepers;
    {
        const std::lock_guard lock(m_mutex);
        slots = std::move(m_slots);
        keepers = std::move(m_keepers);
    }
    for (const auto& slot : slots) {
        {
            const std::lock_guard lock(slot->mutex);
            slot->interrupted = true;
        }
        slot->changed.notify_all();
        slot->launcher->interrupt();
    }
    keepers.clear(); // joins: each quits what it started
}

void StandbyWorkers::keep(Slot& slot, std::chrono::milliseconds idleLimit)
{
    std::unique_ptr<WordProcessor> started = slot.launcher->Start();
    std::unique_lock lock(slot.mutex);
    slot.starting = false;
    slot.instance = std::move(started);
    slot.changed.notify_all();
    if (!slot.instance)
        return;
    slot.changed.wait_for(lock, idleLimit, [&slot] { return slot.lent || slot.interrupted; });
    if (slot.lent)
        return;
    slot.expired = true;
    std::unique_ptr<WordProcessor> idle = std::move(slot.instance);
    lock.unlock();
    idle->Quit();
}

bool StandbyWorkers::isWarm(Slot& slot)
{
    const std::lock_guard lock(slot.mutex);
    return isWarmLocked(slot);
}

bool StandbyWorkers::isWarmLocked(const Slot& slot)
{
    return !slot.interrupted && !slot.expired && (slot.starting || slot.instance);
}

void StandbyWorkers::dropCold()
{
    std::erase_if(m_slots, [](const std::shared_ptr<Slot>& slot) { return !isWarm(*slot); });
    // Keepers that ended are joined now, at no wait; the others go on.
    std::erase_if(m_keepers, [](const std::unique_ptr<Keeper>& keeper) { return keeper->done.load(); });
}

void StandbyWorkers::warmUp(int count)
{
    const std::lock_guard lock(m_mutex);
    dropCold();
    while (int(m_slots.size()) < count) {
        auto slot = std::make_shared<Slot>(m_makeLauncher());
        m_slots.push_back(slot);
        auto keeper = std::make_unique<Keeper>();
        keeper->thread = std::jthread([slot, done = &keeper->done, idleLimit = m_idleLimit] {
            keep(*slot, idleLimit);
            *done = true;
        });
        m_keepers.push_back(std::move(keeper));
    }
}

std::shared_ptr<StandbyWorkers::Slot> StandbyWorkers::lendWarm()
{
    const std::lock_guard lock(m_mutex);
    while (!m_slots.empty()) {
        std::shared_ptr<Slot> slot = m_slots.front();
        m_slots.erase(m_slots.begin());
        // Warmth is checked as it is taken: one quit for idling a moment ago is no use.
        std::unique_lock slotLock(slot->mutex);
        if (!isWarmLocked(*slot))
            continue;
        slot->lent = true;
        slotLock.unlock();
        slot->changed.notify_all();
        return slot;
    }
    return nullptr;
}

LauncherFactory StandbyWorkers::launchers()
{
    return [this]() -> std::unique_ptr<InterruptibleLauncher> {
        if (std::shared_ptr<Slot> slot = lendWarm())
            return std::make_unique<LentLauncher>(std::move(slot));
        return m_makeLauncher();
    };
}

int StandbyWorkers::warm() const
{
    const std::lock_guard lock(m_mutex);
    return int(std::count_if(m_slots.begin(), m_slots.end(),
                             [](const std::shared_ptr<Slot>& slot) { return isWarm(*slot); }));
}

int StandbyWorkers::ready() const
{
    const std::lock_guard lock(m_mutex);
    return int(std::count_if(m_slots.begin(), m_slots.end(), [](const std::shared_ptr<Slot>& slot) {
        const std::lock_guard slotLock(slot->mutex);
        return isWarmLocked(*slot) && slot->instance != nullptr;
    }));
}

} // namespace plainquill::engine
