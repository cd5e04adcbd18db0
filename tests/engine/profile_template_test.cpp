#include "engine/libreoffice/profile_template.h"
#include "tests/engine/support/test_files.h"

#include <gtest/gtest.h>

#include <thread>

namespace plainquill::engine::libreoffice {
namespace {

namespace fs = std::filesystem;
using testing::TemporaryFolder;
using testing::file_names;
using testing::read_bytes;

// A profile as LibreOffice leaves it, reduced to the one file that tells them apart.
void write_profile(const fs::path& profile, const std::string& settings)
{
    fs::create_directories(profile / "user");
    testing::write_bytes(profile / "user" / "registrymodifications.xcu", settings);
}

TEST(LibreOfficeProfileTemplate, KeepsTheFirstCompleteProfileAndSeedsLaterOnesFromIt)
{
    TemporaryFolder scratch;
    const fs::path kept = scratch / "cache" / "profile";
    const fs::path first = scratch / "first";
    write_profile(first, "first");
    keep_as_template(first, kept);
    EXPECT_EQ(read_bytes(kept / "user" / "registrymodifications.xcu"), "first");

    const fs::path second = scratch / "second";
    write_profile(second, "second");
    keep_as_template(second, kept);
    EXPECT_EQ(read_bytes(kept / "user" / "registrymodifications.xcu"), "first") << "an existing template stays";
    EXPECT_EQ(file_names(scratch / "cache"), std::vector<std::string>{"profile"}) << "no copy is left aside";

    const fs::path fresh = scratch / "fresh";
    fs::create_directories(fresh);
    seed_profile(fresh, kept);
    EXPECT_EQ(read_bytes(fresh / "user" / "registrymodifications.xcu"), "first");
}

TEST(LibreOfficeProfileTemplate, WithoutATemplateEverythingStartsEmpty)
{
    TemporaryFolder scratch;
    const fs::path fresh = scratch / "fresh";
    fs::create_directories(fresh);
    seed_profile(fresh, scratch / "no-such-template");
    seed_profile(fresh, {});
    EXPECT_TRUE(file_names(fresh).empty());

    keep_as_template(scratch / "no-profile-here", scratch / "template");
    keep_as_template(fresh, {});
    EXPECT_FALSE(fs::exists(scratch / "template")) << "only a set-up profile is kept";
}

TEST(LibreOfficeProfileTemplate, LivesInTheCacheFolderKeyedByTheProgram)
{
    TemporaryFolder scratch;
    testing::write_bytes(scratch / "soffice", "#!/bin/sh\n");
    ::setenv("XDG_CACHE_HOME", scratch.path().c_str(), 1);
    const fs::path folder = default_profile_template(scratch / "soffice");
    ::unsetenv("XDG_CACHE_HOME");
    EXPECT_EQ(folder.parent_path(), scratch / "plainquill");
    EXPECT_EQ(folder.filename().string().rfind("libreoffice-profile-", 0), 0u);
    EXPECT_TRUE(default_profile_template(scratch / "missing").empty());
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
            write_profile(profiles.back(), instance);
            for (int i = 0; i < 100; ++i)
                testing::write_bytes(profiles.back() / "user" / ("part-" + std::to_string(i)), "x");
        }
        {
            std::jthread one([&] { keep_as_template(profiles[0], kept); });
            std::jthread two([&] { keep_as_template(profiles[1], kept); });
        }
        ASSERT_EQ(file_names(scratch / "cache"), std::vector<std::string>{"profile"}) << "no copy is left aside";
        ASSERT_EQ(file_names(kept / "user").size(), 101u) << "trial " << trial;
    }
}

} // namespace
} // namespace plainquill::engine::libreoffice
