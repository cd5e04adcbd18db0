#include "engine/libreoffice/profile_template.h"
#include "tests/engine/support/test_files.h"

#include <gtest/gtest.h>

#include <thread>

namespace plainquill::engine::libreoffice {
namespace {

namespace fs = std::filesystem;
using testing::TemporaryFolder;
using testing::fileNames;
using testing::readBytes;

// A profile as LibreOffice leaves it, reduced to the one file that tells them apart.
void writeProfile(const fs::path& profile, const std::string& settings)
{
    fs::create_directories(profile / "user");
    testing::writeBytes(profile / "user" / "registrymodifications.xcu", settings);
}

TEST(LibreOfficeProfileTemplate, KeepsTheFirstCompleteProfileAndSeedsLaterOnesFromIt)
{
    TemporaryFolder scratch;
    const fs::path kept = scratch / "cache" / "profile";
    const fs::path first = scratch / "first";
    writeProfile(first, "first");
    keepAsTemplate(first, kept);
    EXPECT_EQ(readBytes(kept / "user" / "registrymodifications.xcu"), "first");

    const fs::path second = scratch / "second";
    writeProfile(second, "second");
    keepAsTemplate(second, kept);
    EXPECT_EQ(readBytes(kept / "user" / "registrymodifications.xcu"), "first") << "an existing template stays";
    EXPECT_EQ(fileNames(scratch / "cache"), std::vector<std::string>{"profile"}) << "no copy is left aside";

    const fs::path fresh = scratch / "fresh";
    fs::create_directories(fresh);
    seedProfile(fresh, kept);
    EXPECT_EQ(readBytes(fresh / "user" / "registrymodifications.xcu"), "first");
}

TEST(LibreOfficeProfileTemplate, WithoutATemplateEverythingStartsEmpty)
{
    TemporaryFolder scratch;
    const fs::path fresh = scratch / "fresh";
    fs::create_directories(fresh);
    seedProfile(fresh, scratch / "no-such-template");
    seedProfile(fresh, {});
    EXPECT_TRUE(fileNames(fresh).empty());

    keepAsTemplate(scratch / "no-profile-here", scratch / "template");
    keepAsTemplate(fresh, {});
    EXPECT_FALSE(fs::exists(scratch / "template")) << "only a set-up profile is kept";
}

TEST(LibreOfficeProfileTemplate, LivesInTheCacheFolderKeyedByTheProgram)
{
    TemporaryFolder scratch;
    testing::writeBytes(scratch / "soffice", "#!/bin/sh\n");
    ::setenv("XDG_CACHE_HOME", scratch.path().c_str(), 1);
    const fs::path folder = defaultProfileTemplate(scratch / "soffice");
    ::unsetenv("XDG_CACHE_HOME");
    EXPECT_EQ(folder.parent_path(), scratch / "plainquill");
    EXPECT_EQ(folder.filename().string().rfind("libreoffice-profile-", 0), 0u);
    EXPECT_TRUE(defaultProfileTemplate(scratch / "missing").empty());
}

// Two workers of one program quitting at once, before any template was kept.
TEST(LibreOfficeProfileTemplate, TwoInstancesOfOneProgramKeepingAtOnceLeaveOneWholeTemplate)
{
    for (int trial = 0; trial < 2; ++trial) {
        TemporaryFolder scratch;
        const fs::path kept = scratch / "cache" / "profile";
        std::vector<fs::path> profiles;
        for (const char* instance : {"plainquill-lo-one", "plainquill-lo-two"}) {
            profiles.push_back(scratch / instance / "profile");
            writeProfile(profiles.back(), instance);
            for (int i = 0; i < 100; ++i)
                testing::writeBytes(profiles.back() / "user" / ("part-" + std::to_string(i)), "x");
        }
        {
            std::jthread one([&] { keepAsTemplate(profiles[0], kept); });
            std::jthread two([&] { keepAsTemplate(profiles[1], kept); });
        }
        ASSERT_EQ(fileNames(scratch / "cache"), std::vector<std::string>{"profile"}) << "no copy is left aside";
        ASSERT_EQ(fileNames(kept / "user").size(), 101u) << "trial " << trial;
    }
}

} // namespace
} // namespace plainquill::engine::libreoffice
