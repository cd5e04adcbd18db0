#include "engine/libreoffice/landlock.h"
#include "engine/libreoffice/private_user_database.h"
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

TEST(LandlockConfinement, OnlyAKernelWithoutLandlockGetsTheWarning)
{
    EXPECT_NE(confinementWarning(0).find("cannot confine LibreOffice (no Landlock)"), std::string::npos);
    for (const int abi : {1, 2, 4, 7})
        EXPECT_EQ(confinementWarning(abi), "") << "ABI " << abi;
}

// Runs `script` in bash confined to the system's programs and `writable`, and gives what it wrote
// to `writable`/report.
std::string runConfined(const std::string& script, const std::filesystem::path& writable,
                        const PrivateUserDatabase* userDatabase = nullptr)
{
    SandboxFolders folders;
    folders.readable = {"/usr", "/lib", "/lib64", "/bin", "/etc/ld.so.cache",
                        userDatabase != nullptr ? userDatabase->file : "/etc/passwd"};
    folders.writable = {writable, "/dev/null"};
    const LandlockRuleset ruleset(folders);
    ProcessGroup process("/bin/bash", {"-c", "{ " + script + "; } > " + (writable / "report").string()},
                         {"PATH=/usr/bin:/bin"}, ProcessLimits{0, ruleset.fd(), userDatabase});
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

TEST(LandlockConfinement, AConfinedProgramWithItsOwnUserDatabaseSeesItsOwnEntryAlone)
{
    const TemporaryFolder own;
    const std::optional<PrivateUserDatabase> database = preparePrivateUserDatabase(own.path());
    if (!database)
        GTEST_SKIP() << "this system lets no ordinary process have namespaces of its own";
    const std::string report = runConfined("cat /etc/passwd; id -u; id -g", own.path(), &*database);
    const std::string ids = std::to_string(::getuid()) + "\n" + std::to_string(::getgid()) + "\n";
    EXPECT_EQ(report, readBytes(database->file) + ids) << "the machine's user database, or other ids";
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 3);
    EXPECT_NE(readBytes("/etc/passwd"), readBytes(database->file)) << "the machine's own database was changed";
}

} // namespace
} // namespace plainquill::engine::libreoffice
