#include "engine/libreoffice/program_lookup.h"

#include "tests/engine/support/test_files.h"

#include <gtest/gtest.h>

namespace plainquill::engine::libreoffice {
namespace {

using testing::TemporaryFolder;
using testing::write_bytes;

void make_file(const std::filesystem::path& file, bool executable)
{
    write_bytes(file, "#!/bin/sh\n");
    std::filesystem::permissions(file, executable ? std::filesystem::perms(0755)
                                                  : std::filesystem::perms(0644));
}

TEST(LibreOfficeFindProgram, LooksUpBareNamesInTheGivenPathOnly)
{
    const TemporaryFolder root;
    for (const char* folder : {"empty", "first", "second", "nonexec"})
        std::filesystem::create_directory(root / folder);
    make_file(root / "second" / "tool", true);
    make_file(root / "nonexec" / "tool", false);
    std::filesystem::create_directory(root / "first" / "tool"); // a folder of that name

    const std::string r = root.path().string();
    struct Case {
        std::string program;
        std::string search_path;
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
        EXPECT_EQ(find_program(c.program, c.search_path), c.expected)
            << c.program << " in " << c.search_path;
    }
}

} // namespace
} // namespace plainquill::engine::libreoffice
