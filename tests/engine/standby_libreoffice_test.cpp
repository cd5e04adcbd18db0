// LibreOffice started ahead of a run: whatever state it is in when the standby goes, none of its
// processes survives it.
#include "engine/libreoffice/interruptible_libreoffice.h"
#include "engine/standby_workers.h"
#include "tests/engine/support/processes.h"
#include "tests/engine/support/test_files.h"

#include <gtest/gtest.h>

#include <thread>

namespace plainquill::engine::testing {
namespace {

using namespace std::chrono_literals;

// Polls `condition` for up to two minutes: a loaded machine starts LibreOffice slowly.
template <typename Condition>
bool eventually(Condition condition)
{
    const auto deadline = std::chrono::steady_clock::now() + 120s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

TEST(StandbyLibreOffice, NoLibreOfficeOfItsOwnOutlivesIt)
{
    enum class Then { Nothing, WaitUntilStarted, ConvertADocument };
    const struct {
        const char* name;
        Then then;
    } cases[] = {
        {"destroyed while LibreOffice starts", Then::Nothing},
        {"destroyed while LibreOffice waits for a run", Then::WaitUntilStarted},
        {"after a run that took it", Then::ConvertADocument},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder scratch, work;
        const LauncherFactory launchers = [&] {
            LibreOfficeOptions options;
            options.scratchParent = scratch.path();
            return std::make_unique<InterruptibleLibreOffice>(std::move(options));
        };
        {
            StandbyWorkers standby(launchers);
            standby.warmUp();
            if (c.then != Then::Nothing) {
                ASSERT_TRUE(eventually([&] { return standby.ready() == 1; }));
            }
            if (c.then == Then::WaitUntilStarted) {
                EXPECT_FALSE(livingProcessesMentioning(scratch.path().string()).empty()) << "it is running";
            }
            if (c.then == Then::ConvertADocument) {
                writeBytes(work / "a.rtf", "{\\rtf1\\ansi Ahead of time.\\par}");
                const std::vector<ConversionItem> queue{{work / "a.rtf", work / "a.txt"}};
                WorkerPool pool(queue, {0}, 1, standby.launchers());
                EXPECT_EQ(standby.ready(), 0) << "handed to the run";
                pool.join();
                EXPECT_EQ(pool.result(0).status, Status::Converted) << pool.result(0).reason;
                EXPECT_EQ(readBytes(work / "a.txt"), "Ahead of time.\n");
            }
        }
        EXPECT_EQ(livingProcessesMentioning(scratch.path().string()), std::vector<pid_t>{});
    }
}

} // namespace
} // namespace plainquill::engine::testing
