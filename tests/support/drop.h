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
inline bool drop(QWidget& target, const QMimeData& data)
{
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &enter);
    QDropEvent landing(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &landing);
    return enter.isAccepted() && landing.isAccepted();
}

inline bool dropFiles(QWidget& target, const QStringList& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.push_back(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    return drop(target, data);
}

// A text/uri-list as given, for URLs whose bytes no QString can hold.
inline bool dropUriList(QWidget& target, const QByteArray& uriList)
{
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), uriList);
    return drop(target, data);
}

} // namespace plainquill::testing
