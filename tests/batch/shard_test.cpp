// Splitting a queue between shards, and merging the shards' reports back, without a cluster.
#include "batch/batch_options.h"
#include "batch/queue_file.h"
#include "batch/shard_report.h"

#include <gtest/gtest.h>

namespace plainquill::batch {
namespace {

TEST(Shard, DealsTheLargestFirstToTheLeastLoadedShard)
{
    const struct {
        std::vector<std::uintmax_t> sizes;
        int count;
        std::vector<int> owners;
    } cases[] = {
        {{100, 100, 100, 100}, 2, {0, 1, 0, 1}},
        {{0, 0, 0, 0, 0}, 2, {0, 1, 0, 1, 0}}, // unmeasurable files still spread
        {{10, 5'000'000, 10, 10}, 2, {1, 0, 1, 1}},
        {{300'000, 200'000, 100'000, 100'000}, 2, {0, 1, 1, 0}},
        {{7, 8}, 4, {1, 0}},
        {{7, 8, 9}, 1, {0, 0, 0}},
        {{}, 3, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(assignShards(c.sizes, c.count), c.owners) << ::testing::PrintToString(c.sizes) << " in " << c.count;
}

TEST(Shard, RefusesArgumentsOutOfRangeAndSaysWhy)
{
    const struct {
        const char* argument;
        const char* says; // nullptr: taken
    } cases[] = {
        {"0/1", nullptr}, {"2/3", nullptr}, {"0/0", "at least 1"}, {"3/3", "from 0 to 2"},
        {"-1/3", "from 0 to 2"}, {"1/x", "not '1/x'"}, {"1", "K/N"}, {"1/3/4", "K/N"}, {" 1/3", "K/N"},
    };
    for (const auto& c : cases) {
        const ParsedArguments parsed = parseArguments({"--shard", c.argument, "-o", "out", "in"}, 1);
        EXPECT_EQ(parsed.action, c.says ? Action::UsageError : Action::Run) << c.argument;
        if (c.says) {
            EXPECT_NE(parsed.error.find(c.says), std::string::npos) << parsed.error;
        }
    }
    EXPECT_EQ(parseArguments({"--merge-reports", "all.csv"}, 1).action, Action::UsageError);
    EXPECT_EQ(parseArguments({"-q", "--merge-reports", "all.csv", "0.csv"}, 1).action, Action::UsageError);
}

class MergeReports : public ::testing::Test {
protected:
    // Three shards over four documents, one with every character CSV must quote.
    const std::vector<ReportRow> whole{{"a.doc", "out/a.txt", "converted", "", 1.5},
                                       {"b, \"the\"\nsecond.doc", "out/b.txt", "failed", "cannot open, at all", 2},
                                       {"c.doc", "out/c.txt", "skipped", "its text file is newer than it", 0},
                                       {"a.docx", "out/a (2).txt", "converted", "", 0.25}};
    const std::vector<int> owners{0, 2, 0, 1};

    ShardReportFile reportOf(int shard, std::vector<ReportRow> rows = {}, const std::string& queue = {}) const
    {
        if (rows.empty())
            rows = whole;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (owners[i] != shard)
                rows[i] = {rows[i].source, rows[i].target, kAnotherShard, "", 0};
        return {"shard-" + std::to_string(shard) + ".csv", shardReport(rows, owners, 3, queue), {}};
    }
};

TEST_F(MergeReports, GivesWhatOneRunWouldHaveWritten)
{
    const MergeResult merged = mergeShardReports({reportOf(2), reportOf(0), reportOf(1)});
    EXPECT_EQ(merged.report, csvReport(whole));
    EXPECT_EQ(merged.exitStatus, 1) << "b failed";

    auto fixed = whole;
    fixed[1].status = "converted";
    const MergeResult again = mergeShardReports({reportOf(0), reportOf(1), reportOf(2), reportOf(2, fixed)});
    EXPECT_EQ(again.exitStatus, 0) << "a task run again counts as it ended last";
}

TEST_F(MergeReports, NamesTheShardsThatDidNotReport)
{
    const MergeResult merged = mergeShardReports({reportOf(0), {"shard-2.csv", std::nullopt, "no such file"}});
    EXPECT_EQ(merged.exitStatus, 1);
    const std::string problems = ::testing::PrintToString(merged.problems);
    for (const char* says : {"no report shard-2.csv", "shard 1/3 did not report 1 document", "shard 2/3",
                             "submit tasks 1,2 again (scripts/slurm/submit.sh INPUT OUTPUT 3 1,2"})
        EXPECT_NE(problems.find(says), std::string::npos) << says << " in " << problems;
    EXPECT_NE(merged.report.find("out/a (2).txt,not done,shard 1/3 did not report it"), std::string::npos);
}

TEST_F(MergeReports, RefusesReportsThatDoNotBelongTogether)
{
    auto other = whole;
    other[3].target = "out/a.docx.txt";
    const ShardReportFile plain{"plain.csv", csvReport(whole), {}};
    const ShardReportFile bad{"bad.csv", "source,target,status,reason,seconds,shard\n\"a,b\n", {}};
    for (const auto& reports : {std::vector{reportOf(0), reportOf(1, other)}, std::vector{reportOf(0), plain},
                                std::vector{reportOf(0, whole, "one queue"), reportOf(1, whole, "another")},
                                std::vector{reportOf(0, whole, "one queue"), reportOf(1)},
                                std::vector{bad}, std::vector<ShardReportFile>{}})
        EXPECT_EQ(mergeShardReports(reports).exitStatus, 2) << ::testing::PrintToString(reports.size());
    const auto sameQueue = {reportOf(0, whole, "one queue"), reportOf(1, whole, "one queue"),
                            reportOf(2, whole, "one queue")};
    EXPECT_EQ(mergeShardReports(sameQueue).report, csvReport(whole));
}

TEST(QueueFile, ReadsBackWhatItWroteAndRefusesWhatItDidNot)
{
    const std::filesystem::path out = "/out";
    const std::vector<BatchItem> queue{{"/in/a, \"b\".doc", "/out/a, \"b\".txt"}, {"/in/x/c.doc", "/out/x/c (2).txt"}};
    std::string error;
    const auto back = parseQueueFile(queueFileText(queue, out), "/elsewhere", error);
    ASSERT_TRUE(back) << error;
    ASSERT_EQ(back->items.size(), 2u);
    EXPECT_EQ(back->items[1].source, "/in/x/c.doc");
    EXPECT_EQ(back->items[1].target, "/elsewhere/x/c (2).txt") << "targets follow this run's output folder";
    EXPECT_EQ(back->sizes, (std::vector<std::uintmax_t>{0, 0})) << "documents that are not there weigh nothing";
    EXPECT_NE(back->identity, parseQueueFile(queueFileText({queue[0]}, out), out, error)->identity);

    for (const char* text : {"", "source,target\n", "source,size,target\n/a.doc,x,a.txt\n",
                             "source,size,target\n/a.doc,1,/tmp/a.txt\n", "source,size,target\n/a.doc,1,x/../../a.txt\n",
                             "source,size,target\n,1,a.txt\n", "source,size,target\n/a.doc,1\n"})
        EXPECT_FALSE(parseQueueFile(text, out, error)) << text;
}

} // namespace
} // namespace plainquill::batch
