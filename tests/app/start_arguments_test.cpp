#include "app/startup/command_line.h"
#include "app/startup/resource_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <fstream>

namespace plainquill {
namespace {

using Paths = std::vector<std::filesystem::path>;

TEST(StartArguments, DecideWhatTheProgramDoes)
{
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        StartAction action;
        Paths paths;
    } cases[] = {
        {"nothing", {}, StartAction::OpenWindow, {}},
        {"relative and absolute", {"a.doc", "/x/../y/b.rtf", "./dir/"}, StartAction::OpenWindow,
         {"/work/a.doc", "/y/b.rtf", "/work/dir/"}},
        {"help after a path", {"a.doc", "--help"}, StartAction::ShowHelp, {}},
        {"short help beside an unknown option", {"-platform", "-h"}, StartAction::ShowHelp, {}},
        {"version", {"--version"}, StartAction::ShowVersion, {}},
        {"unknown option", {"a.doc", "--recursive"}, StartAction::UsageError, {}},
        {"after -- all are paths", {"--", "--help", "-"}, StartAction::OpenWindow, {"/work/--help", "/work/-"}},
        {"a lone dash is a path", {"-"}, StartAction::OpenWindow, {"/work/-"}},
        {"non-UTF-8 bytes kept", {"caf\xE9.doc"}, StartAction::OpenWindow, {"/work/caf\xE9.doc"}},
    };
    for (const auto& c : cases) {
        const StartRequest request = parseStartArguments(c.arguments, "/work");
        EXPECT_EQ(request.action, c.action) << c.name;
        EXPECT_EQ(request.paths, c.paths) << c.name;
        EXPECT_EQ(request.error.empty(), c.action != StartAction::UsageError) << c.name;
    }
}

TEST(StartArguments, NameEveryPathTheWindowLeavesOut)
{
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    for (const char* name : {"report.docx", "notes.txt"})
        std::ofstream(root / name) << "x";
    std::filesystem::create_directory(root / "folder.txt");

    const std::vector<std::string> notes =
        skippedPathNotes({root / "report.docx", root / "notes.txt", root / "folder.txt", root / "gone.doc"});
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_NE(notes[0].find((root / "notes.txt").native()), std::string::npos) << notes[0];
    EXPECT_NE(notes[1].find("cannot find " + (root / "gone.doc").native()), std::string::npos) << notes[1];
}

TEST(ResourceFolder, IsBesideABuiltProgramAndInShareForAnInstalledOne)
{
    QTemporaryDir dir;
    QDir root(dir.path());
    ASSERT_TRUE(root.mkpath("build") && root.mkpath("usr/bin") && root.mkpath("usr/share/plainquill"));
    EXPECT_EQ(resourceFolder(root.filePath("build")), root.filePath("build"));
    EXPECT_EQ(resourceFolder(root.filePath("usr/bin")), root.filePath("usr/share/plainquill"));
    EXPECT_EQ(resourceFolder(root.filePath("usr/bin/")), root.filePath("usr/share/plainquill"));
}

} // namespace
} // namespace plainquill
