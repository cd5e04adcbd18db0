#include "app/queue/file_table_model.h"

namespace plainquill {

namespace {

enum Column { NameColumn, SizeColumn, TypeColumn, ModifiedColumn };

const QString& field(const FileFacts& facts, int column)
{
    switch (column) {
    case SizeColumn: return facts.sizeText;
    case TypeColumn: return facts.typeText;
    case ModifiedColumn: return facts.modified;
    default: return facts.name;
    }
}

} // namespace

void FileTableModel::addColumn(const QString& header)
{
    const int column = int(m_headers.size());
    beginInsertColumns({}, column, column);
    m_headers.push_back(header);
    endInsertColumns();
}

void FileTableModel::appendRows(std::vector<FileFacts> facts)
{
    if (facts.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + int(facts.size()) - 1);
    m_rows.reserve(m_rows.size() + facts.size());
    for (FileFacts& f : facts)
        m_rows.push_back({std::move(f), false});
    endInsertRows();
}

void FileTableModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void FileTableModel::setAllChecked(bool checked)
{
    if (m_rows.empty())
        return;
    for (Row& row : m_rows)
        row.checked = checked;
    emit dataChanged(index(0, NameColumn), index(rowCount() - 1, NameColumn), {Qt::CheckStateRole});
}

void FileTableModel::setChecked(int row, bool checked)
{
    if (row < 0 || row >= rowCount() || m_rows[row].checked == checked)
        return;
    m_rows[row].checked = checked;
    emit dataChanged(index(row, NameColumn), index(row, NameColumn), {Qt::CheckStateRole});
}

bool FileTableModel::isChecked(int row) const
{
    return row >= 0 && row < rowCount() && m_rows[row].checked;
}

QString FileTableModel::text(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return field(m_rows[row].facts, column);
}

int FileTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FileTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant FileTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row& row = m_rows[index.row()];
    if (role == Qt::DisplayRole)
        return field(row.facts, index.column());
    if (role == Qt::CheckStateRole && index.column() == NameColumn)
        return row.checked ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool FileTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != NameColumn)
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

QVariant FileTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_headers.size())
        return m_headers[section];
    return {};
}

Qt::ItemFlags FileTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == NameColumn)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

} // namespace plainquill
