#pragma once
// Word processors for the worker pool's threads, all launchers of one farm sharing its counts and
// its gates: starts and documents can be held until released or interrupted, as a slow LibreOffice
// start or a long document would be. Converting copies the document's bytes to the target.
#include "engine/worker_pool.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

namespace plainquill::testing {

// How long a held start or document waits at most: a fault that forgets to release or interrupt
// it then fails its test instead of hanging it.
inline constexpr std::chrono::seconds kLongest{30};

class FakeWorkerFarm {
public:
    engine::LauncherFactory factory();

    // Word processors started, and those not yet quit, killed or destroyed.
    int starts() const { return m_starts.load(); }
    int living() const { return m_living.load(); }
    // Starts asked for, whether held, failed or done.
    int startsAsked() const { return m_startsAsked.load(); }
    // The launcher the factory makes `nth` (from 1) fails every start at once.
    void failStartsOf(int nth) { set([&] { m_unstartable.insert(nth); }); }

    // While held, Start waits (until released or its launcher is interrupted, kLongest at most).
    void holdStarts(bool held) { set([&] { m_startsHeld = held; }); }
    // While held, opening a document of that file name waits likewise.
    void holdDocument(const std::string& name) { set([&] { m_heldDocuments.insert(name); }); }
    void releaseDocuments() { set([&] { m_heldDocuments.clear(); }); }

    // Waits, at most a generous while, until `condition` holds; says whether it did.
    // `condition` may call this farm's accessors: it is tested without the farm's lock.
    template <typename Condition>
    bool waitFor(Condition condition)
    {
        const auto deadline = std::chrono::steady_clock::now() + kLongest;
        std::unique_lock lock(m_mutex);
        for (;;) {
            const auto seen = m_version;
            lock.unlock();
            if (condition())
                return true;
            lock.lock();
            if (!m_changed.wait_until(lock, deadline, [&] { return m_version != seen; }))
                return false;
        }
    }
    // The instance (numbered from 1 in order of start) that opened each document, by file name.
    std::map<std::string, int> openedBy() const
    {
        const std::lock_guard lock(m_mutex);
        return m_openedBy;
    }

private:
    class Launcher;
    class Worker;
    template <typename Change>
    void set(Change change)
    {
        {
            const std::lock_guard lock(m_mutex);
            change();
            ++m_version;
        }
        m_changed.notify_all();
    }

    std::atomic<int> m_starts = 0;
    std::atomic<int> m_living = 0;
    std::atomic<int> m_startsAsked = 0;
    std::atomic<int> m_launchersMade = 0;
    mutable std::mutex m_mutex; // guards what follows
    std::condition_variable m_changed;
    unsigned m_version = 0; // counts the changes waitFor may be waiting for
    bool m_startsHeld = false;
    std::set<std::string> m_heldDocuments;
    std::set<int> m_unstartable; // launchers, by the order they were made in
    std::map<std::string, int> m_openedBy;
};

// Killed when its launcher is interrupted, as InterruptibleLibreOffice kills its LibreOffice.
class FakeWorkerFarm::Worker final : public engine::WordProcessor {
public:
    Worker(FakeWorkerFarm& farm, int number, std::shared_ptr<std::atomic<bool>> killed)
        : m_farm(farm), m_number(number), m_killed(std::move(killed))
    {
    }
    ~Worker() override { end(); }

    bool IsObjectValid() override { return !m_killed->load() && !m_ended; }

    engine::OpenResult Open(const std::filesystem::path& file) override
    {
        const std::string name = file.filename().string();
        {
            std::unique_lock lock(m_farm.m_mutex);
            m_farm.m_openedBy[name] = m_number;
            ++m_farm.m_version;
            m_farm.m_changed.notify_all();
            m_farm.m_changed.wait_for(lock, kLongest,
                                      [&] { return m_killed->load() || !m_farm.m_heldDocuments.contains(name); });
        }
        if (m_killed->load())
            return {nullptr, engine::Failure::Stopped, "killed"};
        if (!std::filesystem::exists(file))
            return {nullptr, engine::Failure::CouldNotOpen, "no such file"};
        return {std::make_unique<Doc>(file), engine::Failure::None};
    }

    engine::SaveResult SaveAs(engine::Document& document, const std::filesystem::path& target,
                              engine::SaveFormat) override
    {
        std::error_code error;
        std::filesystem::copy_file(static_cast<Doc&>(document).path, target,
                                   std::filesystem::copy_options::overwrite_existing, error);
        return error ? engine::SaveResult{engine::Failure::CouldNotSave, error.message()} : engine::SaveResult{};
    }

    void Close(std::unique_ptr<engine::Document>) override {}
    void Quit() override { end(); }

private:
    struct Doc : engine::Document {
        explicit Doc(std::filesystem::path p) : path(std::move(p)) {}
        std::filesystem::path path;
    };
    void end()
    {
        if (!m_ended.exchange(true))
            m_farm.set([&] { --m_farm.m_living; });
    }

    FakeWorkerFarm& m_farm;
    const int m_number;
    std::shared_ptr<std::atomic<bool>> m_killed;
    std::atomic<bool> m_ended = false;
};

class FakeWorkerFarm::Launcher final : public engine::InterruptibleLauncher {
public:
    Launcher(FakeWorkerFarm& farm, int nth) : m_farm(farm), m_nth(nth) {}

    std::unique_ptr<engine::WordProcessor> Start() override
    {
        std::unique_lock lock(m_farm.m_mutex);
        ++m_farm.m_startsAsked;
        ++m_farm.m_version;
        m_farm.m_changed.notify_all();
        if (m_farm.m_unstartable.contains(m_nth))
            return nullptr;
        m_farm.m_changed.wait_for(lock, kLongest, [&] { return m_interrupted || !m_farm.m_startsHeld; });
        if (m_interrupted)
            return nullptr;
        m_killed = std::make_shared<std::atomic<bool>>(false);
        ++m_farm.m_living;
        const int number = ++m_farm.m_starts;
        ++m_farm.m_version;
        m_farm.m_changed.notify_all();
        return std::make_unique<Worker>(m_farm, number, m_killed);
    }

    engine::StartFailure lastStartFailure() const override { return {true, "the run was stopped", {}}; }

    void interrupt() override
    {
        m_farm.set([&] {
            m_interrupted = true;
            if (m_killed)
                *m_killed = true;
        });
    }

private:
    FakeWorkerFarm& m_farm;
    const int m_nth;
    bool m_interrupted = false;              // guarded by the farm's mutex
    std::shared_ptr<std::atomic<bool>> m_killed; // of the instance started last
};

inline engine::LauncherFactory FakeWorkerFarm::factory()
{
    return [this] { return std::make_unique<Launcher>(*this, ++m_launchersMade); };
}

} // namespace plainquill::testing
