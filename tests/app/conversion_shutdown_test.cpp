// Ending the program during a run, from outside, against a real LibreOffice: the window closed,
// or the process told to end by a signal. The program must end soon after the current document,
// leave no LibreOffice behind, no half-written text and no claim on the single-instance lock.
#include "app/adapters/libreoffice/libreoffice_launcher.h"
#include "tests/adapters/sample_documents.h"
#include "tests/adapters/support/processes.h"
#include "tests/adapters/support/test_files.h"
#include "tests/support/child_process.h"

#include <gtest/gtest.h>

namespace plainquill {
namespace {

namespace fs = std::filesystem;
using adapters::testing::TemporaryFolder;
using adapters::testing::kSampleText;
using adapters::testing::read_bytes;
using namespace std::chrono_literals;

constexpr int kLongParagraphs = 3000;

class ShutdownTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_documents = std::make_unique<TemporaryFolder>();
        adapters::LibreOfficeLauncher maker;
        std::unique_ptr<adapters::WordProcessor> libreOffice = maker.Start();
        ASSERT_NE(libreOffice, nullptr) << maker.last_failure();
        s_long = adapters::testing::write_long_docx(*libreOffice, s_documents->path(), kLongParagraphs);
        adapters::testing::write_sample(*libreOffice, s_documents->path(), "sample", ".rtf");
        libreOffice->Quit();
    }
    static void TearDownTestSuite() { s_documents.reset(); }
    // A failing case must not leave its LibreOffice running on a shared machine.
    ~ShutdownTest() override
    {
        for (const pid_t pid : adapters::testing::living_processes_mentioning(scratch.path().string()))
            ::kill(pid, SIGKILL);
    }

    // window_process <scratch folder> <lock file> <output folder> <close at yield> [documents...]
    std::vector<std::string> arguments(int closeAt, const std::vector<fs::path>& documents) const
    {
        std::vector<std::string> list{PLAINQUILL_WINDOW_PROCESS, scratch.path(), lock(), output.path(),
                                      std::to_string(closeAt)};
        for (const fs::path& document : documents)
            list.push_back(document);
        return list;
    }
    std::string lock() const { return scratch.path() / "plainquill.lock"; }
    std::string outputOf(const std::string& name) const
    {
        const fs::path file = output.path() / name;
        return fs::exists(file) ? read_bytes(file) : "<missing>";
    }

    static inline std::unique_ptr<TemporaryFolder> s_documents;
    static inline fs::path s_long;
    TemporaryFolder scratch, input, output;
};

TEST_F(ShutdownTest, EndingDuringARunFinishesTheCurrentDocumentOnlyAndLeavesNothingBehind)
{
    struct Case {
        const char* name;
        int closeAt; // the yield at which the window closes itself; 0: a signal instead
        int signal;
    };
    const Case cases[] = {
        {"window closed", 2, 0},
        {"SIGTERM", 0, SIGTERM},
        {"SIGHUP", 0, SIGHUP},
        {"SIGINT", 0, SIGINT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const fs::path& file : {output.path(), input.path()})
            for (const auto& entry : fs::directory_iterator(file))
                fs::remove_all(entry.path());
        std::vector<fs::path> documents;
        for (const char* name : {"a.rtf", "long.docx", "c.rtf", "d.rtf"}) {
            documents.push_back(input.path() / name);
            fs::copy_file(name == std::string("long.docx") ? s_long : s_documents->path() / "sample.rtf",
                          documents.back());
        }
        testing::ChildProcess program(arguments(c.closeAt, documents));
        ASSERT_TRUE(program.waitForLine("yield 2", 60s)) << "the run did not reach its second document";
        if (c.signal) {
            // Most likely while the long document converts: the program must finish it first.
            std::this_thread::sleep_for(300ms);
            program.signal(c.signal);
        }
        const std::optional<int> status = program.waitForExit(60s);

        ASSERT_TRUE(status.has_value()) << "the program did not end";
        EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << "status " << *status;
        EXPECT_EQ(adapters::testing::living_processes_mentioning(scratch.path().string()), std::vector<pid_t>{})
            << "a LibreOffice outlived the program";
        EXPECT_FALSE(fs::exists(lock())) << "the single-instance lock was not released";
        EXPECT_EQ(outputOf("a.txt"), kSampleText);
        const std::string longText = outputOf("long.txt");
        if (longText != "<missing>") {
            EXPECT_NE(longText.find("Paragraph " + std::to_string(kLongParagraphs) + ":"), std::string::npos)
                << "a half-written text";
        }
        EXPECT_EQ(outputOf("c.txt"), "<missing>") << "the run went on past the current document";
        const std::size_t written = adapters::testing::file_names(output.path()).size();
        EXPECT_EQ(written, longText == "<missing>" ? 1u : 2u) << "something else was left in the output folder";
    }
}

TEST_F(ShutdownTest, ASignalWithoutARunEndsTheProgramAtOnce)
{
    testing::ChildProcess program(arguments(0, {}));
    ASSERT_TRUE(program.waitForLine("idle", 30s));
    program.signal(SIGTERM);
    const std::optional<int> status = program.waitForExit(30s);
    ASSERT_TRUE(status.has_value()) << "the program did not end";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << "status " << *status;
    EXPECT_FALSE(fs::exists(lock()));
}

} // namespace
} // namespace plainquill
