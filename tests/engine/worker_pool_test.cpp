// The worker pool with fake word processors: results in queue order, the document in hand,
// abandoning a run, how many workers a run takes.
#include "engine/in_order_release.h"
#include "engine/worker_pool.h"
#include "tests/engine/support/test_files.h"
#include "tests/support/fake_workers.h"

#include <gtest/gtest.h>

namespace plainquill::engine {
namespace {

using plainquill::testing::FakeWorkerFarm;
using testing::readBytes;
using testing::TemporaryFolder;
using testing::writeBytes;
using Positions = std::vector<std::size_t>;

TEST(InOrderRelease, ReleasesOnlyTheLongestFinishedRunInQueueOrder)
{
    // Positions 1 and 4 are not in the run (unchecked rows).
    const struct {
        const char* name;
        std::vector<Positions> finished; // handed in, call after call
        std::vector<Positions> released; // expected back from each call
    } cases[] = {
        {"in order", {{0}, {2}, {3}, {5}}, {{0}, {2}, {3}, {5}}},
        {"backwards", {{5}, {3}, {2}, {0}}, {{}, {}, {}, {0, 2, 3, 5}}},
        {"several at once, out of order", {{3, 0}, {5, 2}}, {{0}, {2, 3, 5}}},
        {"positions not in the run and repeats", {{1, 4, 2}, {2}, {0, 0}, {5, 3}}, {{}, {}, {0, 2}, {3, 5}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InOrderRelease release({0, 2, 3, 5});
        EXPECT_EQ(release.waitingFor(), 0u);
        for (std::size_t call = 0; call < c.finished.size(); ++call)
            EXPECT_EQ(release.release(c.finished[call]), c.released[call]) << "call " << call;
        EXPECT_TRUE(release.allReleased());
        EXPECT_EQ(release.waitingFor(), std::nullopt);
    }
}

TEST(WorkerPool, TakesOneWorkerPerCoreUpToFour)
{
    const std::pair<unsigned, int> cases[] = {{0, 1}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {16, 4}, {~0u, 4}};
    for (const auto& [cores, workers] : cases)
        EXPECT_EQ(defaultWorkerCount(cores), workers) << cores << " cores";
}

class WorkerPoolRun : public ::testing::Test {
protected:
    // Documents a.doc, b.doc, ... in the input folder, each becoming a text in the output folder.
    void queueDocuments(int count)
    {
        for (int i = 0; i < count; ++i) {
            const std::string base(1, char('a' + i));
            writeBytes(input.path() / (base + ".doc"), "text of " + base);
            queue.push_back({input.path() / (base + ".doc"), output.path() / (base + ".txt")});
            todo.push_back(std::size_t(i));
        }
    }

    TemporaryFolder input, output;
    std::vector<ConversionItem> queue;
    Positions todo;
    FakeWorkerFarm farm;
};

TEST_F(WorkerPoolRun, ResultsFinishedOutOfOrderAreReleasedInQueueOrder)
{
    queueDocuments(5);
    farm.holdDocument("a.doc"); // the first document is long; the others finish before it
    WorkerPool pool(queue, todo, 2, farm.factory());
    InOrderRelease release(todo);
    Positions released;
    ASSERT_TRUE(farm.waitFor([&] { return farm.openedBy().size() == 5; })) << "the other worker took the rest";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (pool.inHand().size() > 1 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_EQ(pool.earliestInHand(), 0u);
    EXPECT_EQ(pool.inHand(), std::vector<std::filesystem::path>{queue[0].source});
    EXPECT_EQ(release.release(pool.takeFinished()), Positions{}) << "nothing may pass the document in hand";

    farm.releaseDocuments();
    pool.join();
    for (const std::size_t position : release.release(pool.takeFinished()))
        released.push_back(position);
    EXPECT_EQ(released, todo);
    EXPECT_EQ(pool.earliestInHand(), std::nullopt);
    for (const std::size_t position : todo) {
        EXPECT_EQ(pool.result(position).status, Status::Converted) << position;
        EXPECT_EQ(readBytes(queue[position].target), readBytes(queue[position].source));
    }
    EXPECT_EQ(farm.living(), 0) << "every word processor quit with the run";
}

TEST_F(WorkerPoolRun, AnAbandonedRunEndsAtOnceAndDocumentsInHandKeepTheirOldText)
{
    queueDocuments(4);
    for (const ConversionItem& item : queue)
        writeBytes(item.target, "the old text");
    farm.holdDocument("a.doc");
    farm.holdDocument("b.doc");
    WorkerPool pool(queue, todo, 2, farm.factory());
    ASSERT_TRUE(farm.waitFor([&] { return farm.openedBy().size() == 2; }));
    EXPECT_EQ(pool.earliestInHand(), 0u);

    pool.interrupt(); // the held documents are never released: only the interrupt ends them
    pool.join();
    for (const std::size_t position : todo) {
        SCOPED_TRACE(position);
        EXPECT_EQ(pool.result(position).status, Status::NotDone);
        EXPECT_EQ(readBytes(queue[position].target), "the old text");
    }
    EXPECT_EQ(farm.openedBy().size(), 2u) << "no document is taken after the interrupt";
    EXPECT_EQ(farm.living(), 0);
}

TEST_F(WorkerPoolRun, ADocumentWhoseWorkerCannotStartGoesToOneThatDid)
{
    queueDocuments(2);
    farm.failStartsOf(1);
    farm.holdStarts(true); // the other worker's start waits until the first's have failed
    WorkerPool pool(queue, todo, 2, farm.factory());
    ASSERT_TRUE(farm.waitFor([&] { return farm.startsAsked() == 3; })) << "two tries for the first, one for the other";
    farm.holdStarts(false);
    pool.join();
    for (const std::size_t position : todo)
        EXPECT_EQ(pool.result(position).status, Status::Converted) << position;
    EXPECT_EQ(farm.starts(), 1);
}

} // namespace
} // namespace plainquill::engine
