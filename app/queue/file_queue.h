#pragma once
// The queue of documents waiting for conversion. It lives in the window's widgets: the path list
// (List1) and the file table (ListView1, row k describes path k) always have the same length and
// change together; the batch (List3) holds what the add in progress appended.
#include "app/queue/file_facts.h"
#include "app/queue/file_table_model.h"

#include <QStringList>

#include <filesystem>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QTreeView;

namespace plainquill::contracts {
class ButtonFace;
}

namespace plainquill {

// Shows `text` as the queue's count (Label3). Empty, the label still has something to tell a
// screen reader, which would otherwise find an object without a name.
void showCountText(QLabel& label, const QString& text);

struct QueueWidgets {
    QListWidget& List1;
    QTreeView& ListView1;
    QLabel& Label3;
    QCheckBox& Check1;
    contracts::ButtonFace& removeAll; // chameleonButton1
};

class FileQueue {
public:
    // `locale` decides the decimal separator and the date and time formats of the rows.
    explicit FileQueue(QueueWidgets widgets, const QLocale& locale = QLocale());

    // An add operation: beginAdd, append for each accepted path, then finishAdd.
    void beginAdd();
    void append(const std::filesystem::path& path);
    void append(const QString& path); // a path typed or chosen as text
    void finishAdd(); // the closing sequence

    void AddBatchRows();
    void ApplySelectAll();
    void AutoSizeColumns();
    void ClearQueue();
    void setAllChecked(bool checked);

    void addColumn(const QString& header);

    qsizetype length() const;
    qsizetype rowCount() const;
    QString rowText(qsizetype index, int column) const;
    void setChecked(qsizetype index, bool checked);
    QString path(qsizetype index) const; // as shown; empty when the entry is gone
    std::filesystem::path nativePath(qsizetype index) const; // the bytes; empty when gone
    bool hasRow(qsizetype index) const;
    bool isChecked(qsizetype index) const; // false when the row is gone
    const std::vector<std::filesystem::path>& batch() const { return m_batch; }
    // Changes whenever the queue is emptied, so a reader holding a position can tell that the
    // position may now name another file.
    quint64 generation() const { return m_generation; }

private:
    QueueWidgets m_w;
    FileDescriber m_describer;
    FileTableModel m_rows;
    std::vector<std::filesystem::path> m_batch; // List3
    quint64 m_generation = 0;
};

} // namespace plainquill
