#pragma once
// The path list: a list box that takes files and folders dropped from a file manager.
#include <QListWidget>

#include <filesystem>
#include <vector>

namespace plainquill {

class PathListWidget : public QListWidget {
    Q_OBJECT
public:
    explicit PathListWidget(QWidget* parent = nullptr);

    // The local paths a drop carries, in the order the drop lists them.
    static std::vector<std::filesystem::path> localPaths(const QMimeData& data);

signals:
    void pathsDropped(const std::vector<std::filesystem::path>& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

} // namespace plainquill
