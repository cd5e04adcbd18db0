#include "engine/libreoffice/confinement.h"
#include "engine/libreoffice/landlock.h"
#include "engine/libreoffice/process_group.h"

#include "tests/engine/support/http_recorder.h"
#include "tests/engine/support/test_files.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>

namespace plainquill::engine::libreoffice {
namespace {

using namespace std::chrono_literals;
using testing::readBytes;
using testing::TemporaryFolder;
using testing::writeBytes;

TEST(LandlockConfinement, TheWarningNamesEveryWayLeftOpenAndWhy)
{
    const struct {
        ConfinementFeatures features;
        const char* warning;
    } cases[] = {
        {{0, true}, "this kernel cannot confine LibreOffice (no Landlock); documents may make it read local files"},
        {{6, true}, ""},
        {{7, true}, ""},
        {{5, true}, "LibreOffice is less confined here than it could be: it may signal other processes (this "
                    "kernel's Landlock is version 5, not 6)"},
        {{6, false}, "LibreOffice is less confined here than it could be: it may reach sockets in /tmp and /run "
                     "and the loopback network (this system allows us no namespaces)"},
        {{4, false}, "LibreOffice is less confined here than it could be: it may signal other processes, reach "
                     "sockets in /tmp and /run and the loopback network and reach abstract sockets (this "
                     "kernel's Landlock is version 4, not 6; this system allows us no namespaces)"},
    };
    for (const auto& row : cases)
        EXPECT_EQ(confinementWarning(row.features), row.warning)
            << "ABI " << row.features.landlockAbi << ", namespaces " << row.features.privateNamespaces;
}

TEST(LandlockConfinement, LibreOfficeRunsItsOwnProgramFilesWithoutItsShellScript)
{
    const std::filesystem::path program = PLAINQUILL_LIBREOFFICE_PROGRAM_DIR "/soffice";
    const ProgramFiles files = programFiles(program);
    EXPECT_EQ(files.entry, std::filesystem::canonical(PLAINQUILL_LIBREOFFICE_PROGRAM_DIR "/oosplash"));
    EXPECT_EQ(files.environment, std::vector<std::string>{"SAL_ENABLE_FILE_LOCKING=1"});
    const std::vector<std::filesystem::path> runnable{std::filesystem::canonical(PLAINQUILL_LIBREOFFICE_PROGRAM_DIR),
                                                      std::filesystem::canonical(elfInterpreter(files.entry))};
    EXPECT_EQ(files.executable, runnable) << "its folder and the program loader, no shell";
    EXPECT_EQ(elfInterpreter(program), "") << "a script";
}

// Runs `script` in bash confined to the system's programs and `writable`, and gives what it wrote
// to `writable`/report.
std::string runConfined(const std::string& script, const std::filesystem::path& writable)
{
    SandboxFolders folders;
    folders.executable = {"/usr", "/lib", "/lib64", "/bin", "/etc/ld.so.cache"};
    folders.writable = {writable, "/dev/null"};
    const LandlockRuleset ruleset(folders);
    ProcessGroup process("/bin/bash", {"-c", "{ " + script + "; } > " + (writable / "report").string()},
                         {"PATH=/usr/bin:/bin"}, ProcessLimits{0, ruleset.fd(), nullptr});
    EXPECT_TRUE(process.waitForExit(30s));
    return readBytes(writable / "report");
}

TEST(LandlockConfinement, AConfinedProgramReadsAndWritesOnlyItsOwnFolder)
{
    if (landlockAbi() == 0)
        GTEST_SKIP() << "this kernel has no Landlock";
    const TemporaryFolder own;
    const TemporaryFolder other;
    writeBytes(own / "mine.txt", "mine\n");
    writeBytes(other / "secret.txt", "secret\n");
    const std::string report = runConfined("cat " + (own / "mine.txt").string() + "; cat "
                                               + (other / "secret.txt").string() + " || echo denied; echo x > "
                                               + (other / "written.txt").string() + " || echo denied",
                                           own.path());
    EXPECT_EQ(report, "mine\ndenied\ndenied\n");
    EXPECT_FALSE(std::filesystem::exists(other / "written.txt"));
}

TEST(LandlockConfinement, AConfinedProgramOpensNoTcpConnection)
{
    if (landlockAbi() < 4)
        GTEST_SKIP() << "this kernel's Landlock has no network rules";
    const testing::HttpRecorder server;
    const std::string port = server.baseUrl().substr(server.baseUrl().rfind(':') + 1);
    const TemporaryFolder own;
    const std::string report = runConfined(
        "(exec 3<>/dev/tcp/127.0.0.1/" + port + " && echo connected) 2>/dev/null || echo refused", own.path());
    EXPECT_EQ(report, "refused\n");
    EXPECT_EQ(server.requests(), std::vector<std::string>{});
}

} // namespace
} // namespace plainquill::engine::libreoffice
