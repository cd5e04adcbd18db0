#include "app/adding/dropped_paths.h"

#include <QMimeData>
#include <QUrl>

namespace plainquill {

std::vector<std::filesystem::path> droppedLocalPaths(const QMimeData& data)
{
    std::vector<std::filesystem::path> paths;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile())
            continue;
        // Fully encoded, the path still holds every byte that is not UTF-8 as its %XX escape.
        const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        if (!bytes.isEmpty())
            paths.emplace_back(bytes.toStdString());
    }
    return paths;
}

} // namespace plainquill
