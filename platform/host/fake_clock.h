#pragma once
// Child timers for the headless host: they tick only when the test moves the clock on.
#include "controls/contracts/container.h"

#include <functional>
#include <memory>
#include <vector>

namespace plainquill::host {

class FakeClock {
public:
    // `deliver` runs a tick as a notification of the hosted control.
    explicit FakeClock(std::function<void(const std::function<void()>&)> deliver) : m_deliver(std::move(deliver)) {}
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    std::unique_ptr<contracts::ChildTimer> createTimer(std::function<void()> onTick);

    // Moves time on one millisecond at a time; every enabled timer ticks each time a whole
    // interval has passed since it was enabled or its interval was set.
    void advance(int milliseconds);
    long now() const { return m_state->now; }

private:
    class Timer;
    struct State {
        long now = 0;
        std::vector<Timer*> timers;
    };

    std::function<void(const std::function<void()>&)> m_deliver;
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace plainquill::host
