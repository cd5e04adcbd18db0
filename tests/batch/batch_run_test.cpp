// The batch command's run with a scripted word processor: which documents it converts on a resumed
// run, and what its exit status says.
#include "batch/batch_command.h"
#include "batch/manifest.h"
#include "batch/queue_file.h"
#include "batch/shard_report.h"
#include "engine/output_folder_lock.h"
#include "engine/staged_output_file.h"
#include "tests/engine/support/test_files.h"
#include "tests/support/fake_word_processor.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <tuple>

namespace plainquill::batch {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using engine::testing::readBytes;
using engine::testing::TemporaryFolder;
using engine::testing::writeBytes;

class ScriptedWorkers : public InterruptibleLauncher {
public:
    ScriptedWorkers() = default;
    // `startsAsked`, when given, counts the starts asked of every worker.
    explicit ScriptedWorkers(const testing::FakeWordProcessorScript& script, std::atomic<int>* startsAsked = nullptr)
        : m_startsAsked(startsAsked)
    {
        m_launcher.script = script;
    }
    std::unique_ptr<engine::WordProcessor> Start() override
    {
        if (m_startsAsked)
            ++*m_startsAsked;
        return m_launcher.Start();
    }
    engine::StartFailure lastStartFailure() const override { return m_launcher.lastStartFailure(); }
    std::optional<engine::OpenResult> refusalBeforeStart(const fs::path& file) const override
    {
        return m_launcher.refusalBeforeStart(file);
    }
    void interrupt() override {}

private:
    testing::FakeLauncher m_launcher;
    std::atomic<int>* m_startsAsked = nullptr;
};

// Standard output or error, kept in a file the test reads back.
class CapturedStream {
public:
    CapturedStream() : m_file(std::tmpfile()) {}
    ~CapturedStream() { std::fclose(m_file); }
    CapturedStream(const CapturedStream&) = delete;
    CapturedStream& operator=(const CapturedStream&) = delete;
    std::FILE* file() const { return m_file; }
    std::string text() const
    {
        std::fflush(m_file);
        std::rewind(m_file);
        std::string text;
        for (int c; (c = std::fgetc(m_file)) != EOF;)
            text += char(c);
        return text;
    }

private:
    std::FILE* m_file;
};

class BatchRunTest : public ::testing::Test {
protected:
    BatchRunTest()
    {
        options.inputs = {input.path() / "a.doc"};
        options.outputFolder = output.path();
        options.libreOffice = "/bin/sh"; // found, and never started: the workers are scripted
        options.quiet = true;
        writeBytes(input.path() / "a.doc", "the document");
    }
    int run()
    {
        Console console{out.file(), err.file(), false, 80};
        return runBatch(options, console, [] { return std::make_unique<ScriptedWorkers>(); });
    }

    // Runs `run`, hearing what it says on standard error and counting the word processors' launchers
    // it makes and the starts it asks of them.
    struct Heard {
        int status = -1;
        std::string said;
        int started = 0;
        int startsAsked = 0;
    };
    Heard runHeard(const BatchOptions& run, const testing::FakeWordProcessorScript& script = {})
    {
        Heard heard;
        CapturedStream said;
        Console console{out.file(), said.file(), false, 80};
        std::atomic<int> startsAsked = 0;
        heard.status = runBatch(run, console, [&] {
            ++heard.started;
            return std::make_unique<ScriptedWorkers>(script, &startsAsked);
        });
        heard.said = said.text();
        heard.startsAsked = startsAsked;
        return heard;
    }

    TemporaryFolder input, output;
    BatchOptions options;
    CapturedStream out, err;
};

TEST_F(BatchRunTest, SkipsOnlyATextStrictlyNewerThanItsDocument)
{
    const struct {
        const char* name;
        std::optional<fs::file_time_type::duration> textAge; // none: no text yet
        bool skipped;
    } cases[] = {
        {"no text", std::nullopt, false},
        {"text older", -1s, false},
        {"text of the same time", 0s, false},
        {"text newer", 1s, true},
    };
    ASSERT_EQ(run(), kAllConverted) << "records the manifest that vouches for the text";
    options.skipExisting = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path text = output.path() / "a.txt";
        fs::remove(text);
        if (c.textAge) {
            writeBytes(text, "an earlier text");
            fs::last_write_time(text, fs::last_write_time(input.path() / "a.doc") + *c.textAge);
        }
        EXPECT_EQ(run(), kAllConverted);
        EXPECT_EQ(engine::testing::readBytes(text), c.skipped ? "an earlier text" : "the document");
    }
}

TEST_F(BatchRunTest, AResumeKeepsOnlyATextTheManifestVouchesFor)
{
    const fs::path doc = input.path() / "a.doc", docx = input.path() / "a.docx";
    const fs::path text = output.path() / "a.txt", manifest = output.path() / manifestFileName(std::nullopt);
    const auto past = fs::file_time_type::clock::now() - 1h;
    const struct {
        const char* name;
        std::function<void()> change; // after a first run converted a.doc
        bool kept;
    } cases[] = {
        {"the same document, unchanged", [] {}, true},
        {"its size changed, not its time", [&] { writeBytes(doc, "the longer document"); fs::last_write_time(doc, past); },
         false},
        {"its time changed, not its size", [&] { fs::last_write_time(doc, past - 1s); }, false},
        {"the text deleted", [&] { fs::remove(text); }, false},
        {"no manifest: a folder converted before there was one", [&] { fs::remove(manifest); }, false},
        // Only its line end lost: the line reads as whole, and is still not to be trusted.
        {"its last line cut short", [&] { fs::resize_file(manifest, fs::file_size(manifest) - 1); }, false},
        // Same size and time, another path: the text's name now comes from another document.
        {"another document under its text's name", [&] { fs::rename(doc, docx); options.inputs = {docx}; }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(output.path());
        fs::remove(docx);
        options.inputs = {doc};
        writeBytes(doc, "the document");
        fs::last_write_time(doc, past);
        options.skipExisting = false;
        ASSERT_EQ(run(), kAllConverted);
        writeBytes(text, "the kept text"); // newer than the document, as a converted text is
        c.change();
        options.skipExisting = true;
        EXPECT_EQ(run(), kAllConverted);
        EXPECT_EQ(readBytes(text), c.kept ? "the kept text" : readBytes(options.inputs.front()));
    }
}

TEST_F(BatchRunTest, ADocumentQueuedAheadOfAnotherOfItsNameIsConvertedAndSoIsTheOther)
{
    // An archive copied with its times: older than the texts of the first run.
    const fs::path doc = input.path() / "a.doc", docx = input.path() / "a.docx";
    writeBytes(docx, "the docx");
    options.inputs = {docx};
    ASSERT_EQ(run(), kAllConverted);
    fs::last_write_time(doc, fs::last_write_time(output.path() / "a.txt") - 1h);

    options.inputs = {doc, docx};
    options.skipExisting = true;
    options.reportFile = output.path() / "report.csv";
    EXPECT_EQ(run(), kAllConverted);
    EXPECT_EQ(readBytes(output.path() / "a.txt"), "the document");
    EXPECT_EQ(readBytes(output.path() / "a (2).txt"), "the docx");
    EXPECT_EQ(readBytes(options.reportFile).find(",skipped,"), std::string::npos) << readBytes(options.reportFile);
}

// Two shards of one queue file, then of another, resumed in the same output folder.
TEST_F(BatchRunTest, ShardsOfAQueueFileResumeByTheirManifestsAndTheirReportsNameTheQueue)
{
    const fs::path doc = input.path() / "a.doc", docx = input.path() / "a.docx";
    writeBytes(docx, "the docx");
    const auto runShards = [&](const std::vector<fs::path>& inputs, const std::string& queueName) {
        writeWholeFile(input.path() / queueName, queueFileText(buildQueue({inputs, false, Layout::Flat,
                                                                           output.path()}), output.path()));
        options.inputs.clear();
        options.queueFile = input.path() / queueName;
        options.skipExisting = true;
        std::vector<ShardReportFile> reports;
        for (int k = 0; k < 2; ++k) {
            options.shard = Shard{k, 2};
            options.reportFile = output.path() / (queueName + "-shard" + std::to_string(k));
            EXPECT_EQ(run(), kAllConverted) << err.text();
            reports.push_back({options.reportFile, readBytes(options.reportFile), {}});
        }
        return reports;
    };
    const auto first = runShards({docx}, "first.csv");
    fs::last_write_time(doc, fs::last_write_time(output.path() / "a.txt") - 1h);
    const auto second = runShards({doc, docx}, "second.csv");

    EXPECT_EQ(readBytes(output.path() / "a.txt"), "the document");
    EXPECT_EQ(readBytes(output.path() / "a (2).txt"), "the docx");
    for (const char* manifest : {".plainquill-manifest.0-of-2.csv", ".plainquill-manifest.1-of-2.csv"})
        EXPECT_TRUE(fs::exists(output.path() / manifest)) << manifest;
    EXPECT_EQ(mergeShardReports(second).exitStatus, kAllConverted);
    const MergeResult mixed = mergeShardReports({second[0], first[1]});
    EXPECT_EQ(mixed.exitStatus, kUsageError);
    EXPECT_NE(::testing::PrintToString(mixed.problems).find("read different queue files"), std::string::npos)
        << ::testing::PrintToString(mixed.problems);
}

TEST_F(BatchRunTest, AQueueFilesDocumentThatChangedSizeIsConvertedAndNoted)
{
    const fs::path queue = input.path() / "queue.csv";
    writeWholeFile(queue, queueFileText(buildQueue({options.inputs, false, Layout::Flat, output.path()}), output.path()));
    writeBytes(input.path() / "a.doc", "the document, longer");
    options.inputs.clear();
    options.queueFile = queue;
    EXPECT_EQ(run(), kAllConverted);
    EXPECT_EQ(readBytes(output.path() / "a.txt"), "the document, longer");
    EXPECT_NE(err.text().find("changed size since the queue was written (12 bytes then, 20 now)"), std::string::npos)
        << err.text();

    writeBytes(queue, "source,size,target\n/x.doc,1,../x.txt\n");
    EXPECT_EQ(run(), kUsageError);
    EXPECT_NE(err.text().find("has a damaged row (2)"), std::string::npos) << err.text();
}

TEST_F(BatchRunTest, AReportThatCannotBeWrittenFailsTheRun)
{
    options.reportFile = output.path() / "report.csv";
    fs::create_directory(options.reportFile); // a folder where the report should go
    EXPECT_EQ(run(), kSomeFailed);
    EXPECT_EQ(engine::testing::readBytes(output.path() / "a.txt"), "the document") << "the text is still written";
    EXPECT_NE(err.text().find("report.csv"), std::string::npos) << err.text();
}

TEST_F(BatchRunTest, AProgressPipeNobodyReadsStopsNothingWhenAReportWasAskedFor)
{
    options.quiet = false; // a progress line per document, into the broken pipe
    options.inputs.clear();
    for (const char* name : {"a.doc", "b.doc", "c.doc", "d.doc"}) {
        writeBytes(input.path() / name, name);
        options.inputs.push_back(input.path() / name);
    }
    options.reportFile = output.path() / "report.csv";
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]); // the reader has gone, as `head` does after its lines
    std::FILE* progress = ::fdopen(ends[1], "w");
    Console console{out.file(), progress, false, 80};
    EXPECT_EQ(runBatch(options, console, [] { return std::make_unique<ScriptedWorkers>(); }), kAllConverted);
    std::fclose(progress);
    EXPECT_EQ(engine::testing::readBytes(output.path() / "d.txt"), "d.doc") << "the run went on to the end";
    const std::string report = engine::testing::readBytes(options.reportFile);
    std::size_t converted = 0;
    for (std::size_t at = 0; (at = report.find(",converted,", at)) != std::string::npos; ++at)
        ++converted;
    EXPECT_EQ(converted, 4u) << report;
}

TEST_F(BatchRunTest, ListsEachFailureInPlainWordsAndItsRawDetailsOnlyWhenVerbose)
{
    testing::FakeWordProcessorScript script;
    script.openFailures["a.doc"] = engine::Failure::CouldNotOpen;
    script.rawDetail = "generic_Text error 0x04004039";
    for (const bool verbose : {false, true}) {
        SCOPED_TRACE(verbose);
        options.verbose = verbose;
        CapturedStream said;
        Console console{out.file(), said.file(), false, 80};
        EXPECT_EQ(runBatch(options, console, [&] { return std::make_unique<ScriptedWorkers>(script); }), kSomeFailed);
        const std::string text = said.text();
        EXPECT_NE(text.find("1 of 1 document could not be converted:\n"), std::string::npos) << text;
        EXPECT_NE(text.find("could not open (scripted)"), std::string::npos) << text;
        EXPECT_EQ(text.find("LibreOffice said"), std::string::npos) << text;
        EXPECT_EQ(text.find("0x04004039") != std::string::npos, verbose) << text;
    }
}

// A mistyped name is the command line's fault: said at once, with nothing made or started.
TEST_F(BatchRunTest, AMissingInputOrABadQueueFileIsAUsageErrorThatLeavesNoTrace)
{
    options.outputFolder = output.path() / "new";
    const fs::path gone = input.path() / "gone.doc", noQueue = input.path() / "gone.csv",
                   binary = input.path() / "binary.csv";
    writeBytes(binary, std::string("\0\x01PK", 4));
    using Case = std::tuple<std::vector<fs::path>, fs::path, std::string>; // inputs, queue file, words
    for (const auto& [inputs, queueFile, says] :
         {Case{{input.path() / "a.doc", gone}, {}, "no such file or folder: " + gone.string()},
          Case{{}, noQueue, "the queue " + noQueue.string()}, Case{{}, binary, "the queue " + binary.string()}}) {
        options.inputs = inputs;
        options.queueFile = queueFile;
        const Heard heard = runHeard(options);
        EXPECT_EQ(heard.status, kUsageError);
        EXPECT_NE(heard.said.find(says), std::string::npos) << heard.said;
        EXPECT_EQ(heard.started, 0) << "no word processor started";
        EXPECT_FALSE(fs::exists(options.outputFolder)) << "no output folder made";
    }
}

TEST_F(BatchRunTest, AWordProcessorThatCannotStartIsReportedWithItsReasonAndNothingIsRecorded)
{
    testing::FakeWordProcessorScript script;
    script.startable = false;
    script.startFailure = {true, "it stopped or did not answer while starting", "exit status 81"};
    writeBytes(input.path() / "b.doc", "the other document");
    options.inputs.push_back(input.path() / "b.doc");
    options.verbose = true;
    for (const int workers : {1, 2}) {
        SCOPED_TRACE(workers);
        options.workers = workers;
        CapturedStream said;
        Console console{out.file(), said.file(), false, 80};
        EXPECT_EQ(runBatch(options, console, [&] { return std::make_unique<ScriptedWorkers>(script); }), kUsageError);
        EXPECT_NE(said.text().find("plainquill-batch: LibreOffice could not be started: it stopped or did not answer "
                                   "while starting\n  details: exit status 81\n"),
                  std::string::npos)
            << said.text();
        EXPECT_TRUE(fs::is_empty(output.path())) << "no text and no manifest";
    }
}

// LibreOffice is started only for a document that reaches it: a run of files all refused unseen
// (empty, or up to date) starts none and ends as it always did.
TEST_F(BatchRunTest, StartsLibreOfficeOnlyForADocumentThatReachesIt)
{
    const struct {
        const char* name;
        std::vector<std::string> texts; // of a.doc, b.doc, ...; empty ones are refused
        bool upToDate;                  // converted before, and run with --skip-existing
        bool startable;
        int status;
        int startsAsked;
        const char* says;
    } cases[] = {
        {"every file empty", {"", ""}, false, true, kSomeFailed, 0, "2 of 2 documents could not be converted"},
        {"every document up to date", {"a", "b"}, true, true, kAllConverted, 0, ""},
        {"one document among empty files", {"", "b", ""}, false, true, kSomeFailed, 1, "2 of 3 documents could not"},
        {"empty files, LibreOffice broken", {"", ""}, false, false, kSomeFailed, 0, "2 of 2 documents could not"},
        {"a document, LibreOffice broken", {"", "b"}, false, false, kUsageError, 2, "1 of 2 documents could not"},
    };
    options.workers = 2;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder documents;
        options.inputs.clear();
        for (const std::string& text : c.texts) {
            options.inputs.push_back(documents.path() / (char('a' + options.inputs.size()) + std::string(".doc")));
            writeBytes(options.inputs.back(), text);
        }
        options.outputFolder = documents.path() / "out";
        options.skipExisting = false;
        if (c.upToDate) {
            ASSERT_EQ(run(), kAllConverted);
        }
        options.skipExisting = c.upToDate;
        testing::FakeWordProcessorScript script;
        script.startable = c.startable;
        script.startFailure = {true, "it did not answer", {}};
        const Heard heard = runHeard(options, script);
        EXPECT_EQ(heard.status, c.status);
        EXPECT_EQ(heard.startsAsked, c.startsAsked);
        EXPECT_NE(heard.said.find(c.says), std::string::npos) << heard.said;
        EXPECT_EQ(heard.said.find("LibreOffice could not be started") != std::string::npos, c.status == kUsageError)
            << heard.said;
    }
}

// Two runs in one folder would overwrite each other's texts: a run that finds the folder taken
// says by whom and leaves it alone; a shard shares it with the shards of its own split.
TEST_F(BatchRunTest, AFolderAnotherRunHasIsLeftAloneButTheShardsOfOneSplitShareIt)
{
    writeBytes(input.path() / "b.doc", "the other document");
    options.inputs.push_back(input.path() / "b.doc");
    BatchOptions shard0 = options, shard1 = options, otherSplit = options;
    shard0.shard = Shard{0, 2};
    shard1.shard = Shard{1, 2};
    otherSplit.shard = Shard{1, 2};
    otherSplit.inputs.pop_back();
    const struct {
        std::string holding; // the split of the run that has the folder
        const BatchOptions& run;
        int status;
    } cases[] = {
        {"", options, kUsageError},
        {splitOf(shard0, ""), options, kUsageError},
        {"", shard1, kUsageError},
        {splitOf(shard0, ""), otherSplit, kUsageError},
        {splitOf(shard0, ""), shard1, kAllConverted},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.holding + " then " + splitOf(c.run, ""));
        std::string holder;
        const auto other = OutputFolderLock::take(output.path(), c.holding, "the other run", holder);
        ASSERT_TRUE(other);
        const Heard heard = runHeard(c.run);
        EXPECT_EQ(heard.status, c.status);
        const auto names = engine::testing::fileNames(output.path());
        if (c.status == kUsageError) {
            EXPECT_NE(heard.said.find("is in use by process " + std::to_string(::getpid()) + ": the other run"),
                      std::string::npos)
                << heard.said;
            EXPECT_EQ(heard.started, 0);
            EXPECT_EQ(names, std::vector<std::string>{".plainquill-lock"});
        } else {
            EXPECT_NE(std::find(names.begin(), names.end(), ".plainquill-manifest.1-of-2.csv"), names.end());
        }
    }
}

// A document without text is converted, and named in the summary and the report for OCR.
TEST_F(BatchRunTest, CountsReadOneDocumentAndTwoDocuments)
{
    writeBytes(input.path() / "a.rtf", " \n \n");
    options.inputs.push_back(input.path() / "a.rtf");
    options.quiet = false;
    options.reportFile = output.path() / "report.csv";
    EXPECT_EQ(run(), kAllConverted);
    const std::string text = out.text();
    EXPECT_NE(text.find("2 of 2 documents converted"), std::string::npos) << text;
    EXPECT_NE(text.find("\n1 document shares a name with one before it; its text goes under a new name:\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\n1 document gave no text (only pictures, charts or objects, or text only in headers, "
                        "footers or comments not asked for); its text file is blank:\n  "
                        + (input.path() / "a.rtf").string() + "\n"),
              std::string::npos)
        << text;
    const std::string report = readBytes(options.reportFile);
    EXPECT_NE(report.find("a.doc," + (output.path() / "a.txt").string() + ",converted,,"), std::string::npos) << report;
    EXPECT_NE(report.find("a.rtf," + (output.path() / "a (2).txt").string()
                          + ",converted,\"no text: only pictures, charts or objects, or text only in parts not asked "
                          "for (headers, footers, comments)\","),
              std::string::npos)
        << report;
}

} // namespace
} // namespace plainquill::batch
