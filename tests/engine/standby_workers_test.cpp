// Word processors started ahead of a run, with fake ones that count their starts and ends.
#include "engine/standby_workers.h"
#include "tests/engine/support/test_files.h"
#include "tests/support/fake_workers.h"

#include <gtest/gtest.h>

namespace plainquill::engine {
namespace {

using namespace std::chrono_literals;
using plainquill::testing::FakeWorkerFarm;
using testing::TemporaryFolder;
using testing::writeBytes;

class StandbyWorkersTest : public ::testing::Test {
protected:
    void queueDocuments(int count)
    {
        for (int i = 0; i < count; ++i) {
            const std::string base(1, char('a' + i));
            writeBytes(input / (base + ".doc"), base);
            queue.push_back({input / (base + ".doc"), input / (base + ".txt")});
            todo.push_back(std::size_t(i));
        }
    }

    TemporaryFolder input;
    std::vector<ConversionItem> queue;
    std::vector<std::size_t> todo;
    FakeWorkerFarm farm;
};

TEST_F(StandbyWorkersTest, TheRunTakesTheWordProcessorsStartedAheadAndStartsOnlyTheOthers)
{
    queueDocuments(4);
    // Started and waiting, or still starting when the run begins: either way it is the one used.
    for (const bool stillStarting : {false, true}) {
        SCOPED_TRACE(stillStarting);
        FakeWorkerFarm workers;
        StandbyWorkers standby(workers.factory());
        workers.holdStarts(stillStarting);
        standby.warmUp();
        standby.warmUp(); // asked again as more documents are queued: still one
        if (!stillStarting) {
            ASSERT_TRUE(workers.waitFor([&] { return workers.starts() == 1; }));
            workers.holdStarts(true); // the others' starts wait: the first document must not
            workers.holdDocument("a.doc"); // and the others take documents of their own meanwhile
        }
        EXPECT_EQ(standby.warm(), 1);
        {
            WorkerPool pool(queue, todo, 3, standby.launchers());
            EXPECT_EQ(standby.warm(), 0) << "handed to the run";
            if (!stillStarting) {
                EXPECT_TRUE(workers.waitFor([&] { return workers.openedBy().contains("a.doc"); }))
                    << "converting while the others still start";
            }
            ASSERT_TRUE(workers.waitFor([&] { return workers.startsAsked() == 3; }));
            workers.holdStarts(false);
            workers.releaseDocuments();
            pool.join();
            for (const std::size_t position : todo)
                EXPECT_EQ(pool.result(position).status, Status::Converted);
            EXPECT_EQ(workers.starts(), 3) << "the one started ahead and two more, none for nothing";
        }
        if (!stillStarting) {
            EXPECT_EQ(workers.openedBy().at("a.doc"), 1) << "the first document went to the one started ahead";
        }
        EXPECT_EQ(workers.living(), 0);
    }
}

TEST_F(StandbyWorkersTest, WarmingUpReturnsWhileTheStartsAreStillUnderWay)
{
    farm.holdStarts(true); // a start that would never end: warmUp must not wait for it
    StandbyWorkers standby(farm.factory());
    standby.warmUp(2);
    EXPECT_EQ(standby.warm(), 2);
    EXPECT_EQ(farm.starts(), 0);
    farm.holdStarts(false);
    EXPECT_TRUE(farm.waitFor([&] { return farm.starts() == 2; }));
}

TEST_F(StandbyWorkersTest, OneLeftIdleIsQuitAndStartedAgainWhenAskedFor)
{
    StandbyWorkers standby(farm.factory(), 50ms);
    standby.warmUp();
    ASSERT_TRUE(farm.waitFor([&] { return farm.starts() == 1 && farm.living() == 0; })) << "quit once idle";
    EXPECT_EQ(standby.warm(), 0);

    standby.warmUp();
    ASSERT_TRUE(farm.waitFor([&] { return farm.starts() == 2; }));
    queueDocuments(1);
    WorkerPool pool(queue, todo, 1, standby.launchers());
    pool.join();
    EXPECT_EQ(pool.result(0).status, Status::Converted);
}

TEST_F(StandbyWorkersTest, DestroyingItLeavesNoWordProcessorBehind)
{
    const struct {
        const char* name;
        bool startsHeld;
        int warmed;
    } cases[] = {
        {"one waiting for a run", false, 1},
        {"two waiting", false, 2},
        {"one still starting", true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeWorkerFarm workers;
        workers.holdStarts(c.startsHeld);
        {
            StandbyWorkers standby(workers.factory());
            standby.warmUp(c.warmed);
            if (!c.startsHeld) {
                ASSERT_TRUE(workers.waitFor([&] { return workers.starts() == c.warmed; }));
            }
        }
        EXPECT_EQ(workers.living(), 0);
        EXPECT_EQ(workers.starts(), c.startsHeld ? 0 : c.warmed) << "a start under way is interrupted, not finished";
    }
}

} // namespace
} // namespace plainquill::engine

namespace plainquill::engine {
namespace {

TEST(WorkersToWarm, AllWhereEachHasItsShareOfMemoryElseOne)
{
    constexpr std::uint64_t GiB = kMemoryPerWorker;
    struct Case { int workers; std::uint64_t available; int warmed; };
    for (const Case c : {Case{4, 4 * GiB, 4}, Case{4, 4 * GiB - 1, 1}, Case{2, 20 * GiB, 2}, Case{2, 0, 1},
                         Case{1, 0, 1}, Case{0, 8 * GiB, 1}})
        EXPECT_EQ(workersToWarm(c.workers, c.available), c.warmed) << c.workers << " workers, " << c.available;
    EXPECT_GT(availableMemory(), 0u) << "MemAvailable is read from the kernel";
}

} // namespace
} // namespace plainquill::engine
