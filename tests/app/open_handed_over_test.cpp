// Documents handed over by a second start of the program reach the window's queue as a drop: at
// once at rest, after the run while one converts (the queue holds still during a run).
#include "app/window/form1.h"
#include "app/window/window_control_factory.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_word_processor.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

#include <QLineEdit>

namespace plainquill {
namespace {

class OpenHandedOverTest : public testing::WithQtApp, public ::testing::Test {
protected:
    OpenHandedOverTest() { form.control<QLineEdit>("Text1")->setText(tree.folder("out")); }

    QStringList queued()
    {
        QStringList names;
        for (int i = 0; i < form.queue().length(); ++i)
            names << QFileInfo(form.queue().path(i)).fileName();
        return names;
    }

    testing::TempTree tree;
    testing::FakeShell shell;
    WindowControlFactory factory;
    testing::FakeLauncher wordProcessor;
    std::function<void()> onYield;
    Form1 form{{shell, factory, wordProcessor.factory(), QString(), [this] {
                    if (onYield)
                        std::exchange(onYield, nullptr)();
                }}};
};

TEST_F(OpenHandedOverTest, AtRestTheyAreQueuedAtOnceFoldersByTheirDocuments)
{
    tree.file("in/b.doc");
    tree.file("in/notes.txt");
    form.openHandedOver({tree.file("a.docx").toStdString(), tree.root().toStdString() + "/in"});
    EXPECT_EQ(queued(), QStringList({"a.docx", "b.doc"}));
    EXPECT_TRUE(form.removeAllButton().Enabled());
}

TEST_F(OpenHandedOverTest, DuringARunTheyWaitForItsEndAndAreNotConverted)
{
    form.adder().addDropped({tree.file("first.doc")});
    const std::string later = tree.file("later.doc").toStdString();
    QStringList duringTheRun;
    testing::DocumentInHand held(wordProcessor.script, wordProcessor.interrupted, "first.doc");
    onYield = [&] {
        form.openHandedOver({later});
        duringTheRun = queued();
        held.released = true;
    };
    form.Start_Click();
    EXPECT_EQ(duringTheRun, QStringList({"first.doc"}));
    EXPECT_EQ(queued(), QStringList({"first.doc", "later.doc"}));
    EXPECT_EQ(wordProcessor.log.opened.size(), 1u);
}

} // namespace
} // namespace plainquill
