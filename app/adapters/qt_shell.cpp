#include "app/adapters/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace plainquill {

namespace {

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
                                   MessageButtons buttons)
{
    QMessageBox box(toQt(icon), title, text);
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
                                        request.filters.join(QLatin1String(";;")));
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

bool QtShell::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

} // namespace plainquill
