// The program in a real window: added to, started, stopped and looked at as a user would.
#include "tests/window/x_session.h"

#include <gtest/gtest.h>

#include <optional>

namespace plainquill::testing {
namespace {

const QString kProgram = QStringLiteral(PLAINQUILL_PROGRAM);
const QString kCorpus = QStringLiteral(PLAINQUILL_CORPUS_DIR);

// The window's drawn controls where the stored layout puts them, in twips (15 to a pixel), and the
// colour a button's face has on its left edge half-way down while enabled: the drawn faces' outline,
// which no stock button has.
struct DrawnControl {
    const char* name;
    QRect twips;
    std::optional<QRgb> enabledEdge;
};
const DrawnControl kRemoveAll{"chameleonButton1", {4440, 4920, 1455, 375}, qRgb(0, 60, 115)};
const DrawnControl kBrowse{"chameleonButton2", {9120, 5400, 1215, 375}, qRgb(0, 60, 115)};
const DrawnControl kOutput{"chameleonButton3", {9120, 6000, 1215, 375}, qRgb(0, 60, 115)};
const DrawnControl kHelp{"XpB1", {4440, 6600, 1095, 375}, qRgb(113, 111, 100)};
const DrawnControl kBar{"XP_ProgressBar1", {5760, 6720, 1455, 255}, std::nullopt};
const DrawnControl kStop{"chameleonButton4", {7560, 6600, 1095, 375}, qRgb(0, 60, 115)};
const DrawnControl kStart{"isButton1", {9000, 6600, 1335, 375}, qRgb(0, 60, 116)};
const DrawnControl* const kAllDrawn[] = {&kRemoveAll, &kBrowse, &kOutput, &kHelp, &kBar, &kStop, &kStart};

// Standard controls the test clicks or types into.
const QRect kText1{296, 400, 305, 25};
const QPoint kMultipleFiles{8 + 8 + 6, 328 + 64 + 8};
const QPoint kIncludeSubFolders{8 + 8 + 6, 328 + 88 + 8};

QRect pixels(const QRect& twips)
{
    return {twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15};
}

QPoint centre(const DrawnControl& control) { return pixels(control.twips).center(); }

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The box of every pixel that differs from the window's background around the control.
QRect paintedBox(const QImage& shot, const QRect& around)
{
    const QRgb background = shot.pixel(around.topLeft());
    QRect box;
    for (int y = around.top(); y <= around.bottom(); ++y)
        for (int x = around.left(); x <= around.right(); ++x)
            if (!near(shot.pixel(x, y), background, 8))
                box |= QRect(x, y, 1, 1);
    return box;
}

int lightnessSpread(const QImage& shot, const QRect& area)
{
    int low = 255, high = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const int value = qGray(shot.pixel(x, y));
            low = std::min(low, value);
            high = std::max(high, value);
        }
    return high - low;
}

bool looksEnabled(const QImage& shot, const DrawnControl& button)
{
    const QRect box = pixels(button.twips);
    return near(shot.pixel(box.left(), box.top() + box.height() / 2), *button.enabledEdge, 3);
}

// Every drawn control in its layout box, showing something, each button enabled or not as listed.
void expectDrawnInPlace(const QImage& shot, std::initializer_list<const DrawnControl*> enabled)
{
    for (const DrawnControl* each : kAllDrawn) {
        const DrawnControl& control = *each;
        SCOPED_TRACE(control.name);
        const QRect box = pixels(control.twips);
        const QRect painted = paintedBox(shot, box.adjusted(-4, -4, 4, 4));
        EXPECT_LE(std::abs(painted.left() - box.left()), 1) << painted.left();
        EXPECT_LE(std::abs(painted.top() - box.top()), 1) << painted.top();
        EXPECT_LE(std::abs(painted.right() - box.right()), 1) << painted.right();
        EXPECT_LE(std::abs(painted.bottom() - box.bottom()), 1) << painted.bottom();
        // A caption or a border against the face: never one flat colour.
        EXPECT_GT(lightnessSpread(shot, box.adjusted(2, 2, -2, -2)), 40);
        if (control.enabledEdge) {
            EXPECT_EQ(looksEnabled(shot, control), std::find(enabled.begin(), enabled.end(), each) != enabled.end());
        }
    }
}

// Pixels of the progress bar's fill colour (green after a converted file) in a slice of the bar.
int greenPixels(const QImage& shot, int fromPercent, int toPercent)
{
    const QRect bar = pixels(kBar.twips);
    int count = 0;
    for (int y = bar.top() + 2; y < bar.bottom() - 1; ++y)
        for (int x = bar.left() + bar.width() * fromPercent / 100; x < bar.left() + bar.width() * toPercent / 100; ++x) {
            const QRgb p = shot.pixel(x, y);
            count += qGreen(p) > 150 && qRed(p) < 120 && qBlue(p) < 120;
        }
    return count;
}

class RealWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QDir(kCorpus).exists())
            GTEST_SKIP() << "no corpus at " << kCorpus.toStdString();
        m_session.emplace(kProgram);
    }

    void copyCorpus(const QString& from, const QString& to)
    {
        QDir().mkpath(QFileInfo(m_files.filePath(to)).absolutePath());
        QFile::copy(kCorpus + '/' + from, m_files.filePath(to));
    }

    // "Multiple files" with sub-folders, Browse... and the folder typed into the chooser; then the
    // output folder typed into its box, and Start.
    void convertFolder(const QString& folder)
    {
        XSession& x = *m_session;
        x.click(kMultipleFiles);
        x.click(kIncludeSubFolders);
        x.click(centre(kBrowse));
        // Keys typed before the chooser has the focus would be lost.
        x.xdo("windowfocus --sync " + x.waitForWindow("select input folder"));
        x.key("ctrl+a");
        x.type(m_files.filePath(folder));
        // The first Return may only take the completer's suggestion.
        for (int tries = 0; tries < 3 && !x.findWindow("select input folder").isEmpty(); ++tries) {
            x.key("Return");
            waitUntil([&] { return x.findWindow("select input folder").isEmpty(); }, 1000);
        }
        ASSERT_TRUE(waitUntil([&] { return looksEnabled(x.screenshot(), kRemoveAll); }, 10000))
            << "the folder's documents were not queued";
        x.click(kText1.center());
        x.type(m_output.path());
        x.click(centre(kStart));
        ASSERT_TRUE(waitUntil([&] { return !written().isEmpty() || looksEnabled(x.screenshot(), kStop); }, 20000))
            << "the run did not start; a message box titled Error: " << !x.findWindow("^Error$").isEmpty();
    }

    QStringList written() const { return QDir(m_output.path()).entryList({"*.txt"}, QDir::Files, QDir::Name); }

    // The window once Start looks enabled again: the run is over and drawn.
    QImage afterTheRun()
    {
        QImage shot;
        EXPECT_TRUE(waitUntil([&] { return looksEnabled(shot = m_session->screenshot(), kStart); }, 10000));
        return shot;
    }

    QTemporaryDir m_files;
    QTemporaryDir m_output;
    std::optional<XSession> m_session;
};

TEST_F(RealWindow, AtRestTheDrawnControlsSitWhereTheLayoutPutsThem)
{
    const QImage shot = m_session->screenshot();
    expectDrawnInPlace(shot, {&kBrowse, &kOutput, &kHelp, &kStart});
    EXPECT_EQ(greenPixels(shot, 0, 100), 0) << "an empty bar is white";
}

TEST_F(RealWindow, ConvertsAFolderTreeAndFillsTheBar)
{
    const QString data = "node-word-extractor/__tests__/data/";
    copyCorpus(data + "test01.doc", "a/test01.doc");
    copyCorpus(data + "test02.docx", "a/test02.docx");
    copyCorpus("textract/tests/rtf/raw_text.rtf", "a/sub/raw_text.rtf");
    copyCorpus("textract/tests/html/tables.html", "a/sub/deeper/tables.html");
    copyCorpus("textract/tests/docx/paragraphs_and_tables.docx", "a/other/paragraphs_and_tables.docx");
    ASSERT_NO_FATAL_FAILURE(convertFolder("a"));

    const QStringList expected{"paragraphs_and_tables.txt", "raw_text.txt", "tables.txt", "test01.txt", "test02.txt"};
    ASSERT_TRUE(waitUntil([&] { return written() == expected; }, 60000)) << written().join(' ').toStdString();
    for (const QString& name : expected)
        EXPECT_GT(QFileInfo(m_output.filePath(name)).size(), 0) << name.toStdString();
    const QImage shot = afterTheRun();
    EXPECT_GT(greenPixels(shot, 90, 100), 0) << "a full bar reaches its right end";
    EXPECT_GT(greenPixels(shot, 0, 10), 0);
    expectDrawnInPlace(shot, {&kRemoveAll, &kBrowse, &kOutput, &kHelp, &kStart});
}

TEST_F(RealWindow, StopDuringALongRunAsksAndYesEndsIt)
{
    constexpr int kDocuments = 60;
    for (int i = 0; i < kDocuments; ++i)
        copyCorpus("node-word-extractor/__tests__/data/test06.docx", QString("long/part%1/doc%2.docx").arg(i % 3).arg(i));
    ASSERT_NO_FATAL_FAILURE(convertFolder("long"));

    ASSERT_TRUE(waitUntil([&] { return written().size() >= 6; }, 60000));
    const QImage running = m_session->screenshot();
    // While converting, the queue and the output folder hold still: only Stop and Help take clicks.
    expectDrawnInPlace(running, {&kHelp, &kStop});
    EXPECT_GT(greenPixels(running, 0, 10), 0) << "the bar shows the files done";

    m_session->click(centre(kStop));
    m_session->waitForWindow("^Plainquill$");
    m_session->key("Return"); // Yes, the default answer
    const QImage stopped = afterTheRun();
    const qsizetype writtenAtStop = written().size();
    EXPECT_LT(writtenAtStop, kDocuments);
    EXPECT_EQ(greenPixels(stopped, 0, 100), 0) << "a cancelled run empties the bar";
    expectDrawnInPlace(stopped, {&kRemoveAll, &kBrowse, &kOutput, &kHelp, &kStart});
    QThread::msleep(1500);
    EXPECT_EQ(written().size(), writtenAtStop) << "no file is converted after the answer";
    EXPECT_TRUE(m_session->programRunning());
}

} // namespace
} // namespace plainquill::testing
