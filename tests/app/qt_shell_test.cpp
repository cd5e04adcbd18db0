// The real shell against stand-in desktop launchers on PATH, and its own page window.
#include "app/adapters/shell.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTextBrowser>
#include <QUrl>

namespace plainquill {
namespace {

using testing::TempTree;

class QtShellTest : public testing::WithQtApp, public ::testing::Test {
protected:
    ~QtShellTest() override { qputenv("PATH", m_path); }

    TempTree tree;
    QtShell shell;

private:
    QByteArray m_path = qgetenv("PATH");
};

TEST_F(QtShellTest, OpenUrlSaysWhetherTheDesktopLauncherOpenedThePage)
{
    const QUrl page = QUrl::fromLocalFile(tree.file("page.html", "<p>hi</p>"));
    qputenv("PATH", tree.folder("bin").toLocal8Bit()); // only the stand-in launcher
    for (const int exitCode : {0, 3}) { // 3: xdg-open's answer when no program handles the page
        const QString script = tree.file("bin/xdg-open", "#!/bin/sh\nexit " + QByteArray::number(exitCode) + "\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(shell.openUrl(page), exitCode == 0);
    }
}

TEST_F(QtShellTest, ShowPageShowsTheFileInAWindowOfItsOwn)
{
    const QString page = tree.file("help.html", "<h1>Plainquill help</h1><p>Adding files</p>");
    shell.showPage(QStringLiteral("Plainquill 1.0 Help"), page);
    QTextBrowser* shown = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(top); dialog && dialog->isVisible())
            if (dialog->windowTitle() == QStringLiteral("Plainquill 1.0 Help"))
                shown = dialog->findChild<QTextBrowser*>();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->toPlainText().contains(QStringLiteral("Adding files")));
    shown->window()->close();
}

} // namespace
} // namespace plainquill
