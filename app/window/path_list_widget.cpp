#include "app/window/path_list_widget.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

namespace plainquill {

PathListWidget::PathListWidget(QWidget* parent) : QListWidget(parent)
{
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
}

QStringList PathListWidget::localPaths(const QMimeData& data)
{
    QStringList paths;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile());
    return paths;
}

void PathListWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void PathListWidget::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void PathListWidget::dropEvent(QDropEvent* event)
{
    const QStringList paths = localPaths(*event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    emit pathsDropped(paths);
}

} // namespace plainquill
