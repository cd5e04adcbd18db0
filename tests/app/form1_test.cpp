#include "app/window/caption_frame.h"
#include "app/window/form1.h"
#include "app/window/path_list_widget.h"
#include "app/window/window_control_factory.h"
#include "tests/support/drop.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_word_processor.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGlyphRun>
#include <QGroupBox>
#include <QTextLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QDropEvent>
#include <QMimeData>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTreeView>
#include <QTest>
#include <QUrl>

namespace plainquill {
namespace {

using testing::FakeShell;
using testing::TempTree;

class Form1Test : public testing::WithQtApp, public ::testing::Test {
protected:
    Form1Test() = default;

    template <typename W>
    W& get(const char* name)
    {
        W* widget = form.control<W>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    QStringList queued()
    {
        QStringList paths;
        for (int i = 0; i < form.queue().length(); ++i)
            paths.push_back(form.queue().path(i).mid(tree.root().size() + 1));
        return paths;
    }
    QListWidget& List1() { return get<QListWidget>("List1"); }
    QTreeView& ListView1() { return get<QTreeView>("ListView1"); }
    QLabel& Label3() { return get<QLabel>("Label3"); }
    QCheckBox& Check1() { return get<QCheckBox>("Check1"); }
    QCheckBox& Check2() { return get<QCheckBox>("Check2"); }
    QRadioButton& Option1() { return get<QRadioButton>("Option1"); }
    QRadioButton& Option2() { return get<QRadioButton>("Option2"); }
    QLineEdit& Text1() { return get<QLineEdit>("Text1"); }
    QLineEdit& Text2() { return get<QLineEdit>("Text2"); }
    contracts::ButtonFace& RemoveAll() { return form.removeAllButton(); }

    void chooseMultipleFiles(bool subfolders)
    {
        Option2().click();
        Check2().setChecked(subfolders);
    }
    void drop(const QStringList& paths) { testing::dropFiles(*List1().viewport(), paths); }

    FakeShell shell;
    WindowControlFactory factory;
    testing::FakeLauncher wordProcessor;
    Form1 form{{shell, factory, wordProcessor.factory(), QStringLiteral(PLAINQUILL_HELP_PAGE), {}}};
    TempTree tree;
};

TEST_F(Form1Test, StartsWithTheStoredLayoutAndStates)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Plainquill 1.0"));
    struct Placement {
        const char* name;
        QRect pixels; // twips / 15
    };
    const Placement placements[] = {
        {"Label1", {208, 8, 177, 17}},    {"ListView1", {24, 24, 649, 145}},
        {"List1", {24, 184, 649, 121}},   {"Frame1", {8, 328, 281, 113}},
        {"Check1", {8, 16, 153, 17}},     {"Check2", {8, 88, 153, 17}},
        {"Text2", {296, 360, 305, 25}},   {"Text1", {296, 400, 305, 25}},
        {"isButton1", {600, 440, 89, 25}}, {"XP_ProgressBar1", {384, 448, 97, 17}},
        {"Label3", {8, 448, 169, 25}},
    };
    for (const Placement& p : placements)
        EXPECT_EQ(get<QWidget>(p.name).geometry(), p.pixels) << p.name;
    EXPECT_EQ(get<QLabel>("Label1").text(), QStringLiteral("Batch Convert  Doc to TXT "));
    EXPECT_EQ(get<QGroupBox>("Frame1").title(), QStringLiteral("Options"));

    QStringList headers;
    for (int c = 0; c < ListView1().model()->columnCount(); ++c)
        headers.push_back(ListView1().model()->headerData(c, Qt::Horizontal).toString());
    EXPECT_EQ(headers, QStringList({"File Name", "File Size", "File Type", "Modified"}));
    EXPECT_EQ(ListView1().model()->rowCount(), 0);
    EXPECT_TRUE(Option1().isChecked());
    EXPECT_FALSE(Option2().isChecked());
    EXPECT_TRUE(Check1().isChecked());
    EXPECT_FALSE(Check2().isChecked());
    EXPECT_FALSE(Check2().isEnabled());
    EXPECT_FALSE(form.removeAllButton().Enabled());
    EXPECT_FALSE(form.stopButton().Enabled());
    EXPECT_TRUE(form.startButton().Enabled());
    const std::pair<contracts::ButtonFace*, const char*> captions[] = {
        {&form.removeAllButton(), "Remove All"}, {&form.browseButton(), "Browse..."}, {&form.outputButton(), "Output"},
        {&form.stopButton(), "Stop"},            {&form.helpButton(), "Help"},        {&form.startButton(), "Start"}};
    for (const auto& [button, caption] : captions)
        EXPECT_EQ(button->Caption(), caption);
    EXPECT_EQ(form.progressBar().Max(), 100);
    EXPECT_EQ(form.progressBar().Color(), 0xFFFFFFu);
}

TEST_F(Form1Test, TheBoxAroundTheQueueLeavesAGapForItsTitle)
{
    // The lines are drawn on the window itself, beneath its controls; the title is hidden here to
    // look at the gap it stands in.
    get<QLabel>("Label1").hide();
    const QImage window = form.grab().toImage();
    const struct {
        const char* name;
        QRect pixels;
        bool drawn;
    } areas[] = {
        {"top, left of the title", {8, 16, 193, 1}, true},  {"the title's gap", {201, 16, 167, 1}, false},
        {"top, right of the title", {368, 16, 313, 1}, true}, {"left", {8, 16, 1, 305}, true},
        {"right", {680, 16, 1, 305}, true},                  {"bottom", {8, 320, 673, 1}, true},
        {"inside, by the corner", {9, 17, 14, 6}, false},     {"outside, by the corner", {0, 0, 8, 16}, false},
    };
    for (const auto& area : areas) {
        int black = 0;
        for (int y = area.pixels.top(); y <= area.pixels.bottom(); ++y)
            for (int x = area.pixels.left(); x <= area.pixels.right(); ++x)
                black += window.pixelColor(x, y) == Qt::black;
        EXPECT_EQ(black, area.drawn ? area.pixels.width() * area.pixels.height() : 0) << area.name;
    }
}

TEST_F(Form1Test, TheOptionsCaptionStandsInTheFramesTopLineClearOfItsContents)
{
    auto* frame = dynamic_cast<CaptionFrame*>(&get<QGroupBox>("Frame1"));
    ASSERT_NE(frame, nullptr);
    const QRect caption = frame->captionRect();
    EXPECT_LT(caption.top(), frame->topLineY());
    EXPECT_GT(caption.bottom(), frame->topLineY());
    // Inside the border (two pixels each side), below the caption and its line.
    const QRect inside = QRect(QPoint(2, frame->topLineY() + 2), frame->size() - QSize(2, 2)).adjusted(0, 0, -1, -1);
    for (const char* name : {"Check1", "Option1", "Option2", "Check2"}) {
        const QRect r = get<QWidget>(name).geometry();
        EXPECT_TRUE(inside.contains(r)) << name;
        EXPECT_GT(r.top(), caption.bottom()) << name;
    }
}

TEST_F(Form1Test, OptionsEnableAndGreyIncludeSubFoldersWithoutTouchingItsMark)
{
    Option2().click();
    EXPECT_TRUE(Check2().isEnabled());
    Check2().click();
    EXPECT_TRUE(Check2().isChecked());
    Option1().click();
    EXPECT_FALSE(Check2().isEnabled());
    EXPECT_TRUE(Check2().isChecked());
}

TEST_F(Form1Test, SelectAllClickSetsOrClearsEveryRow)
{
    form.adder().addDropped({tree.file("a.doc"), tree.file("b.doc")});
    Check1().click();
    EXPECT_FALSE(form.queue().isChecked(0));
    EXPECT_FALSE(form.queue().isChecked(1));
    Check1().click();
    EXPECT_TRUE(form.queue().isChecked(0));
    EXPECT_TRUE(form.queue().isChecked(1));
}

TEST_F(Form1Test, RemoveAllAsksFirstAndEmptiesOnlyOnYes)
{
    form.adder().addDropped({tree.file("a.doc")});
    ASSERT_TRUE(RemoveAll().Enabled());

    shell.answers = {MessageAnswer::No};
    form.RemoveAll_Click();
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(shell.messages[0].title, QStringLiteral("Remove Files"));
    EXPECT_EQ(shell.messages[0].text, QStringLiteral("Do you want to remove all files?"));
    EXPECT_EQ(shell.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(List1().count(), 1);
    EXPECT_EQ(form.queue().rowCount(), 1);
    EXPECT_EQ(Label3().text(), QStringLiteral("1  Files"));
    EXPECT_TRUE(RemoveAll().Enabled());

    shell.answers = {MessageAnswer::Yes};
    form.RemoveAll_Click();
    EXPECT_EQ(List1().count(), 0);
    EXPECT_EQ(form.queue().rowCount(), 0);
    EXPECT_EQ(Label3().text(), QString());
    EXPECT_FALSE(RemoveAll().Enabled());

    form.adder().addDropped({tree.file("b.doc")});
    EXPECT_EQ(queued(), QStringList({"b.doc"}));
    EXPECT_EQ(form.queue().rowText(0, 0), QStringLiteral("b.doc"));
}

TEST_F(Form1Test, OutputWritesTheChosenFolderAndKeepsTheTextWhenCancelled)
{
    shell.chosenFolders = {QStringLiteral("/srv/out")};
    form.Output_Click();
    EXPECT_EQ(Text1().text(), QStringLiteral("/srv/out"));
    ASSERT_EQ(shell.folderRequests.size(), 1u);
    EXPECT_EQ(shell.folderRequests[0].title, QStringLiteral("Plainquill - Please select output folder."));
    EXPECT_EQ(shell.folderRequests[0].startFolder, QStringLiteral("/"));
    EXPECT_TRUE(shell.folderRequests[0].onlyFileSystem);

    form.Output_Click(); // cancelled
    EXPECT_EQ(Text1().text(), QStringLiteral("/srv/out"));
}

TEST_F(Form1Test, SingleFileQueuesTheChosenNameWhateverItsEnding)
{
    const QString chosen = tree.file("notes.txt");
    shell.chosenFiles = {chosen};
    form.Browse_Click();

    ASSERT_EQ(shell.fileRequests.size(), 1u);
    EXPECT_EQ(shell.fileRequests[0].title, QStringLiteral("Open"));
    EXPECT_EQ(shell.fileRequests[0].initialFolder,
              QFileInfo(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).isDir()
                  ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/"
                  : QString());
    ASSERT_EQ(shell.fileRequests[0].filters.size(), 4);
    EXPECT_TRUE(shell.fileRequests[0].filters[0].startsWith(QLatin1String("Word Files")));
    // The fourth offers every other kind LibreOffice Writer reads, in both cases.
    const QString other = shell.fileRequests[0].filters[3];
    EXPECT_TRUE(other.startsWith(QLatin1String("Other documents ("))) << other.toStdString();
    for (const char* pattern : {"*.odt ", "*.ODT ", "*.xml ", "*.wpd ", "*.dotm ", "*.PAGES)"})
        EXPECT_TRUE(other.contains(QLatin1String(pattern))) << pattern << " in " << other.toStdString();
    EXPECT_FALSE(other.contains(QLatin1String("*.doc "))) << "the Word group has its own filter";
    for (const QString& filter : shell.fileRequests[0].filters) // the dialog shows what precedes the patterns
        EXPECT_LE(filter.left(filter.lastIndexOf(QLatin1String(" ("))).size(), 30) << filter.toStdString();
    EXPECT_EQ(Text2().text(), chosen);
    EXPECT_EQ(queued(), QStringList({"notes.txt"}));
    EXPECT_TRUE(form.queue().isChecked(0));
    EXPECT_EQ(Label3().text(), QStringLiteral("1  Files"));

    form.Browse_Click(); // cancelled
    EXPECT_EQ(Text2().text(), QString());
    EXPECT_EQ(queued(), QStringList({"notes.txt"}));
}

TEST_F(Form1Test, MultipleFilesQueuesAFoldersAcceptedFiles)
{
    tree.file("a.doc");
    tree.file("b.DOCX");
    tree.file("c.txt");
    tree.file("d.Rtf");
    tree.file(".hidden.doc");
    tree.file("s/e.html");

    chooseMultipleFiles(false);
    shell.chosenFolders = {tree.root()};
    form.Browse_Click();
    EXPECT_EQ(Text2().text(), tree.root());
    EXPECT_EQ(queued(), QStringList({".hidden.doc", "a.doc", "b.DOCX", "d.Rtf"}));
    ASSERT_EQ(shell.folderRequests.size(), 1u);
    EXPECT_EQ(shell.folderRequests[0].title, QStringLiteral("Plainquill - Please select input folder."));
    EXPECT_TRUE(shell.folderRequests[0].startFolder.endsWith(QLatin1Char('/')));
    EXPECT_FALSE(shell.folderRequests[0].onlyFileSystem);

    Check2().setChecked(true);
    shell.chosenFolders = {tree.root()};
    form.Browse_Click();
    EXPECT_EQ(queued(),
              QStringList({".hidden.doc", "a.doc", "b.DOCX", "d.Rtf", "a.doc", "b.DOCX", "d.Rtf", "s/e.html"}));
    EXPECT_EQ(Label3().text(), QStringLiteral("8  Files"));

    form.Browse_Click(); // cancelled: nothing changes
    EXPECT_EQ(Text2().text(), tree.root());
    EXPECT_EQ(form.queue().length(), 8);
}

TEST_F(Form1Test, DropsQueueFilesAndFoldersInDropOrder)
{
    tree.file("one/a.doc");
    tree.file("one/sub/b.rtf");
    tree.file("two/c.htm");
    const QString loose = tree.file("loose.html");
    tree.file("skip.pdf");

    Check2().setChecked(true); // followed even while greyed in single-file mode
    drop({tree.path("one"), loose, tree.path("skip.pdf"), tree.path("missing.doc"), tree.path("two")});
    EXPECT_EQ(queued(), QStringList({"one/a.doc", "one/sub/b.rtf", "loose.html", "two/c.htm"}));
    EXPECT_EQ(List1().currentRow(), 0);

    Check2().setChecked(false);
    drop({tree.path("one")});
    EXPECT_EQ(queued().mid(4), QStringList({"one/a.doc"}));
    EXPECT_EQ(form.queue().rowCount(), 5);
}

TEST_F(Form1Test, TheFileTableTakesTheSameDropsAsThePathList)
{
    tree.file("one/a.doc");
    const QString loose = tree.file("loose.rtf");
    EXPECT_TRUE(testing::dropFiles(*ListView1().viewport(), {tree.path("one"), loose}));
    EXPECT_EQ(queued(), QStringList({"one/a.doc", "loose.rtf"}));
    EXPECT_TRUE(testing::dropFiles(*List1().viewport(), {loose}));
    EXPECT_EQ(queued(), QStringList({"one/a.doc", "loose.rtf", "loose.rtf"}));

    QMimeData text; // not files: refused, as on the path list
    text.setText(QStringLiteral("hello"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(ListView1().viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(Form1Test, FileNamesInChineseJapaneseAndKoreanHaveGlyphsNotBoxes)
{
    // Glyph 0 is a font's "missing" box: every character must find a font that draws it.
    const QString name = QStringLiteral(u"报告 レポート ひらがな 보고서.doc");
    QTextLayout layout(name, ListView1().font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int glyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns())
        for (const quint32 glyph : run.glyphIndexes()) {
            EXPECT_NE(glyph, 0u) << run.rawFont().familyName().toStdString();
            ++glyphs;
        }
    EXPECT_GT(glyphs, 10);
}

TEST_F(Form1Test, ADropOfNothingAcceptedStillReappliesSelectAll)
{
    form.adder().addDropped({tree.file("a.doc")});
    form.queue().setChecked(0, false);
    List1().setCurrentRow(-1);
    drop({tree.file("b.txt")});
    EXPECT_EQ(form.queue().length(), 1);
    EXPECT_TRUE(form.queue().isChecked(0));
    EXPECT_EQ(List1().currentRow(), 0);
}

TEST_F(Form1Test, StopSetsTheCancelFlag)
{
    form.bCancel = false;
    form.Stop_Click();
    EXPECT_TRUE(form.bCancel);
}

TEST_F(Form1Test, HelpOpensTheShippedPage)
{
    form.Help_Click();
    EXPECT_TRUE(shell.shownPages.empty()) << "the browser took it";
    ASSERT_EQ(shell.openedUrls.size(), 1u);
    const QUrl url = shell.openedUrls[0];
    ASSERT_TRUE(url.isLocalFile());
    QFile page(url.toLocalFile());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << url.toLocalFile().toStdString();
    const QByteArray html = page.readAll();
    EXPECT_TRUE(html.contains("Plainquill"));
    EXPECT_TRUE(html.contains("LibreOffice"));
}

TEST_F(Form1Test, HelpShowsThePageItselfWhenTheDesktopCannot)
{
    shell.urlsOpen = false;
    form.Help_Click();
    ASSERT_EQ(shell.shownPages.size(), 1u);
    EXPECT_EQ(shell.shownPages[0].second, QStringLiteral(PLAINQUILL_HELP_PAGE));
    EXPECT_TRUE(shell.messages.empty());

    FakeShell noPage;
    noPage.urlsOpen = false;
    Form1 broken({noPage, factory, wordProcessor.factory(), tree.path("missing/index.html"), {}});
    broken.Help_Click();
    EXPECT_TRUE(noPage.shownPages.empty());
    ASSERT_EQ(noPage.messages.size(), 1u);
    EXPECT_TRUE(noPage.messages[0].text.contains(tree.path("missing/index.html")));
}

class Form1KeyboardTest : public Form1Test {
protected:
    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    QWidget* focused() const { return QApplication::focusWidget(); }
    // Everything the window asks of the desktop: each button's click asks one thing.
    size_t asked() const
    {
        return shell.messages.size() + shell.fileRequests.size() + shell.folderRequests.size() + shell.openedUrls.size();
    }
};

TEST_F(Form1KeyboardTest, TabWalksTheEnabledControlsInReadingOrderAndWrapsAround)
{
    get<QWidget>("ListView1").setFocus();
    QStringList walked;
    for (int i = 0; i < 12; ++i) {
        walked.push_back(focused()->objectName());
        QTest::keyClick(focused(), Qt::Key_Tab);
    }
    EXPECT_EQ(walked, QStringList({"ListView1", "List1", "Check1", "Option1", "Text2", "chameleonButton2", "Text1",
                                   "chameleonButton3", "XpB1", "isButton1", "ListView1", "List1"}));
    QTest::keyClick(focused(), Qt::Key_Backtab);
    EXPECT_EQ(focused()->objectName(), QStringLiteral("List1"));
}

TEST_F(Form1KeyboardTest, SpaceAndEnterPressTheFocusedButtonOnceAndEscapeNothing)
{
    const std::pair<const char*, Qt::Key> presses[] = {
        {"chameleonButton2", Qt::Key_Space}, {"chameleonButton2", Qt::Key_Return}, {"chameleonButton3", Qt::Key_Space},
        {"chameleonButton3", Qt::Key_Enter}, {"XpB1", Qt::Key_Space},            {"XpB1", Qt::Key_Return},
        {"isButton1", Qt::Key_Space},        {"isButton1", Qt::Key_Return},
    };
    for (const auto& [name, key] : presses) {
        SCOPED_TRACE(std::string(name) + " key " + std::to_string(key));
        QWidget& button = get<QWidget>(name);
        button.setFocus();
        const size_t before = asked();
        QTest::keyClick(&button, Qt::Key_Escape);
        EXPECT_EQ(asked(), before);
        QTest::keyClick(&button, key);
        EXPECT_EQ(asked(), before + 1);
        // An Enter that answered a message box comes up on the button focused after it.
        if (key != Qt::Key_Space) {
            QTest::keyRelease(&button, key);
            EXPECT_EQ(asked(), before + 1);
        }
    }
    EXPECT_TRUE(form.isVisible());
}

TEST_F(Form1KeyboardTest, AccessKeysChooseTheOptionsFromWhereverTheFocusIs)
{
    // A button pressed by its access key shows itself pressed for a moment before it acts.
    const auto press = [&](Qt::Key key, const std::function<bool()>& done) {
        QTest::keyClick(focused(), key, Qt::AltModifier);
        return QTest::qWaitFor(done, 1000);
    };
    get<QWidget>("ListView1").setFocus();
    EXPECT_TRUE(press(Qt::Key_M, [&] { return Option2().isChecked() && Check2().isEnabled(); }));
    Text1().setFocus();
    EXPECT_TRUE(press(Qt::Key_F, [&] { return Check2().isChecked(); }));
    EXPECT_TRUE(press(Qt::Key_S, [&] { return !Check1().isChecked(); }));
    EXPECT_TRUE(press(Qt::Key_N, [&] { return Option1().isChecked() && !Check2().isEnabled(); }));
}

TEST(OpenForm1, BadStoredWindowDataIsShownAndNoWindowMade)
{
    testing::WithQtApp qt;
    struct Case { const char* name; QByteArray layout; const char* why; }; // why: none for a window made
    const Case cases[] = {
        {"not json", "{\"controls\": [", "malformed window layout"},
        {"unknown kind", R"({"controls": [{"name": "X", "kind": "gauge", "rect": [0, 0, 15, 15]}]})", "gauge"},
        {"unreadable property", R"({"controls": [{"name": "XP_ProgressBar1", "kind": "drawn",
             "class": "Ostrand.XP_ProgressBar", "rect": [0, 0, 150, 150], "properties": {"max": [1]}}]})", "max"},
        {"a control missing", R"({"controls": []})", "lacks"},
        {"the shipped layout", {}, nullptr},
    };
    for (const Case& c : cases) {
        FakeShell shell;
        WindowControlFactory controls;
        testing::FakeLauncher wordProcessor;
        EXPECT_EQ(openForm1({shell, controls, wordProcessor.factory(), QString(), {}, c.layout}) == nullptr, c.why != nullptr)
            << c.name;
        ASSERT_EQ(shell.messages.size(), c.why ? 1u : 0u) << c.name;
        if (c.why) {
            EXPECT_EQ(shell.messages[0].icon, MessageIcon::Critical) << c.name;
            EXPECT_TRUE(shell.messages[0].text.contains(QLatin1String(c.why))) << shell.messages[0].text.toStdString();
        }
    }
}

} // namespace
} // namespace plainquill
