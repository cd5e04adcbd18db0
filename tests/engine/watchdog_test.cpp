#include "engine/libreoffice/watchdog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace plainquill::engine::libreoffice {
namespace {

using namespace std::chrono_literals;

TEST(LibreOfficeWatchdog, RunsTheExpiryActionWhenAWatchOutlivesItsLimit)
{
    std::promise<void> fired;
    std::atomic<int> expiries = 0;
    Watchdog watchdog([&] {
        if (++expiries == 1)
            fired.set_value();
    });
    Watchdog::Watch watch = watchdog.watch(20ms);
    // Stands for a blocking call that only the expiry action can end.
    ASSERT_EQ(fired.get_future().wait_for(30s), std::future_status::ready);
    EXPECT_TRUE(watch.expired());
    EXPECT_TRUE(watch.finish());
    EXPECT_EQ(expiries, 1);
}

TEST(LibreOfficeWatchdog, NeverFiresForWatchesThatFinishInTime)
{
    std::atomic<int> expiries = 0;
    Watchdog watchdog([&] { ++expiries; });
    for (int i = 0; i < 50; ++i) {
        Watchdog::Watch watch = watchdog.watch(10s);
        EXPECT_FALSE(watch.finish());
    }
    {
        Watchdog::Watch leftByScope = watchdog.watch(50ms);
    }
    // A later, longer watch must not inherit the earlier deadline.
    Watchdog::Watch watch = watchdog.watch(10s);
    std::this_thread::sleep_for(200ms);
    EXPECT_FALSE(watch.finish());
    EXPECT_EQ(expiries, 0);
}

TEST(LibreOfficeWatchdog, AnExpiredWatchDoesNotMarkTheNextOne)
{
    std::promise<void> fired;
    Watchdog watchdog([&] { fired.set_value(); });
    {
        Watchdog::Watch first = watchdog.watch(1ms);
        fired.get_future().wait();
        EXPECT_TRUE(first.finish());
    }
    Watchdog::Watch second = watchdog.watch(10s);
    EXPECT_FALSE(second.expired());
    EXPECT_FALSE(second.finish());
}

TEST(LibreOfficeWatchdog, AProbeThatObjectsExpiresTheArmedWatchLongBeforeItsLimit)
{
    std::promise<void> fired;
    std::atomic<bool> objecting = false;
    std::atomic<int> probesWhileIdle = 0;
    std::atomic<bool> armed = false;
    Watchdog watchdog([&] { fired.set_value(); }, [&] { return (probesWhileIdle += !armed, objecting.load()); },
                      10ms);
    std::this_thread::sleep_for(50ms);
    armed = true;
    Watchdog::Watch watch = watchdog.watch(60s);
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(watch.expired()) << "the probe has not objected yet";
    objecting = true;
    ASSERT_EQ(fired.get_future().wait_for(30s), std::future_status::ready);
    EXPECT_TRUE(watch.finish());
    EXPECT_EQ(probesWhileIdle, 0) << "probes run only while a watch is armed";
}

} // namespace
} // namespace plainquill::engine::libreoffice
