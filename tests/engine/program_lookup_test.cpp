#include "engine/libreoffice/program_lookup.h"

#include "tests/engine/support/test_files.h"

#include <gtest/gtest.h>

namespace plainquill::engine::libreoffice {
namespace {

using testing::TemporaryFolder;
using testing::writeBytes;

void makeFile(const std::filesystem::path& file, bool executable)
{
    writeBytes(file, "#!/bin/sh\n");
    std::filesystem::permissions(file, executable ? std::filesystem::perms(0755)
                                                  : std::filesystem::perms(0644));
}

TEST(LibreOfficeFindProgram, LooksUpBareNamesInTheGivenPathOnly)
{
    const TemporaryFolder root;
    for (const char* folder : {"empty", "first", "second", "nonexec"})
        std::filesystem::create_directory(root / folder);
    makeFile(root / "second" / "tool", true);
    makeFile(root / "nonexec" / "tool", false);
    std::filesystem::create_directory(root / "first" / "tool"); // a folder of that name

    const std::string r = root.path().string();
    struct Case {
        std::string program;
        std::string searchPath;
        std::optional<std::filesystem::path> expected;
    };
    for (const Case& c : {
             Case{"tool", r + "/empty:" + r + "/first:" + r + "/second", root / "second" / "tool"},
             Case{"tool", r + "/nonexec:" + r + "/second", root / "second" / "tool"},
             Case{"tool", r + "/empty:" + r + "/nonexec", std::nullopt},
             Case{"tool", "", std::nullopt},
             Case{"", r + "/second", std::nullopt},
             Case{(root / "second" / "tool").string(), "", root / "second" / "tool"},
             Case{(root / "nonexec" / "tool").string(), r + "/second", std::nullopt},
         }) {
        EXPECT_EQ(findProgram(c.program, c.searchPath), c.expected)
            << c.program << " in " << c.searchPath;
    }
}

} // namespace
} // namespace plainquill::engine::libreoffice
