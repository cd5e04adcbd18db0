#include "app/adding/file_adder.h"

#include "app/adapters/shell.h"
#include "app/pickers/folder_pickers.h"
#include "app/queue/file_queue.h"
#include "engine/document_kinds.h"
#include "engine/folder_documents.h"
#include "engine/folder_scan.h"
#include "engine/native_path.h"
#include "engine/queue_rules.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

namespace plainquill {

namespace {

// Upper-case patterns too: the dialog matches names exactly on this platform. A folder or a drop
// keeps to the Word group; a file chosen here may be of any kind LibreOffice Writer reads. The
// dialog shows each filter's label without its patterns (the last parenthesis), so the label says
// what a user needs: forty patterns of other kinds made one line wider than a screen.
QStringList openFilters()
{
    return {
        QStringLiteral("Word Files (*.doc)(*.docx) (*.doc *.docx *.DOC *.DOCX)"),
        QStringLiteral("Rich Text Format Files (*.rtf) (*.rtf *.RTF)"),
        QStringLiteral("Web Page Files (*.htm)(*.html) (*.htm *.html *.HTM *.HTML)"),
        QStringLiteral("Other documents (%1)").arg(dialogPatterns(EndingGroup::Other).join(QLatin1Char(' '))),
    };
}

} // namespace

FileAdder::FileAdder(FileQueue& queue, FolderPickers& pickers, Shell& shell, AddingWidgets widgets)
    : m_queue(queue), m_pickers(pickers), m_shell(shell), m_w(widgets)
{
}

void FileAdder::opensingle()
{
    m_queue.beginAdd();
    const QString startFolder = GetSpecialFolderPath(kPersonalFolder);
    m_w.Text2.setText(m_shell.openFile({startFolder, QStringLiteral("Open"), openFilters()}));
    if (m_w.Text2.text().isEmpty())
        return;
    // The dialog's filter did the choosing: a typed name is queued whatever its ending.
    m_queue.append(m_w.Text2.text());
    m_queue.finishAdd();
}

void FileAdder::openmultiple()
{
    m_queue.beginAdd();
    m_pickers.BrowseInputFolder();
    if (m_pickers.strSelectedFolder.isEmpty())
        return;
    m_w.Text2.setText(m_pickers.strSelectedFolder);
    const std::filesystem::path folder = pathFromText(m_w.Text2.text());
    if (FolderExists(folder))
        appendFolder(folder);
    m_queue.finishAdd();
}

void FileAdder::addDropped(const QStringList& items)
{
    std::vector<std::filesystem::path> paths;
    for (const QString& item : items)
        paths.push_back(pathFromText(item));
    addDropped(paths);
}

void FileAdder::addDropped(const std::vector<std::filesystem::path>& items)
{
    m_queue.beginAdd();
    for (const std::filesystem::path& item : items) {
        if (FolderExists(item))
            appendFolder(item);
        else if (FileExists(item) && DocFileCheck(displayText(item)))
            m_queue.append(item);
    }
    if (m_w.List1.count() > 0)
        m_w.List1.setCurrentRow(0);
    m_queue.finishAdd();
}

bool FileAdder::includeSubfolders() const
{
    // Read even while the box is greyed: in single-file mode a drop follows the last check mark.
    return m_w.Check2.checkState() == Qt::Checked;
}

void FileAdder::appendFolder(const std::filesystem::path& folder)
{
    for (const std::filesystem::path& path : folderDocuments(folder, includeSubfolders()))
        m_queue.append(path);
}

} // namespace plainquill
