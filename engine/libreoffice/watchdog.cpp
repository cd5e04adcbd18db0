#include "engine/libreoffice/watchdog.h"

#include <algorithm>
#include <utility>

namespace plainquill::engine::libreoffice {

Watchdog::Watchdog(std::function<void()> onExpiry, std::function<bool()> probe,
                   std::chrono::milliseconds probeInterval)
    : m_onExpiry(std::move(onExpiry)),
      m_probe(std::move(probe)),
      m_probeInterval(probeInterval),
      m_thread([this](std::stop_token stop) { run(stop); })
{
}

Watchdog::~Watchdog()
{
    m_thread.request_stop();
    // jthread joins; the stop request wakes the wait through the condition variable.
}

Watchdog::Watch Watchdog::watch(std::chrono::steady_clock::duration limit)
{
    return watchUntil(std::chrono::steady_clock::now() + limit);
}

Watchdog::Watch Watchdog::watchUntil(std::chrono::steady_clock::time_point deadline)
{
    const std::lock_guard lock(m_mutex);
    ++m_generation;
    m_deadline = deadline;
    m_changed.notify_all();
    return Watch(*this, m_generation);
}

bool Watchdog::disarm(std::uint64_t generation)
{
    const std::lock_guard lock(m_mutex);
    if (generation == m_generation && m_deadline) {
        m_deadline.reset();
        m_changed.notify_all();
    }
    return m_expiredGeneration == generation;
}

bool Watchdog::expired(std::uint64_t generation) const
{
    const std::lock_guard lock(m_mutex);
    return m_expiredGeneration == generation;
}

void Watchdog::run(std::stop_token stop)
{
    std::unique_lock lock(m_mutex);
    while (!stop.stop_requested()) {
        if (!m_deadline) {
            m_changed.wait(lock, stop, [this] { return m_deadline.has_value(); });
            continue;
        }
        const auto deadline = *m_deadline;
        const auto generation = m_generation;
        const auto wake = m_probe ? std::min(deadline, std::chrono::steady_clock::now() + m_probeInterval) : deadline;
        const bool changed = m_changed.wait_until(lock, stop, wake, [&] {
            return !m_deadline || m_generation != generation;
        });
        if (changed || stop.stop_requested())
            continue;
        if (std::chrono::steady_clock::now() < deadline) {
            lock.unlock();
            const bool mustStop = m_probe();
            lock.lock();
            if (!mustStop || !m_deadline || m_generation != generation)
                continue;
        }
        m_expiredGeneration = generation;
        m_deadline.reset();
        lock.unlock();
        m_onExpiry();
        lock.lock();
    }
}

Watchdog::Watch::~Watch()
{
    m_owner.disarm(m_generation);
}

bool Watchdog::Watch::expired() const
{
    return m_owner.expired(m_generation);
}

bool Watchdog::Watch::finish()
{
    return m_owner.disarm(m_generation);
}

} // namespace plainquill::engine::libreoffice
