#pragma once
// The path list: a list box that takes files and folders dropped from a file manager. Other views
// of the queue take the same drops through acceptPathDrops.
#include <QListWidget>

#include <filesystem>
#include <functional>
#include <vector>

class QAbstractItemView;

namespace plainquill {

using PathDropHandler = std::function<void(const std::vector<std::filesystem::path>& paths)>;

// Makes `view` take drops of local files and folders, handing their paths, in the order the drop
// lists them, to `onDrop`.
void acceptPathDrops(QAbstractItemView& view, PathDropHandler onDrop);

class PathListWidget : public QListWidget {
    Q_OBJECT
public:
    explicit PathListWidget(QWidget* parent = nullptr);

    // The local paths a drop carries, in the order the drop lists them.
    static std::vector<std::filesystem::path> localPaths(const QMimeData& data);

signals:
    void pathsDropped(const std::vector<std::filesystem::path>& paths);
};

} // namespace plainquill
