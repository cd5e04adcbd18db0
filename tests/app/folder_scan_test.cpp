#include "app/adding/dropped_paths.h"
#include "engine/folder_documents.h"
#include "engine/folder_scan.h"
#include "engine/native_path.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMimeData>
#include <QUrl>

#include <fstream>
#include <memory>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace plainquill {
namespace {

namespace fs = std::filesystem;
using testing::TempTree;

QStringList relativeTo(const QString& root, const std::vector<fs::path>& paths)
{
    QStringList relative;
    for (const fs::path& path : paths)
        relative.push_back(displayText(path).mid(root.size() + 1));
    return relative;
}

QStringList scan(const TempTree& tree, bool subfolders, const QString& pattern = QStringLiteral("*.*"))
{
    std::vector<fs::path> found;
    RecursiveDir(found, pathFromText(tree.root()), pattern, subfolders);
    return relativeTo(tree.root(), found);
}

TEST(RecursiveDir, ListsDepthFirstWithEachFoldersOwnFilesFirst)
{
    TempTree tree;
    tree.file("b.doc");
    tree.file("a.txt");
    tree.file("s1/x.doc");
    tree.file("s1/deep/y.doc");
    tree.file("s1/z.rtf");
    tree.file("s2/w.html");
    tree.file("no-dot-name");

    EXPECT_EQ(scan(tree, true),
              QStringList({"a.txt", "b.doc", "no-dot-name", "s1/x.doc", "s1/z.rtf", "s1/deep/y.doc", "s2/w.html"}));
    EXPECT_EQ(scan(tree, false), QStringList({"a.txt", "b.doc", "no-dot-name"}));
}

TEST(RecursiveDir, LeavesOutHiddenFilesAndFolders)
{
    TempTree tree;
    tree.file(".hidden.doc");
    tree.file("seen.doc");
    tree.file(".cache/inside.doc");
    tree.file("sub/.also-hidden.doc");

    EXPECT_EQ(scan(tree, true), QStringList({"seen.doc"}));
    // The plain folder listing keeps hidden files: only the tree scan leaves them out.
    EXPECT_EQ(FolderFileNames(pathFromText(tree.root())), (std::vector<fs::path>{".hidden.doc", "seen.doc"}));
}

TEST(RecursiveDir, HandlesAwkwardNamesLikeAnyOther)
{
    TempTree tree;
    tree.file("with space.doc");
    tree.file("-leading-dash.doc");
    tree.file(QString::fromUtf8("Molière école/日本語.docx"));

    EXPECT_EQ(scan(tree, true), QStringList({"-leading-dash.doc", "with space.doc",
                                             QString::fromUtf8("Molière école/日本語.docx")}));
}

// Latin-1 names from an old share: "été.doc" in a folder "Ablage-März", as bytes.
TEST(RecursiveDir, FindsNamesThatAreNotUtf8ByTheirBytesAndADropCarriesThemTheSame)
{
    TempTree tree;
    const fs::path root = pathFromText(tree.root());
    const fs::path folder = root / "Ablage-M\xE4rz";
    const fs::path latin1 = folder / "\xE9t\xE9.doc";
    const fs::path utf8 = folder / "caf\xC3\xA9.doc";
    fs::create_directories(folder);
    // Qt cannot remove what it cannot name.
    const std::unique_ptr<const fs::path, void (*)(const fs::path*)> cleanUp(&folder, [](const fs::path* f) {
        fs::remove_all(*f);
    });
    std::ofstream(latin1) << "x";
    std::ofstream(utf8) << "x";

    std::vector<fs::path> found;
    RecursiveDir(found, root, QStringLiteral("*.*"), true);
    EXPECT_EQ(found, (std::vector<fs::path>{utf8, latin1}));
    EXPECT_TRUE(FileExists(latin1));
    EXPECT_EQ(displayText(latin1.filename()), QString::fromUtf8("\xEF\xBF\xBDt\xEF\xBF\xBD.doc"))
        << "shown with replacement characters";
    EXPECT_EQ(FolderFileNames(folder), (std::vector<fs::path>{utf8.filename(), latin1.filename()}));

    // A file manager percent-encodes the bytes in the URL; reading it as text would lose them.
    const QByteArray folderUrl = "file://" + QByteArray::fromStdString(folder.native()).toPercentEncoding("/");
    QMimeData drop;
    drop.setData("text/uri-list", folderUrl + "/%E9t%E9.doc\r\n" + folderUrl + "\r\n"
                                      + "https://example.org/not-local.doc\r\n");
    EXPECT_EQ(droppedLocalPaths(drop), (std::vector<fs::path>{latin1, folder}));
}

TEST(RecursiveDir, EntersAFolderReachedThroughALinkToAnAncestorOnlyOnce)
{
    TempTree tree;
    tree.file("top.doc");
    tree.file("sub/inner.doc");
    ASSERT_TRUE(QFile::link(tree.root(), tree.path("sub/loop")));
    ASSERT_TRUE(QFile::link(tree.path("sub"), tree.path("z-again")));

    EXPECT_EQ(scan(tree, true), QStringList({"top.doc", "sub/inner.doc"}));
}

TEST(RecursiveDir, AppliesTheFilePatternAndKeepsWhatTheCollectionHeld)
{
    TempTree tree;
    tree.file("a.doc");
    tree.file("b.txt");
    tree.file("s/c.doc");
    std::vector<fs::path> found{"earlier"};
    RecursiveDir(found, pathFromText(tree.root()), QStringLiteral("*.doc"), true);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found.front(), fs::path("earlier"));
    EXPECT_EQ(relativeTo(tree.root(), {found.begin() + 1, found.end()}), QStringList({"a.doc", "s/c.doc"}));
}

TEST(RecursiveDir, AMissingFolderAddsNothing)
{
    std::vector<fs::path> found;
    RecursiveDir(found, "/no/such/folder/here", QStringLiteral("*.*"), true);
    EXPECT_TRUE(found.empty());
    EXPECT_TRUE(FolderFileNames("/no/such/folder/here").empty());
}

TEST(FolderDocuments, TakesTheFiveExtensionsInAnyCaseAndNothingThatMerelyEndsInThem)
{
    TempTree tree;
    for (const char* name : {"a.doc", "Report.Docx", "c.RTF", "d.Htm", "e.html", "guide.adoc", "mydoc",
                             ".doc", "notes.txt", "sub/f.DOC", "sub/page.shtml"})
        tree.file(QString::fromUtf8(name));
    EXPECT_EQ(relativeTo(tree.root(), folderDocuments(pathFromText(tree.root()), true)),
              QStringList({"a.doc", "c.RTF", "d.Htm", "e.html", "Report.Docx", "sub/f.DOC"}));
    EXPECT_EQ(relativeTo(tree.root(), folderDocuments(pathFromText(tree.root()), false)),
              QStringList({"a.doc", "c.RTF", "d.Htm", "e.html", "Report.Docx"}));
}

// Permissions do not stop root, so the unreadable folder is tried by an unprivileged child.
TEST(RecursiveDir, SkipsAnUnreadableSubFolderAndGoesOnWithTheRest)
{
    TempTree tree;
    tree.file("a.doc");
    tree.file("locked/secret.doc");
    tree.file("open/b.doc");
    ASSERT_EQ(::chmod(QFile::encodeName(tree.path("locked")).constData(), 0), 0);
    ::chmod(QFile::encodeName(tree.root()).constData(), 0755);

    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        std::vector<fs::path> found;
        RecursiveDir(found, pathFromText(tree.root()), QStringLiteral("*.*"), true);
        const QByteArray text = relativeTo(tree.root(), found).join('|').toUtf8();
        const bool written = ::write(pipeEnds[1], text.constData(), text.size()) == text.size();
        ::_exit(written ? 0 : 3);
    }
    ::close(pipeEnds[1]);
    QByteArray received;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        received.append(buffer, n);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::chmod(QFile::encodeName(tree.path("locked")).constData(), 0755);

    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(QString::fromUtf8(received), QStringLiteral("a.doc|open/b.doc"));
}

} // namespace
} // namespace plainquill
