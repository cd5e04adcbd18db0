#include "app/queue/file_queue.h"
#include "controls/contracts/button_face.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTreeView>

#include <fstream>

namespace plainquill {
namespace {

using testing::TempTree;

// The queue only switches Remove All on and off.
class RemoveAllButton : public contracts::ButtonFace {
public:
    std::string Caption() const override { return "Remove All"; }
    void SetCaption(const std::string&) override {}
    bool Enabled() const override { return m_enabled; }
    void SetEnabled(bool enabled) override { m_enabled = enabled; }
    void SetClickHandler(ClickHandler) override {}
    std::string ToolTipText() const override { return {}; }
    bool IsCheckButton() const override { return false; }
    bool Checked() const override { return false; }

private:
    bool m_enabled = false;
};

class FileQueueTest : public testing::WithQtApp, public ::testing::Test {
protected:
    FileQueueTest()
    {
        testing::qtApp();
        for (const char* header : {"File Name", "File Size", "File Type", "Modified"})
            queue.addColumn(QLatin1String(header));
        selectAll.setChecked(true);
        removeAll.SetEnabled(false);
    }

    void add(const QStringList& paths)
    {
        queue.beginAdd();
        for (const QString& path : paths)
            queue.append(path);
        queue.finishAdd();
    }

    void expectPaired()
    {
        ASSERT_EQ(paths.count(), queue.rowCount());
        ASSERT_EQ(table.model()->rowCount(), queue.rowCount());
        for (int i = 0; i < paths.count(); ++i)
            EXPECT_EQ(queue.rowText(i, 0), QFileInfo(paths.item(i)->text()).fileName()) << i;
    }

    QListWidget paths;
    QTreeView table;
    QLabel count;
    QCheckBox selectAll;
    RemoveAllButton removeAll;
    FileQueue queue{QueueWidgets{paths, table, count, selectAll, removeAll}, QLocale::c()};
    TempTree tree;
};

TEST_F(FileQueueTest, AppendsPathsAndRowsTogetherAndKeepsDuplicates)
{
    const QString a = tree.file("a.doc", "12345");
    const QString b = tree.file("b.rtf");
    add({a, b});
    add({a});

    expectPaired();
    EXPECT_EQ(queue.length(), 3);
    EXPECT_EQ(queue.path(2), a);
    EXPECT_EQ(queue.batch(), std::vector<std::filesystem::path>({a.toStdString()}));
    EXPECT_EQ(queue.rowText(0, 1), QStringLiteral("5 bytes"));
    EXPECT_FALSE(queue.rowText(0, 2).isEmpty());
    EXPECT_FALSE(queue.rowText(0, 3).isEmpty());
    EXPECT_EQ(count.text(), QStringLiteral("3  Files"));
    EXPECT_TRUE(removeAll.Enabled());
}

TEST_F(FileQueueTest, AVanishedFileStillGetsItsRowWithTheUnreadableValuesEmpty)
{
    const QString kept = tree.file("kept.doc");
    const QString gone = tree.file("gone.docx");
    QFile::remove(gone);
    add({gone, kept});

    expectPaired();
    EXPECT_EQ(queue.rowText(0, 0), QStringLiteral("gone.docx"));
    EXPECT_TRUE(queue.rowText(0, 1).isEmpty());
    EXPECT_TRUE(queue.rowText(0, 2).isEmpty());
    EXPECT_TRUE(queue.rowText(0, 3).isEmpty());
    EXPECT_TRUE(queue.isChecked(0));
}

TEST_F(FileQueueTest, SelectAllChecksEveryRowAgainOnEachAdd)
{
    add({tree.file("a.doc"), tree.file("b.doc")});
    queue.setChecked(0, false);
    add({tree.file("c.doc")});
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(queue.isChecked(i)) << i;

    selectAll.setChecked(false);
    queue.setChecked(1, false);
    add({tree.file("d.doc")});
    EXPECT_TRUE(queue.isChecked(0));
    EXPECT_FALSE(queue.isChecked(1));
    EXPECT_FALSE(queue.isChecked(3)) << "a new row starts unchecked while Select All is off";
}

TEST_F(FileQueueTest, AnAddOfNothingStillRunsTheClosingSequence)
{
    add({tree.file("a.doc")});
    queue.setChecked(0, false);
    count.setText("stale");
    removeAll.SetEnabled(false);
    add({});

    EXPECT_TRUE(queue.isChecked(0)) << "Select All is re-applied";
    EXPECT_EQ(count.text(), QStringLiteral("1  Files"));
    EXPECT_FALSE(removeAll.Enabled()) << "only a non-empty batch enables Remove All";
}

TEST_F(FileQueueTest, ClearQueueEmptiesPathsAndRowsButNotTheCountOrBatch)
{
    const QString a = tree.file("a.doc");
    add({a});
    queue.ClearQueue();

    EXPECT_EQ(paths.count(), 0);
    EXPECT_EQ(queue.rowCount(), 0);
    EXPECT_EQ(count.text(), QStringLiteral("1  Files"));
    EXPECT_EQ(queue.batch(), std::vector<std::filesystem::path>({a.toStdString()}));

    add({tree.file("b.doc")});
    expectPaired();
    EXPECT_EQ(queue.path(0), tree.path("b.doc"));
    EXPECT_EQ(queue.path(5), QString()) << "a position past the end reads as gone";
    EXPECT_FALSE(queue.isChecked(5));
}

TEST_F(FileQueueTest, ColumnsFitTheWiderOfHeaderAndContents)
{
    add({tree.file(QString(60, QLatin1Char('n')) + ".doc")});
    const int nameWidth = table.columnWidth(0);
    EXPECT_GT(nameWidth, table.fontMetrics().horizontalAdvance(QString(50, QLatin1Char('n'))));
    EXPECT_GE(table.columnWidth(1), table.fontMetrics().horizontalAdvance("File Size"));
}

TEST_F(FileQueueTest, KeepsTheBytesOfANameThatIsNotUtf8AndShowsItWithReplacementCharacters)
{
    const std::filesystem::path latin1 = QFile::encodeName(tree.root()).toStdString() + "/r\xE9sum\xE9.doc";
    std::ofstream(latin1) << "12345";
    queue.beginAdd();
    queue.append(latin1);
    queue.finishAdd();
    std::filesystem::remove(latin1); // Qt cannot remove what it cannot name

    EXPECT_EQ(queue.nativePath(0), latin1);
    EXPECT_EQ(queue.rowText(0, 0), QString::fromUtf8("r\xEF\xBF\xBDsum\xEF\xBF\xBD.doc"));
    EXPECT_TRUE(queue.path(0).endsWith(queue.rowText(0, 0)));
    EXPECT_EQ(queue.rowText(0, 1), QStringLiteral("5 bytes")) << "the file was read by its bytes";
}

TEST(FileDescriber, WritesDateAndTimeAndLeavesOutMidnight)
{
    testing::qtApp();
    const FileDescriber describer(QLocale(QLocale::English, QLocale::UnitedStates));
    const QDateTime afternoon(QDate(2026, 3, 4), QTime(14, 5, 6));
    const QDateTime midnight(QDate(2026, 3, 4), QTime(0, 0));
    EXPECT_TRUE(describer.modifiedText(afternoon).startsWith(QLatin1String("3/4/26 ")));
    EXPECT_TRUE(describer.modifiedText(afternoon).contains(QLatin1String("2:05:06")));
    EXPECT_FALSE(describer.modifiedText(afternoon).contains(QLatin1String("UTC")));
    EXPECT_EQ(describer.modifiedText(midnight), QStringLiteral("3/4/26"));
    EXPECT_EQ(describer.modifiedText(QDateTime()), QString());
}

} // namespace
} // namespace plainquill
