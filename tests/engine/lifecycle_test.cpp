// Starting, quitting, dying and time limits, each test with a LibreOffice of its own.
#include "engine/word_processor_session.h"
#include "tests/engine/sample_documents.h"
#include "tests/engine/shared_libreoffice.h"
#include "tests/engine/support/processes.h"
#include "tests/engine/support/test_files.h"
#include "tests/engine/support/tmpfs_mount.h"
#include "tests/support/failure_printer.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>
#include <thread>

namespace plainquill::engine::testing {
namespace {

using namespace std::chrono_literals;

// About 400 pages: saving it as text takes LibreOffice about a second here, far longer than the
// short limits and delays below.
constexpr int kLongDocumentParagraphs = 6000;

class LibreOfficeLifecycle : public ::testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_EQ(survivorsUnder(m_scratchParent.path()), std::vector<pid_t>{});
    }

    LibreOfficeLauncher launcher(std::chrono::milliseconds timeLimit = 60s) const
    {
        return LibreOfficeLauncher(optionsUnder(m_scratchParent.path(), timeLimit));
    }

    std::unique_ptr<LibreOffice> start(std::chrono::milliseconds timeLimit = 60s) const
    {
        LibreOfficeLauncher starter = launcher(timeLimit);
        auto started = starter.StartLibreOffice();
        EXPECT_NE(started, nullptr) << starter.lastFailure();
        return started;
    }

    // The processes of `libreoffice`, found by its private folder on their command lines.
    static std::vector<pid_t> processesOf(const LibreOffice& libreoffice)
    {
        return livingProcessesMentioning(libreoffice.privateFolder().string());
    }

    static pid_t sofficeBinOf(const LibreOffice& libreoffice)
    {
        for (const pid_t pid : processesOf(libreoffice)) {
            if (readBytes("/proc/" + std::to_string(pid) + "/cmdline").find("soffice.bin") != std::string::npos)
                return pid;
        }
        return -1;
    }

    // Converts the sample and says whether it came out right: the check that a LibreOffice works.
    bool converts(LibreOffice& libreoffice)
    {
        const auto input = writeSample(libreoffice, m_work.path(), "check", ".rtf");
        OpenResult opened = libreoffice.Open(input);
        if (!opened.document)
            return false;
        const auto output = m_work / "check.txt";
        const SaveResult saved = libreoffice.SaveAs(*opened.document, output, SaveFormat::Text);
        libreoffice.Close(std::move(opened.document));
        return saved.ok() && readBytes(output) == kSampleText;
    }

    TemporaryFolder m_scratchParent;
    TemporaryFolder m_work;
};

TEST_F(LibreOfficeLifecycle, StartFindsNothingWhenLibreOfficeIsNotOnTheSearchPath)
{
    LibreOfficeOptions options = optionsUnder(m_scratchParent.path());
    options.searchPath = m_work.path().string() + ":/nonexistent";
    LibreOfficeLauncher launcher(options);

    EXPECT_EQ(launcher.Start(), nullptr);
    EXPECT_NE(launcher.lastFailure().find("not installed"), std::string::npos) << launcher.lastFailure();
    EXPECT_FALSE(launcher.lastStartFailure().installed);
}

TEST_F(LibreOfficeLifecycle, StartSaysWhyWhenTheTemporaryFolderCannotBeWritten)
{
    const auto temporary = m_work / "read-only";
    const TmpfsMount readOnly(temporary, 64 * 1024, Access::ReadOnly);
    if (!readOnly.mounted())
        GTEST_SKIP() << "cannot mount a read-only tmpfs here (" << readOnly.error() << "); run as root";
    LibreOfficeLauncher launcher(optionsUnder(temporary));

    EXPECT_EQ(launcher.Start(), nullptr);
    const StartFailure why = launcher.lastStartFailure();
    EXPECT_TRUE(why.installed) << "LibreOffice is installed; it could not start";
    EXPECT_NE(why.reason.find("temporary folder " + temporary.string() + " cannot be written to"), std::string::npos)
        << why.reason;
    EXPECT_NE(why.rawDetail.find("Read-only file system"), std::string::npos) << why.rawDetail;
}

TEST_F(LibreOfficeLifecycle, StartFailsWhenTheProgramExitsAtOnce)
{
    LibreOfficeOptions options = optionsUnder(m_scratchParent.path());
    options.program = "/bin/true";
    LibreOfficeLauncher launcher(options);

    EXPECT_EQ(launcher.Start(), nullptr);
    EXPECT_NE(launcher.lastFailure().find("exited"), std::string::npos) << launcher.lastFailure();
    EXPECT_EQ(fileNames(m_scratchParent.path()), std::vector<std::string>{}) << "private folder removed";
}

TEST_F(LibreOfficeLifecycle, StartGivesUpOnAProgramThatNeverAnswers)
{
    // A confined program runs only what lies in its own folder.
    const auto silent = m_work / "silent-soffice";
    std::filesystem::copy_file("/bin/sleep", m_work / "sleep");
    writeBytes(silent, "#!/bin/sh\nexec \"${0%/*}/sleep\" 1000\n");
    std::filesystem::permissions(silent, std::filesystem::perms(0755));
    LibreOfficeOptions options = optionsUnder(m_scratchParent.path(), 1s);
    options.program = silent.string();
    LibreOfficeLauncher launcher(options);

    EXPECT_EQ(launcher.Start(), nullptr);
    EXPECT_NE(launcher.lastFailure().find("did not start within 1 s"), std::string::npos)
        << launcher.lastFailure();
    EXPECT_EQ(fileNames(m_scratchParent.path()), std::vector<std::string>{});
}

TEST_F(LibreOfficeLifecycle, QuitEndsEveryProcessAndRemovesThePrivateFolder)
{
    auto libreoffice = start();
    ASSERT_NE(libreoffice, nullptr);
    EXPECT_TRUE(libreoffice->IsObjectValid());
    const std::vector<pid_t> processes = processesOf(*libreoffice);
    EXPECT_GE(processes.size(), 2u) << "the launcher and soffice.bin";
    EXPECT_TRUE(std::filesystem::is_directory(libreoffice->privateFolder()));

    const auto sockets = libreoffice->ipcSocketFiles();
    EXPECT_EQ(std::count_if(sockets.begin(), sockets.end(),
                            [](const auto& file) { return std::filesystem::exists(file); }),
              2)
        << "LibreOffice's pipe and single-instance socket, where we expect them";

    libreoffice->Quit();

    for (const pid_t pid : processes)
        EXPECT_FALSE(processExists(pid)) << pid << " is left, not even as a zombie";
    for (const auto& file : sockets)
        EXPECT_FALSE(std::filesystem::exists(file)) << file;
    EXPECT_FALSE(std::filesystem::exists(libreoffice->privateFolder()));
    EXPECT_FALSE(libreoffice->IsObjectValid());
    libreoffice->Quit(); // again: harmless
    const auto input = writeSample(*libreoffice, m_work.path(), "late", ".html");
    EXPECT_EQ(libreoffice->Open(input).failure, Failure::Stopped);
}

TEST_F(LibreOfficeLifecycle, DestroyingTheWordProcessorEndsItsProcessesEvenWithADocumentOpen)
{
    std::vector<pid_t> processes;
    std::unique_ptr<Document> outliving;
    {
        auto libreoffice = start();
        ASSERT_NE(libreoffice, nullptr);
        processes = processesOf(*libreoffice);
        outliving = libreoffice->Open(writeSample(*libreoffice, m_work.path(), "s", ".rtf")).document;
        ASSERT_NE(outliving, nullptr);
    }
    for (const pid_t pid : processes)
        EXPECT_FALSE(processExists(pid));
    outliving.reset(); // closing a document of a LibreOffice that is gone is harmless
}

std::vector<std::string> threadIds()
{
    std::vector<std::string> ids;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
        ids.push_back(entry.path().filename().string());
    return ids;
}

bool blocksSigpipe(const std::string& threadStatus)
{
    std::istringstream lines(threadStatus);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("SigBlk:"))
            return (std::stoull(line.substr(7), nullptr, 16) >> (SIGPIPE - 1) & 1) == 1;
    }
    return false;
}

// UNO writes to LibreOffice with plain send(): a SIGPIPE when LibreOffice dies would end us.
TEST_F(LibreOfficeLifecycle, ThreadsThatTalkToLibreOfficeIgnoreABrokenPipe)
{
    const auto before = threadIds();
    auto libreoffice = start();
    ASSERT_NE(libreoffice, nullptr);

    int started = 0;
    for (const std::string& id : threadIds()) {
        if (std::find(before.begin(), before.end(), id) != before.end())
            continue;
        ++started;
        EXPECT_TRUE(blocksSigpipe(readBytes("/proc/self/task/" + id + "/status"))) << "thread " << id;
    }
    EXPECT_GE(started, 3) << "the watchdog and UNO's reader and writer";
    EXPECT_FALSE(blocksSigpipe(readBytes("/proc/self/status"))) << "the caller's own mask is restored";
}

TEST_F(LibreOfficeLifecycle, TwoInstancesWorkSideBySideWithoutMeetingEachOther)
{
    auto first = start();
    auto second = start();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first->privateFolder(), second->privateFolder());
    first->Quit();
    EXPECT_TRUE(second->IsObjectValid());
    EXPECT_TRUE(converts(*second));
}

enum class Victim { SofficeBin, WholeGroup };

void PrintTo(Victim victim, std::ostream* out)
{
    *out << (victim == Victim::SofficeBin ? "soffice.bin" : "the whole process group");
}

class LibreOfficeKilledFromOutside : public LibreOfficeLifecycle, public ::testing::WithParamInterface<Victim> {
protected:
    static void killLibreOffice(const LibreOffice& libreoffice, Victim victim)
    {
        const pid_t sofficeBin = sofficeBinOf(libreoffice);
        ASSERT_GT(sofficeBin, 0);
        if (victim == Victim::SofficeBin)
            ::kill(sofficeBin, SIGKILL); // as a crash would
        else
            ::kill(-::getpgid(sofficeBin), SIGKILL); // as a user's kill of the group would
    }
};

TEST_P(LibreOfficeKilledFromOutside, BetweenOperationsEveryLaterOperationReportsStopped)
{
    auto libreoffice = start();
    ASSERT_NE(libreoffice, nullptr);
    OpenResult opened = libreoffice->Open(writeSample(*libreoffice, m_work.path(), "s", ".rtf"));
    ASSERT_NE(opened.document, nullptr);

    killLibreOffice(*libreoffice, GetParam());

    const SaveResult saved = libreoffice->SaveAs(*opened.document, m_work / "s.txt", SaveFormat::Text);
    EXPECT_EQ(saved.failure, Failure::Stopped) << saved.detail;
    EXPECT_FALSE(std::filesystem::exists(m_work / "s.txt"));
    EXPECT_EQ(libreoffice->Open(m_work / "s.rtf").failure, Failure::Stopped);
    EXPECT_FALSE(libreoffice->IsObjectValid());
    libreoffice->Close(std::move(opened.document));
    libreoffice->Quit();
    for (const auto& file : libreoffice->ipcSocketFiles())
        EXPECT_FALSE(std::filesystem::exists(file)) << "a killed LibreOffice's " << file;

    auto fresh = start();
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(converts(*fresh));
}

TEST_P(LibreOfficeKilledFromOutside, DuringASaveTheSaveReportsStoppedAndLeavesNoFileBehind)
{
    auto libreoffice = start();
    ASSERT_NE(libreoffice, nullptr);
    const auto longDocument = writeLongDocx(*libreoffice, m_work.path(), kLongDocumentParagraphs);
    OpenResult opened = libreoffice->Open(longDocument);
    ASSERT_NE(opened.document, nullptr) << opened.detail;
    const TemporaryFolder output;
    std::jthread killer([&] {
        std::this_thread::sleep_for(200ms);
        killLibreOffice(*libreoffice, GetParam());
    });

    const SaveResult saved = libreoffice->SaveAs(*opened.document, output / "long.txt", SaveFormat::Text);

    killer.join();
    EXPECT_EQ(saved.failure, Failure::Stopped) << saved.detail;
    EXPECT_EQ(saved.detail,
              "LibreOffice stopped while writing this document's text; it was restarted for the next one");
    EXPECT_EQ(fileNames(output.path()), std::vector<std::string>{});
    EXPECT_FALSE(libreoffice->IsObjectValid());
}

INSTANTIATE_TEST_SUITE_P(Victims, LibreOfficeKilledFromOutside,
                         ::testing::Values(Victim::SofficeBin, Victim::WholeGroup),
                         [](const auto& info) {
                             return std::string(info.param == Victim::SofficeBin ? "soffice_bin"
                                                                                 : "whole_group");
                         });

// LibreOffice crashes laying out the pages of this damaged document, which it reads well, and which
// has page numbers to lay out. Its second try, on a fresh LibreOffice from the same launcher, goes
// without pages: its page numbers read 0, and it converts.
TEST_F(LibreOfficeLifecycle, ADocumentWhoseLayoutCrashesLibreOfficeConvertsOnItsSecondTryWithoutPages)
{
    LibreOfficeLauncher starter = launcher();
    WordProcessorSession session(starter);
    ASSERT_TRUE(session.start()) << starter.lastFailure();
    const auto input = m_work / "crash-3.doc";
    writeBytes(input, readBytes(std::filesystem::path(PLAINQUILL_DAMAGED_DIR) / "crash-3.doc"));

    const SaveResult saved = session.convert(input, m_work / "crash-3.txt");

    ASSERT_TRUE(saved.ok()) << describe(saved.failure) << ": " << saved.detail << " (" << saved.rawDetail << ")";
    EXPECT_EQ(session.instancesStarted(), 2) << "the first LibreOffice died laying the pages out";
    EXPECT_EQ(readBytes(m_work / "crash-3.txt"), "000000000000000\n");
    session.quit();
}

TEST_F(LibreOfficeLifecycle, AnOpenOverItsTimeLimitIsKilledAndAFreshStartWorks)
{
    auto libreoffice = start();
    ASSERT_NE(libreoffice, nullptr);
    const auto longDocument = writeLongDocx(*libreoffice, m_work.path(), kLongDocumentParagraphs);
    const std::vector<pid_t> processes = processesOf(*libreoffice);

    libreoffice->setTimeLimit(100ms);
    const OpenResult opened = libreoffice->Open(longDocument);

    EXPECT_EQ(opened.document, nullptr);
    EXPECT_EQ(opened.failure, Failure::TimedOut) << opened.detail;
    for (const pid_t pid : processes)
        EXPECT_FALSE(processExists(pid)) << "killed and reaped";
    EXPECT_FALSE(libreoffice->IsObjectValid());
    libreoffice->Quit();

    auto fresh = start();
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(converts(*fresh));
}

TEST_F(LibreOfficeLifecycle, ASaveOverItsTimeLimitLeavesTheEarlierTextUntouched)
{
    auto libreoffice = start();
    ASSERT_NE(libreoffice, nullptr);
    const auto longDocument = writeLongDocx(*libreoffice, m_work.path(), kLongDocumentParagraphs);
    TemporaryFolder output;
    const auto target = output / "long.txt";
    writeBytes(target, "the earlier, good text\n");
    const auto opening = std::chrono::steady_clock::now();
    OpenResult opened = libreoffice->Open(longDocument);
    ASSERT_NE(opened.document, nullptr) << opened.detail;

    // The document's time limit counts from its opening: leave the save 30 ms of it.
    libreoffice->setTimeLimit(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - opening) + 30ms);
    const SaveResult saved = libreoffice->SaveAs(*opened.document, target, SaveFormat::Text);

    EXPECT_EQ(saved.failure, Failure::TimedOut) << saved.detail;
    EXPECT_EQ(readBytes(target), "the earlier, good text\n");
    EXPECT_EQ(fileNames(output.path()), std::vector<std::string>{"long.txt"});
    EXPECT_FALSE(libreoffice->IsObjectValid());
}

} // namespace
} // namespace plainquill::engine::testing
