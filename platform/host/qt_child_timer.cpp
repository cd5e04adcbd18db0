#include "platform/host/qt_child_timer.h"

namespace plainquill::host {

QtChildTimer::QtChildTimer(std::function<void()> tick)
{
    // The tick may destroy this timer: run a copy, so nothing of the destroyed connection is used.
    QObject::connect(&m_timer, &QTimer::timeout, [tick = std::move(tick)] {
        const std::function<void()> running = tick;
        running();
    });
}

void QtChildTimer::SetInterval(int milliseconds)
{
    m_interval = milliseconds;
    update();
}

void QtChildTimer::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    update();
}

void QtChildTimer::update()
{
    // Setting the interval or enabling starts the count again, by the headless clock's rule, so a
    // control ticks alike in a window and in its tests.
    if (m_enabled && m_interval > 0)
        m_timer.start(m_interval);
    else
        m_timer.stop();
}

} // namespace plainquill::host
