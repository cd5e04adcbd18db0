// Ending the program during a run, from outside, against a real LibreOffice: the window closed,
// or the process told to end by a signal. The program must end soon after the current document,
// leave no LibreOffice behind, no half-written text and no claim on the single-instance lock.
#include "engine/libreoffice/libreoffice_launcher.h"
#include "tests/engine/sample_documents.h"
#include "tests/engine/support/processes.h"
#include "tests/engine/support/test_files.h"
#include "tests/support/child_process.h"

#include <gtest/gtest.h>

namespace plainquill {
namespace {

namespace fs = std::filesystem;
using engine::testing::TemporaryFolder;
using engine::testing::kSampleText;
using engine::testing::readBytes;
using namespace std::chrono_literals;

constexpr int kLongParagraphs = 3000;

class ShutdownTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_documents = std::make_unique<TemporaryFolder>();
        engine::LibreOfficeLauncher maker;
        std::unique_ptr<engine::WordProcessor> libreOffice = maker.Start();
        // Recorded and failed in each test: a failure here would show the tests as skipped.
        if (!libreOffice) {
            s_setUpFailure = "LibreOffice did not start: " + maker.lastFailure();
            return;
        }
        const fs::path folder = s_documents->path();
        const fs::path longDocx = engine::testing::writeLongDocx(*libreOffice, folder, kLongParagraphs);
        const fs::path sample = engine::testing::writeSample(*libreOffice, folder, "sample", ".rtf");
        libreOffice->Quit();
        for (const char* name : {"a.rtf", "long.docx", "c.rtf", "d.rtf"})
            fs::copy_file(name == std::string("long.docx") ? longDocx : sample, folder / name);
    }
    static void TearDownTestSuite() { s_documents.reset(); }
    void SetUp() override { ASSERT_EQ(s_setUpFailure, ""); }
    // A failing case must not leave its LibreOffice running on a shared machine.
    ~ShutdownTest() override
    {
        for (const pid_t pid : engine::testing::livingProcessesMentioning(scratch.path().string()))
            ::kill(pid, SIGKILL);
    }

    std::string lock() const { return scratch.path() / "plainquill.lock"; }
    std::string outputOf(const std::string& name) const
    {
        const fs::path file = output.path() / name;
        return fs::exists(file) ? readBytes(file) : "<missing>";
    }

    static inline std::unique_ptr<TemporaryFolder> s_documents;
    static inline std::string s_setUpFailure;
    TemporaryFolder scratch, output;
};

TEST_F(ShutdownTest, EndingDuringARunEndsItAtOnceAndLeavesNothingBehind)
{
    // closeAt: the document in hand (the second is the long one) at which the window closes
    // itself, or (below 0) a moment into it; 0: a signal instead.
    struct Case { int closeAt, signal; };
    for (const Case& c : {Case{2, 0}, Case{-2, 0}, Case{0, SIGTERM}, Case{0, SIGHUP}, Case{0, SIGINT}}) {
        SCOPED_TRACE(c.signal);
        for (const auto& entry : fs::directory_iterator(output.path()))
            fs::remove_all(entry.path());
        // window_process <scratch folder> <lock file> <output folder> <close at document> [documents...]
        std::vector<std::string> command{PLAINQUILL_WINDOW_PROCESS, scratch.path(), lock(), output.path(),
                                         std::to_string(c.closeAt)};
        for (const char* name : {"a.rtf", "long.docx", "c.rtf", "d.rtf"})
            command.push_back(s_documents->path() / name);
        testing::ChildProcess program(command);
        std::optional<std::string> line;
        while ((line = program.readLine(60s)) && *line != "document 2") {}
        ASSERT_TRUE(line) << "the run did not reach its second document";
        if (c.signal) {
            // Most likely while the long document converts: the program gives it up at once.
            std::this_thread::sleep_for(300ms);
            program.signal(c.signal);
        }
        while ((line = program.readLine(60s)))
            EXPECT_NE(*line, "warm-up asked") << "a LibreOffice was asked for after the window closed";
        const std::optional<int> status = program.waitForExit(60s);
        ASSERT_TRUE(status.has_value()) << "the program did not end";
        EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << "status " << *status;
        EXPECT_EQ(engine::testing::livingProcessesMentioning(scratch.path().string()), std::vector<pid_t>{})
            << "a LibreOffice outlived the program";
        EXPECT_FALSE(fs::exists(lock())) << "the single-instance lock was not released";
        EXPECT_EQ(outputOf("a.txt"), kSampleText);
        const std::string longText = outputOf("long.txt");
        if (c.closeAt < 0) {
            EXPECT_EQ(longText, "<missing>") << "the window waited for the document in hand";
        }
        if (longText != "<missing>") {
            EXPECT_NE(longText.find("Paragraph " + std::to_string(kLongParagraphs) + ":"), std::string::npos);
        }
        // Nothing past the current document, and nothing half-written left beside the texts.
        EXPECT_EQ(engine::testing::fileNames(output.path()).size(), longText == "<missing>" ? 1u : 2u);
    }
}

} // namespace
} // namespace plainquill
