#include "app/adapters/shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

namespace plainquill {

namespace {

constexpr int kLauncherWaitMs = 3000;

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageAnswer QtShell::showMessage(MessageIcon icon, const QString& title, const QString& text,
                                   MessageButtons buttons, const QString& details)
{
    QMessageBox box(toQt(icon), title, text);
    if (!details.isEmpty())
        box.setDetailedText(details);
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

QString QtShell::openFile(const OpenFileRequest& request)
{
    return QFileDialog::getOpenFileName(nullptr, request.title, request.initialFolder,
                                        request.filters.join(QLatin1String(";;")), nullptr,
                                        QFileDialog::HideNameFilterDetails);
}

QString QtShell::chooseFolder(const FolderRequest& request)
{
    // Every folder this dialog offers is a file-system folder, so onlyFileSystem needs no option.
    QString folder = QFileDialog::getExistingDirectory(nullptr, request.title, request.startFolder,
                                                       QFileDialog::ShowDirsOnly);
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return QDir::fromNativeSeparators(folder);
}

// Qt reports only whether a launcher started, and xdg-open starts even where no program handles
// the page, so it is run here and its answer waited for. A launcher still running after the wait
// has handed the page to a program that stays in the foreground: that counts as opened.
bool QtShell::openUrl(const QUrl& url)
{
    const QString launcher = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (launcher.isEmpty())
        return QDesktopServices::openUrl(url);
    auto* process = new QProcess(QCoreApplication::instance());
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start(launcher, {url.toString(QUrl::FullyEncoded)});
    if (!process->waitForStarted()) {
        process->deleteLater();
        return false;
    }
    if (!process->waitForFinished(kLauncherWaitMs))
        return true;
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
}

void QtShell::showPage(const QString& title, const QString& htmlFile)
{
    // Owned by the window that asked, so it closes with the program instead of keeping it open.
    auto* window = new QDialog(QApplication::activeWindow());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(title);
    auto* browser = new QTextBrowser(window);
    browser->setOpenExternalLinks(true);
    browser->setSource(QUrl::fromLocalFile(htmlFile));
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    // Wide enough for the page's picture of the window (700 pixels) beside its margins, where the
    // screen allows: a narrower page scrolls sideways.
    const QRect screen = window->screen()->availableGeometry();
    window->resize(std::min(780, screen.width() * 9 / 10), std::min(640, screen.height() * 9 / 10));
    window->show();
}

} // namespace plainquill
