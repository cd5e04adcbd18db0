#include "app/queue/file_queue.h"

#include "app/queue/queue_rules.h"
#include "controls/contracts/button_face.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTreeWidget>

namespace plainquill {

namespace {

enum Column { NameColumn, SizeColumn, TypeColumn, ModifiedColumn };

QTreeWidgetItem* makeRow(const FileFacts& facts)
{
    auto* row = new QTreeWidgetItem;
    row->setText(NameColumn, facts.name);
    row->setText(SizeColumn, facts.sizeText);
    row->setText(TypeColumn, facts.typeText);
    row->setText(ModifiedColumn, facts.modified);
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(NameColumn, Qt::Unchecked);
    return row;
}

} // namespace

FileQueue::FileQueue(QueueWidgets widgets, const QLocale& locale)
    : m_w(widgets), m_describer(locale)
{
}

void FileQueue::beginAdd()
{
    m_batch.clear();
}

void FileQueue::append(const QString& path)
{
    m_w.List1.addItem(path);
    m_batch.push_back(path);
}

void FileQueue::finishAdd()
{
    if (!m_batch.isEmpty()) {
        m_w.removeAll.SetEnabled(true);
        AddBatchRows();
    }
    ApplySelectAll();
    AutoSizeColumns();
    if (m_w.List1.count() > 0)
        m_w.Label3.setText(CountText(m_w.List1.count()));
}

void FileQueue::AddBatchRows()
{
    // One insertion for the whole batch: the view lays itself out once, not once per row.
    QList<QTreeWidgetItem*> rows;
    rows.reserve(m_batch.size());
    for (const QString& path : m_batch)
        rows.push_back(makeRow(m_describer.describe(path)));
    m_w.ListView1.addTopLevelItems(rows);
}

void FileQueue::ApplySelectAll()
{
    if (m_w.Check1.checkState() == Qt::Checked)
        setAllChecked(true);
}

void FileQueue::AutoSizeColumns()
{
    // Each column fits the wider of its header and its contents.
    for (int column = 0; column < m_w.ListView1.columnCount(); ++column)
        m_w.ListView1.resizeColumnToContents(column);
}

void FileQueue::ClearQueue()
{
    m_w.ListView1.clear();
    m_w.List1.clear();
}

void FileQueue::setAllChecked(bool checked)
{
    const Qt::CheckState state = checked ? Qt::Checked : Qt::Unchecked;
    for (int row = 0; row < m_w.ListView1.topLevelItemCount(); ++row)
        m_w.ListView1.topLevelItem(row)->setCheckState(NameColumn, state);
}

qsizetype FileQueue::length() const
{
    return m_w.List1.count();
}

QString FileQueue::path(qsizetype index) const
{
    const QListWidgetItem* entry = index < m_w.List1.count() ? m_w.List1.item(int(index)) : nullptr;
    return entry ? entry->text() : QString();
}

bool FileQueue::hasRow(qsizetype index) const
{
    return index >= 0 && index < m_w.ListView1.topLevelItemCount();
}

bool FileQueue::isChecked(qsizetype index) const
{
    return hasRow(index) && m_w.ListView1.topLevelItem(int(index))->checkState(NameColumn) == Qt::Checked;
}

} // namespace plainquill
