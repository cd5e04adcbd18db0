#pragma once
// Drops local files onto a widget the way a file manager does: the drag enters, then lands.
#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <QWidget>

namespace plainquill::testing {

// True when the target took both the entering drag (no "no" pointer) and the drop.
inline bool dropFiles(QWidget& target, const QStringList& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.push_back(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

} // namespace plainquill::testing
