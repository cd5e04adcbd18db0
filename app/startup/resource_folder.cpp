#include "app/startup/resource_folder.h"

#include <QDir>
#include <QFileInfo>

namespace plainquill {

QString resourceFolder(const QString& programFolder)
{
    const QString installed = QDir::cleanPath(programFolder + QStringLiteral("/../share/plainquill"));
    return QFileInfo(installed).isDir() ? installed : QDir::cleanPath(programFolder);
}

QStringList missingResources(const QString& folder)
{
    QStringList missing;
    for (const char* file : {"help/index.html", "resources/click.wav", "resources/over.wav"}) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(file);
        if (!QFileInfo(path).isFile())
            missing.append(path);
    }
    return missing;
}

} // namespace plainquill
