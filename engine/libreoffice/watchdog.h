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
    // `on_expiry` runs on the watchdog's thread, once per expired watch. `probe`, if given, runs
    // there every `probe_interval` while a watch is armed; true expires the watch at once.
    explicit Watchdog(std::function<void()> on_expiry, std::function<bool()> probe = {},
                      std::chrono::milliseconds probe_interval = std::chrono::milliseconds(100));
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
        Watch(Watchdog& owner, std::uint64_t generation) : owner_(owner), generation_(generation) {}
        Watchdog& owner_;
        std::uint64_t generation_;
    };

    [[nodiscard]] Watch watch(std::chrono::steady_clock::duration limit);
    [[nodiscard]] Watch watch_until(std::chrono::steady_clock::time_point deadline);

private:
    void run(std::stop_token stop);
    bool disarm(std::uint64_t generation); // true if that watch had expired
    bool expired(std::uint64_t generation) const;

    std::function<void()> on_expiry_;
    std::function<bool()> probe_;
    std::chrono::milliseconds probe_interval_;
    mutable std::mutex mutex_;
    std::condition_variable_any changed_;
    std::optional<std::chrono::steady_clock::time_point> deadline_;
    std::uint64_t generation_ = 0;         // counts watches; identifies the armed one
    std::uint64_t expired_generation_ = 0; // the last watch whose limit passed
    std::jthread thread_;                  // last: starts after the state above exists
};

} // namespace plainquill::engine::libreoffice
