// An owner killed mid-document takes its LibreOffice along; the next start sweeps only what it left.
#include "engine/libreoffice/ipc_socket_files.h"
#include "engine/libreoffice/private_namespaces.h"
#include "engine/libreoffice/uno_strings.h"
#include "tests/engine/sample_documents.h"
#include "tests/engine/shared_libreoffice.h"
#include "tests/engine/support/processes.h"
#include "tests/engine/support/test_files.h"
#include "tests/support/child_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace plainquill::engine::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(LibreOfficeOwnerKilled, LibreOfficeEndsWithItsOwnerAndTheNextStartSweepsWhatItLeft)
{
    const TemporaryFolder scratchParent;
    const TemporaryFolder work;
    LibreOfficeLauncher launcher(optionsUnder(scratchParent.path()));
    // A live instance beside the doomed one: the sweep must leave it alone.
    auto live = launcher.StartLibreOffice();
    ASSERT_NE(live, nullptr) << launcher.lastFailure();
    const auto document = writeLongDocx(*live, work.path(), 6000);

    plainquill::testing::ChildProcess owner(
        {PLAINQUILL_LIBREOFFICE_OWNER, scratchParent.path(), document, work.path()});
    const std::filesystem::path folder = owner.readLine(120s).value_or("");
    ASSERT_FALSE(folder.empty()) << "the owner could not start LibreOffice";
    ASSERT_EQ(owner.readLine(60s), "converting");
    std::this_thread::sleep_for(300ms); // well into the document
    ASSERT_FALSE(livingProcessesMentioning(folder.string()).empty());
    // In the machine's /tmp, or in the folder a confined LibreOffice saw as its /tmp.
    const std::string pipe = folder.filename().string() + "-" + std::to_string(owner.pid());
    auto sockets = libreoffice::ipcSocketFiles(pipe, libreoffice::fileUrl(folder / "profile"),
                                               libreoffice::kMachineSocketFolders);
    for (auto&& file : libreoffice::ipcSocketFiles(pipe, libreoffice::fileUrl(libreoffice::kPrivateFolderInside / "profile"), {folder}))
        sockets.push_back(file);

    owner.signal(SIGKILL);
    ASSERT_TRUE(owner.waitForExit(10s));
    const auto killed = Clock::now();
    while (!livingProcessesMentioning(folder.string()).empty() && Clock::now() - killed < 10s)
        std::this_thread::sleep_for(10ms);

    EXPECT_EQ(livingProcessesMentioning(folder.string()), std::vector<pid_t>{});
    ASSERT_TRUE(std::filesystem::exists(folder)) << "left behind until a start sweeps it";
    const auto exists = [](const auto& file) { return std::filesystem::exists(file); };
    EXPECT_TRUE(std::any_of(sockets.begin(), sockets.end(), exists)) << "the killed instance's sockets";

    auto next = launcher.StartLibreOffice();
    ASSERT_NE(next, nullptr) << launcher.lastFailure();

    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_FALSE(std::any_of(sockets.begin(), sockets.end(), exists));
    EXPECT_TRUE(std::filesystem::exists(live->privateFolder())) << "a live instance's folder is not swept";
    EXPECT_TRUE(live->IsObjectValid());
}

} // namespace
} // namespace plainquill::engine::testing
