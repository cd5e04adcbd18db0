// The worker pool with fake word processors: results in queue order, the document in hand,
// abandoning a run, how many workers a run takes.
#include "engine/worker_pool.h"
#include "tests/engine/support/test_files.h"
#include "tests/support/fake_workers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace plainquill::engine {
namespace {

using plainquill::testing::FakeWorkerFarm;
using testing::readBytes;
using testing::TemporaryFolder;
using testing::writeBytes;
using Positions = std::vector<std::size_t>;

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

TEST_F(WorkerPoolRun, ResultsAreTakenAsTheyFinishWhateverTheQueueOrder)
{
    queueDocuments(5);
    farm.holdDocument("a.doc"); // the first document is long; the others finish before it
    WorkerPool pool(queue, todo, 2, farm.factory());
    ASSERT_TRUE(farm.waitFor([&] { return farm.openedBy().size() == 5; })) << "the other worker took the rest";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (pool.inHand().size() > 1 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_EQ(pool.earliestInHand(), 0u);
    EXPECT_EQ(pool.inHand(), std::vector<std::filesystem::path>{queue[0].source});
    Positions taken = pool.takeFinished();
    std::sort(taken.begin(), taken.end());
    EXPECT_EQ(taken, (Positions{1, 2, 3, 4})) << "the document in hand holds none of the others back";

    farm.releaseDocuments();
    pool.join();
    EXPECT_EQ(pool.takeFinished(), Positions{0});
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
