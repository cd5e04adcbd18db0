#pragma once
// A child timer on Qt's event loop.
#include "controls/contracts/container.h"

#include <QTimer>

#include <functional>

namespace plainquill::host {

class QtChildTimer final : public contracts::ChildTimer {
public:
    // `tick` runs each time the interval has passed, while enabled with an interval above 0.
    explicit QtChildTimer(std::function<void()> tick);

    void SetInterval(int milliseconds) override;
    bool Enabled() const override { return m_enabled; }
    void SetEnabled(bool enabled) override;

private:
    void update();

    QTimer m_timer;
    int m_interval = 0;
    bool m_enabled = false;
};

} // namespace plainquill::host
