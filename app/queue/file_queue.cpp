#include "app/queue/file_queue.h"

#include "controls/contracts/button_face.h"
#include "engine/native_path.h"
#include "engine/queue_rules.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTreeView>

namespace plainquill {

namespace {

// Each path entry keeps the bytes of its path beside the text it shows.
constexpr int kNativePathRole = Qt::UserRole;

} // namespace

FileQueue::FileQueue(QueueWidgets widgets, const QLocale& locale)
    : m_w(widgets), m_describer(locale)
{
    m_w.ListView1.setModel(&m_rows);
}

void FileQueue::addColumn(const QString& header)
{
    m_rows.addColumn(header);
}

void FileQueue::beginAdd()
{
    m_batch.clear();
}

void FileQueue::append(const std::filesystem::path& path)
{
    auto* entry = new QListWidgetItem(displayText(path));
    entry->setData(kNativePathRole, QByteArray::fromStdString(path.native()));
    m_w.List1.addItem(entry);
    m_batch.push_back(path);
}

void FileQueue::append(const QString& path)
{
    append(pathFromText(path));
}

void FileQueue::finishAdd()
{
    if (!m_batch.empty()) {
        m_w.removeAll.SetEnabled(true);
        AddBatchRows();
    }
    ApplySelectAll();
    AutoSizeColumns();
    if (m_w.List1.count() > 0)
        showCountText(m_w.Label3, CountText(m_w.List1.count()));
}

void showCountText(QLabel& label, const QString& text)
{
    label.setText(text);
    label.setAccessibleName(text.isEmpty() ? QStringLiteral("No documents queued") : QString());
}

void FileQueue::AddBatchRows()
{
    // One insertion for the whole batch: the view lays itself out once, not once per row.
    std::vector<FileFacts> rows;
    rows.reserve(m_batch.size());
    for (const std::filesystem::path& path : m_batch)
        rows.push_back(m_describer.describe(path));
    m_rows.appendRows(std::move(rows));
}

void FileQueue::ApplySelectAll()
{
    if (m_w.Check1.checkState() == Qt::Checked)
        setAllChecked(true);
}

void FileQueue::AutoSizeColumns()
{
    // Each column fits the wider of its header and its contents.
    for (int column = 0; column < m_rows.columnCount(); ++column)
        m_w.ListView1.resizeColumnToContents(column);
}

void FileQueue::ClearQueue()
{
    m_rows.clear();
    m_w.List1.clear();
    ++m_generation;
}

void FileQueue::setAllChecked(bool checked)
{
    m_rows.setAllChecked(checked);
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

std::filesystem::path FileQueue::nativePath(qsizetype index) const
{
    const QListWidgetItem* entry = index < m_w.List1.count() ? m_w.List1.item(int(index)) : nullptr;
    if (!entry)
        return {};
    const QVariant bytes = entry->data(kNativePathRole);
    // An entry put in the list by other means than append has only its text.
    return bytes.isValid() ? std::filesystem::path(bytes.toByteArray().toStdString()) : pathFromText(entry->text());
}

qsizetype FileQueue::rowCount() const
{
    return m_rows.rowCount();
}

bool FileQueue::hasRow(qsizetype index) const
{
    return index >= 0 && index < m_rows.rowCount();
}

bool FileQueue::isChecked(qsizetype index) const
{
    return hasRow(index) && m_rows.isChecked(int(index));
}

QString FileQueue::rowText(qsizetype index, int column) const
{
    return hasRow(index) ? m_rows.text(int(index), column) : QString();
}

void FileQueue::setChecked(qsizetype index, bool checked)
{
    if (hasRow(index))
        m_rows.setChecked(int(index), checked);
}

} // namespace plainquill
