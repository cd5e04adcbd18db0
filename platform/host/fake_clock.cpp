#include "platform/host/fake_clock.h"

#include <algorithm>

namespace plainquill::host {

class FakeClock::Timer final : public contracts::ChildTimer {
public:
    Timer(std::shared_ptr<State> state, std::function<void()> onTick)
        : m_state(std::move(state)), m_onTick(std::move(onTick))
    {
        m_state->timers.push_back(this);
    }
    ~Timer() override { std::erase(m_state->timers, this); }

    void SetInterval(int milliseconds) override
    {
        m_interval = milliseconds;
        m_start = m_state->now;
    }
    bool Enabled() const override { return m_enabled; }
    void SetEnabled(bool enabled) override
    {
        if (enabled && !m_enabled)
            m_start = m_state->now;
        m_enabled = enabled;
    }

    bool due() const { return m_enabled && m_interval > 0 && (m_state->now - m_start) % m_interval == 0; }
    const std::function<void()>& onTick() const { return m_onTick; }

private:
    std::shared_ptr<State> m_state;
    std::function<void()> m_onTick;
    int m_interval = 0;
    bool m_enabled = false;
    long m_start = 0;
};

std::unique_ptr<contracts::ChildTimer> FakeClock::createTimer(std::function<void()> onTick)
{
    return std::make_unique<Timer>(m_state, std::move(onTick));
}

void FakeClock::advance(int milliseconds)
{
    for (int i = 0; i < milliseconds; ++i) {
        ++m_state->now;
        // A tick may create, stop or destroy timers: decide who is due first, then check each one
        // is still there before it ticks.
        std::vector<Timer*> due;
        for (Timer* timer : m_state->timers)
            if (timer->due())
                due.push_back(timer);
        for (Timer* timer : due)
            if (std::find(m_state->timers.begin(), m_state->timers.end(), timer) != m_state->timers.end()
                && timer->due()) {
                const std::function<void()> tick = timer->onTick(); // the tick may destroy its timer
                m_deliver(tick);
            }
    }
}

} // namespace plainquill::host
