// The real shell against stand-in desktop launchers on PATH, and its own page window.
#include "app/adapters/shell.h"
#include "app/run/failure_report.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
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

TEST_F(QtShellTest, TheClosingMessageOfAManyFailedRunFitsOnTheScreenWithItsDetailsShown)
{
    RunOutcome outcome;
    outcome.tried = 80;
    const QString folder = QStringLiteral("/home/someone/Documents/projects/archive/2019/correspondence/");
    for (int i = 1; i <= 23; ++i)
        outcome.failed.push_back({folder + QStringLiteral("letter %1.doc").arg(i), engine::Failure::CouldNotOpen, {}});
    for (int i = 1; i <= 24; ++i)
        outcome.renamed.push_back({QStringLiteral("%1/x.doc").arg(i), QStringLiteral("x (2).txt"),
                                   folder + QStringLiteral("%1/x.doc").arg(i), QStringLiteral("/out/x (%1).txt").arg(i)});
    for (int i = 1; i <= 30; ++i)
        outcome.textless.push_back(folder + QStringLiteral("scan %1.doc").arg(i));
    const RunReport report = endOfRunReport(outcome);
    int shortHeight = 0;
    int detailedHeight = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shortHeight = box->frameGeometry().height();
        for (QPushButton* button : box->findChildren<QPushButton*>())
            if (button->text().contains(QLatin1String("Details")))
                button->click();
        QApplication::processEvents();
        detailedHeight = box->frameGeometry().height();
        box->accept();
    });
    shell.showMessage(MessageIcon::Information, QStringLiteral("Plainquill"), report.text, MessageButtons::Ok,
                      report.details);

    const int screen = QGuiApplication::primaryScreen()->availableGeometry().height();
    EXPECT_GT(shortHeight, 0);
    EXPECT_LE(shortHeight, screen);
    EXPECT_GT(detailedHeight, shortHeight) << "the details were shown";
    EXPECT_LE(detailedHeight, screen);
}

} // namespace
} // namespace plainquill
