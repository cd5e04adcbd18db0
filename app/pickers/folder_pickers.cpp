#include "app/pickers/folder_pickers.h"

#include "app/adapters/shell.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace plainquill {

namespace {

const QString kFileSystemRoot = QStringLiteral("/");

} // namespace

QString GetSpecialFolderPath(int specialFolder)
{
    if (specialFolder != kPersonalFolder)
        return {};
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

void FolderPickers::BrowseInputFolder()
{
    QString start = GetSpecialFolderPath(kPersonalFolder);
    if (!start.endsWith(QLatin1Char('/')))
        start += QLatin1Char('/');
    strSelectedFolder = m_shell.chooseFolder(
        {QStringLiteral("Plainquill - Please select input folder."), start, false});
}

void FolderPickers::BrowseOutputFolder()
{
    strSelectedFolder = m_shell.chooseFolder(
        {QStringLiteral("Plainquill - Please select output folder."), kFileSystemRoot, true});
}

} // namespace plainquill
