#include "app/window/path_list_widget.h"

#include "app/adding/dropped_paths.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

namespace plainquill {

namespace {

// Sits on a view's viewport, where drags arrive, ahead of the view's own item dragging.
class PathDropFilter : public QObject {
public:
    PathDropFilter(PathDropHandler onDrop, QObject* parent) : QObject(parent), m_onDrop(std::move(onDrop)) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (drag->mimeData()->hasUrls())
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const std::vector<std::filesystem::path> paths = PathListWidget::localPaths(*drop->mimeData());
            if (!paths.empty()) {
                drop->acceptProposedAction();
                m_onDrop(paths);
            }
            return true;
        }
        default:
            return false;
        }
    }

private:
    PathDropHandler m_onDrop;
};

} // namespace

void acceptPathDrops(QAbstractItemView& view, PathDropHandler onDrop)
{
    view.setAcceptDrops(true);
    view.viewport()->setAcceptDrops(true);
    view.viewport()->installEventFilter(new PathDropFilter(std::move(onDrop), &view));
}

PathListWidget::PathListWidget(QWidget* parent) : QListWidget(parent)
{
    setDragDropMode(QAbstractItemView::DropOnly);
    acceptPathDrops(*this, [this](const std::vector<std::filesystem::path>& paths) { emit pathsDropped(paths); });
}

std::vector<std::filesystem::path> PathListWidget::localPaths(const QMimeData& data)
{
    return droppedLocalPaths(data);
}

} // namespace plainquill
