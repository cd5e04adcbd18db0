// Starting, quitting, dying and time limits, each test with a LibreOffice of its own.
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
        EXPECT_EQ(survivors_under(scratch_parent_.path()), std::vector<pid_t>{});
    }

    LibreOfficeLauncher launcher(std::chrono::milliseconds time_limit = 60s) const
    {
        return LibreOfficeLauncher(options_under(scratch_parent_.path(), time_limit));
    }

    std::unique_ptr<LibreOffice> start(std::chrono::milliseconds time_limit = 60s) const
    {
        LibreOfficeLauncher starter = launcher(time_limit);
        auto started = starter.StartLibreOffice();
        EXPECT_NE(started, nullptr) << starter.last_failure();
        return started;
    }

    // The processes of `libreoffice`, found by its private folder on their command lines.
    static std::vector<pid_t> processes_of(const LibreOffice& libreoffice)
    {
        return living_processes_mentioning(libreoffice.private_folder().string());
    }

    static pid_t soffice_bin_of(const LibreOffice& libreoffice)
    {
        for (const pid_t pid : processes_of(libreoffice)) {
            if (read_bytes("/proc/" + std::to_string(pid) + "/cmdline").find("soffice.bin") != std::string::npos)
                return pid;
        }
        return -1;
    }

    // Converts the sample and says whether it came out right: the check that a LibreOffice works.
    bool converts(LibreOffice& libreoffice)
    {
        const auto input = write_sample(libreoffice, work_.path(), "check", ".rtf");
        OpenResult opened = libreoffice.Open(input);
        if (!opened.document)
            return false;
        const auto output = work_ / "check.txt";
        const SaveResult saved = libreoffice.SaveAs(*opened.document, output, SaveFormat::Text);
        libreoffice.Close(std::move(opened.document));
        return saved.ok() && read_bytes(output) == kSampleText;
    }

    TemporaryFolder scratch_parent_;
    TemporaryFolder work_;
};

TEST_F(LibreOfficeLifecycle, StartFindsNothingWhenLibreOfficeIsNotOnTheSearchPath)
{
    LibreOfficeOptions options = options_under(scratch_parent_.path());
    options.search_path = work_.path().string() + ":/nonexistent";
    LibreOfficeLauncher launcher(options);

    EXPECT_EQ(launcher.Start(), nullptr);
    EXPECT_NE(launcher.last_failure().find("not installed"), std::string::npos) << launcher.last_failure();
    EXPECT_FALSE(launcher.last_start_failure().installed);
}

TEST_F(LibreOfficeLifecycle, StartSaysWhyWhenTheTemporaryFolderCannotBeWritten)
{
    const auto temporary = work_ / "read-only";
    const TmpfsMount read_only(temporary, 64 * 1024, Access::ReadOnly);
    if (!read_only.mounted())
        GTEST_SKIP() << "cannot mount a read-only tmpfs here (" << read_only.error() << "); run as root";
    LibreOfficeLauncher launcher(options_under(temporary));

    EXPECT_EQ(launcher.Start(), nullptr);
    const StartFailure why = launcher.last_start_failure();
    EXPECT_TRUE(why.installed) << "LibreOffice is installed; it could not start";
    EXPECT_NE(why.reason.find("temporary folder " + temporary.string() + " cannot be written to"), std::string::npos)
        << why.reason;
    EXPECT_NE(why.raw_detail.find("Read-only file system"), std::string::npos) << why.raw_detail;
}

TEST_F(LibreOfficeLifecycle, StartFailsWhenTheProgramExitsAtOnce)
{
    LibreOfficeOptions options = options_under(scratch_parent_.path());
    options.program = "/bin/true";
    LibreOfficeLauncher launcher(options);

    EXPECT_EQ(launcher.Start(), nullptr);
    EXPECT_NE(launcher.last_failure().find("exited"), std::string::npos) << launcher.last_failure();
    EXPECT_EQ(file_names(scratch_parent_.path()), std::vector<std::string>{}) << "private folder removed";
}

TEST_F(LibreOfficeLifecycle, StartGivesUpOnAProgramThatNeverAnswers)
{
    const auto silent = work_ / "silent-soffice";
    write_bytes(silent, "#!/bin/sh\nsleep 1000 &\nwait\n");
    std::filesystem::permissions(silent, std::filesystem::perms(0755));
    LibreOfficeOptions options = options_under(scratch_parent_.path(), 1s);
    options.program = silent.string();
    LibreOfficeLauncher launcher(options);

    EXPECT_EQ(launcher.Start(), nullptr);
    EXPECT_NE(launcher.last_failure().find("did not start within 1 s"), std::string::npos)
        << launcher.last_failure();
    EXPECT_EQ(file_names(scratch_parent_.path()), std::vector<std::string>{});
}

TEST_F(LibreOfficeLifecycle, QuitEndsEveryProcessAndRemovesThePrivateFolder)
{
    auto libreoffice = start();
    ASSERT_NE(libreoffice, nullptr);
    EXPECT_TRUE(libreoffice->IsObjectValid());
    const std::vector<pid_t> processes = processes_of(*libreoffice);
    EXPECT_GE(processes.size(), 2u) << "the launcher and soffice.bin";
    EXPECT_TRUE(std::filesystem::is_directory(libreoffice->private_folder()));

    const auto sockets = libreoffice->ipc_socket_files();
    EXPECT_EQ(std::count_if(sockets.begin(), sockets.end(),
                            [](const auto& file) { return std::filesystem::exists(file); }),
              2)
        << "LibreOffice's pipe and single-instance socket, where we expect them";

    libreoffice->Quit();

    for (const pid_t pid : processes)
        EXPECT_FALSE(process_exists(pid)) << pid << " is left, not even as a zombie";
    for (const auto& file : sockets)
        EXPECT_FALSE(std::filesystem::exists(file)) << file;
    EXPECT_FALSE(std::filesystem::exists(libreoffice->private_folder()));
    EXPECT_FALSE(libreoffice->IsObjectValid());
    libreoffice->Quit(); // again: harmless
    const auto input = write_sample(*libreoffice, work_.path(), "late", ".html");
    EXPECT_EQ(libreoffice->Open(input).failure, Failure::Stopped);
}

TEST_F(LibreOfficeLifecycle, DestroyingTheWordProcessorEndsItsProcessesEvenWithADocumentOpen)
{
    std::vector<pid_t> processes;
    std::unique_ptr<Document> outliving;
    {
        auto libreoffice = start();
        ASSERT_NE(libreoffice, nullptr);
        processes = processes_of(*libreoffice);
        outliving = libreoffice->Open(write_sample(*libreoffice, work_.path(), "s", ".rtf")).document;
        ASSERT_NE(outliving, nullptr);
    }
    for (const pid_t pid : processes)
        EXPECT_FALSE(process_exists(pid));
    outliving.reset(); // closing a document of a LibreOffice that is gone is harmless
}

std::vector<std::string> thread_ids()
{
    std::vector<std::string> ids;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
        ids.push_back(entry.path().filename().string());
    return ids;
}

bool blocks_sigpipe(const std::string& thread_status)
{
    std::istringstream lines(thread_status);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("SigBlk:"))
            return (std::stoull(line.substr(7), nullptr, 16) >> (SIGPIPE - 1) & 1) == 1;
    }
    return false;
}

// UNO writes to LibreOffice with plain send(): a SIGPIPE when LibreOffice dies would end us.
TEST_F(LibreOfficeLifecycle, ThreadsThatTalkToLibreOfficeIgnoreABrokenPipe)
{
    const auto before = thread_ids();
    auto libreoffice = start();
    ASSERT_NE(libreoffice, nullptr);

    int started = 0;
    for (const std::string& id : thread_ids()) {
        if (std::find(before.begin(), before.end(), id) != before.end())
            continue;
        ++started;
        EXPECT_TRUE(blocks_sigpipe(read_bytes("/proc/self/task/" + id + "/status"))) << "thread " << id;
    }
    EXPECT_GE(started, 3) << "the watchdog and UNO's reader and writer";
    EXPECT_FALSE(blocks_sigpipe(read_bytes("/proc/self/status"))) << "the caller's own mask is restored";
}

TEST_F(LibreOfficeLifecycle, TwoInstancesWorkSideBySideWithoutMeetingEachOther)
{
    auto first = start();
    auto second = start();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first->private_folder(), second->private_folder());
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
    static void kill_libreoffice(const LibreOffice& libreoffice, Victim victim)
    {
        const pid_t soffice_bin = soffice_bin_of(libreoffice);
        ASSERT_GT(soffice_bin, 0);
        if (victim == Victim::SofficeBin)
            ::kill(soffice_bin, SIGKILL); // as a crash would
        else
            ::kill(-::getpgid(soffice_bin), SIGKILL); // as a user's kill of the group would
    }
};

TEST_P(LibreOfficeKilledFromOutside, BetweenOperationsEveryLaterOperationReportsStopped)
{
    auto libreoffice = start();
    ASSERT_NE(libreoffice, nullptr);
    OpenResult opened = libreoffice->Open(write_sample(*libreoffice, work_.path(), "s", ".rtf"));
    ASSERT_NE(opened.document, nullptr);

    kill_libreoffice(*libreoffice, GetParam());

    const SaveResult saved = libreoffice->SaveAs(*opened.document, work_ / "s.txt", SaveFormat::Text);
    EXPECT_EQ(saved.failure, Failure::Stopped) << saved.detail;
    EXPECT_FALSE(std::filesystem::exists(work_ / "s.txt"));
    EXPECT_EQ(libreoffice->Open(work_ / "s.rtf").failure, Failure::Stopped);
    EXPECT_FALSE(libreoffice->IsObjectValid());
    libreoffice->Close(std::move(opened.document));
    libreoffice->Quit();
    for (const auto& file : libreoffice->ipc_socket_files())
        EXPECT_FALSE(std::filesystem::exists(file)) << "a killed LibreOffice's " << file;

    auto fresh = start();
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(converts(*fresh));
}

TEST_P(LibreOfficeKilledFromOutside, DuringASaveTheSaveReportsStoppedAndLeavesNoFileBehind)
{
    auto libreoffice = start();
    ASSERT_NE(libreoffice, nullptr);
    const auto long_document = write_long_docx(*libreoffice, work_.path(), kLongDocumentParagraphs);
    OpenResult opened = libreoffice->Open(long_document);
    ASSERT_NE(opened.document, nullptr) << opened.detail;
    const TemporaryFolder output;
    std::jthread killer([&] {
        std::this_thread::sleep_for(200ms);
        kill_libreoffice(*libreoffice, GetParam());
    });

    const SaveResult saved = libreoffice->SaveAs(*opened.document, output / "long.txt", SaveFormat::Text);

    killer.join();
    EXPECT_EQ(saved.failure, Failure::Stopped) << saved.detail;
    EXPECT_EQ(saved.detail,
              "LibreOffice stopped while writing this document's text; it was restarted for the next one");
    EXPECT_EQ(file_names(output.path()), std::vector<std::string>{});
    EXPECT_FALSE(libreoffice->IsObjectValid());
}

INSTANTIATE_TEST_SUITE_P(Victims, LibreOfficeKilledFromOutside,
                         ::testing::Values(Victim::SofficeBin, Victim::WholeGroup),
                         [](const auto& info) {
                             return std::string(info.param == Victim::SofficeBin ? "soffice_bin"
                                                                                 : "whole_group");
                         });

TEST_F(LibreOfficeLifecycle, AnOpenOverItsTimeLimitIsKilledAndAFreshStartWorks)
{
    auto libreoffice = start();
    ASSERT_NE(libreoffice, nullptr);
    const auto long_document = write_long_docx(*libreoffice, work_.path(), kLongDocumentParagraphs);
    const std::vector<pid_t> processes = processes_of(*libreoffice);

    libreoffice->set_time_limit(100ms);
    const OpenResult opened = libreoffice->Open(long_document);

    EXPECT_EQ(opened.document, nullptr);
    EXPECT_EQ(opened.failure, Failure::TimedOut) << opened.detail;
    for (const pid_t pid : processes)
        EXPECT_FALSE(process_exists(pid)) << "killed and reaped";
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
    const auto long_document = write_long_docx(*libreoffice, work_.path(), kLongDocumentParagraphs);
    TemporaryFolder output;
    const auto target = output / "long.txt";
    write_bytes(target, "the earlier, good text\n");
    const auto opening = std::chrono::steady_clock::now();
    OpenResult opened = libreoffice->Open(long_document);
    ASSERT_NE(opened.document, nullptr) << opened.detail;

    // The document's time limit counts from its opening: leave the save 30 ms of it.
    libreoffice->set_time_limit(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - opening) + 30ms);
    const SaveResult saved = libreoffice->SaveAs(*opened.document, target, SaveFormat::Text);

    EXPECT_EQ(saved.failure, Failure::TimedOut) << saved.detail;
    EXPECT_EQ(read_bytes(target), "the earlier, good text\n");
    EXPECT_EQ(file_names(output.path()), std::vector<std::string>{"long.txt"});
    EXPECT_FALSE(libreoffice->IsObjectValid());
}

} // namespace
} // namespace plainquill::engine::testing
