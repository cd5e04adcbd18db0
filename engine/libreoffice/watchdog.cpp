#include "engine/libreoffice/watchdog.h"

#include <algorithm>
#include <utility>

namespace plainquill::engine::libreoffice {

Watchdog::Watchdog(std::function<void()> on_expiry, std::function<bool()> probe,
                   std::chrono::milliseconds probe_interval)
    : on_expiry_(std::move(on_expiry)),
      probe_(std::move(probe)),
      probe_interval_(probe_interval),
      thread_([this](std::stop_token stop) { run(stop); })
{
}

Watchdog::~Watchdog()
{
    thread_.request_stop();
    // jthread joins; the stop request wakes the wait through the condition variable.
}

Watchdog::Watch Watchdog::watch(std::chrono::steady_clock::duration limit)
{
    return watch_until(std::chrono::steady_clock::now() + limit);
}

Watchdog::Watch Watchdog::watch_until(std::chrono::steady_clock::time_point deadline)
{
    const std::lock_guard lock(mutex_);
    ++generation_;
    deadline_ = deadline;
    changed_.notify_all();
    return Watch(*this, generation_);
}

bool Watchdog::disarm(std::uint64_t generation)
{
    const std::lock_guard lock(mutex_);
    if (generation == generation_ && deadline_) {
        deadline_.reset();
        changed_.notify_all();
    }
    return expired_generation_ == generation;
}

bool Watchdog::expired(std::uint64_t generation) const
{
    const std::lock_guard lock(mutex_);
    return expired_generation_ == generation;
}

void Watchdog::run(std::stop_token stop)
{
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
        if (!deadline_) {
            changed_.wait(lock, stop, [this] { return deadline_.has_value(); });
            continue;
        }
        const auto deadline = *deadline_;
        const auto generation = generation_;
        const auto wake = probe_ ? std::min(deadline, std::chrono::steady_clock::now() + probe_interval_) : deadline;
        const bool changed = changed_.wait_until(lock, stop, wake, [&] {
            return !deadline_ || generation_ != generation;
        });
        if (changed || stop.stop_requested())
            continue;
        if (std::chrono::steady_clock::now() < deadline) {
            lock.unlock();
            const bool must_stop = probe_();
            lock.lock();
            if (!must_stop || !deadline_ || generation_ != generation)
                continue;
        }
        expired_generation_ = generation;
        deadline_.reset();
        lock.unlock();
        on_expiry_();
        lock.lock();
    }
}

Watchdog::Watch::~Watch()
{
    owner_.disarm(generation_);
}

bool Watchdog::Watch::expired() const
{
    return owner_.expired(generation_);
}

bool Watchdog::Watch::finish()
{
    return owner_.disarm(generation_);
}

} // namespace plainquill::engine::libreoffice
