#pragma once
// A time limit for blocking calls we cannot interrupt. A UNO call into a hung LibreOffice never
// returns by itself; killing LibreOffice makes it return at once. The watchdog runs that kill on
// its own thread when an armed watch outlives its limit, or when a probe it runs every so often
// while a watch is armed says the call must not go on (a memory budget overrun, say).
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace plainquill::engine::libreoffice {

class Watchdog {
public:
    // `onExpiry` runs on the watchdog's thread, once per expired watch. `probe`, if given, runs
    // there every `probeInterval` while a watch is armed; true expires the watch at once.
    explicit Watchdog(std::function<void()> onExpiry, std::function<bool()> probe = {},
                      std::chrono::milliseconds probeInterval = std::chrono::milliseconds(100));
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // Armed from construction to destruction. One watch at a time.
    class Watch {
    public:
        ~Watch();
        Watch(const Watch&) = delete;
        Watch& operator=(const Watch&) = delete;
        // True once the limit passed while armed (the expiry action has then run or is running).
        bool expired() const;
        // Disarms now and tells whether the limit had passed; after it, the answer cannot change.
        bool finish();

    private:
        friend class Watchdog;
        Watch(Watchdog& owner, std::uint64_t generation) : m_owner(owner), m_generation(generation) {}
        Watchdog& m_owner;
        std::uint64_t m_generation;
    };

    [[nodiscard]] Watch watch(std::chrono::steady_clock::duration limit);
    [[nodiscard]] Watch watchUntil(std::chrono::steady_clock::time_point deadline);

private:
    void run(std::stop_token stop);
    bool disarm(std::uint64_t generation); // true if that watch had expired
    bool expired(std::uint64_t generation) const;

    std::function<void()> m_onExpiry;
    std::function<bool()> m_probe;
    std::chrono::milliseconds m_probeInterval;
    mutable std::mutex m_mutex;
    std::condition_variable_any m_changed;
    std::optional<std::chrono::steady_clock::time_point> m_deadline;
    std::uint64_t m_generation = 0;        // counts watches; identifies the armed one
    std::uint64_t m_expiredGeneration = 0; // the last watch whose limit passed
    std::jthread m_thread;                 // last: starts after the state above exists
};

} // namespace plainquill::engine::libreoffice
