#pragma once
// The file table's rows: one per queued file, with its facts and its check box. A model of our
// own rather than item widgets, so that adding, checking and clearing tens of thousands of rows
// costs one notification each, not one per row.
#include "app/queue/file_facts.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace plainquill {

class FileTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void addColumn(const QString& header);
    void appendRows(std::vector<FileFacts> facts); // new rows start unchecked
    void clear();
    void setAllChecked(bool checked);
    void setChecked(int row, bool checked);
    bool isChecked(int row) const;
    QString text(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Row {
        FileFacts facts;
        bool checked = false;
    };
    QStringList m_headers;
    std::vector<Row> m_rows;
};

} // namespace plainquill
