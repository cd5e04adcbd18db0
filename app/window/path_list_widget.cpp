#include "app/window/path_list_widget.h"

#include "app/adding/dropped_paths.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

namespace plainquill {

PathListWidget::PathListWidget(QWidget* parent) : QListWidget(parent)
{
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
}

std::vector<std::filesystem::path> PathListWidget::localPaths(const QMimeData& data)
{
    return droppedLocalPaths(data);
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
    const std::vector<std::filesystem::path> paths = localPaths(*event->mimeData());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    emit pathsDropped(paths);
}

} // namespace plainquill
