#pragma once
// Listing folders for the queue: one folder's files, or a folder tree depth first.
#include <QString>
#include <QStringList>

namespace plainquill {

bool FolderExists(const QString& path);
bool FileExists(const QString& path);

// The names of every file directly in `folder`, hidden ones included, sorted by name.
// Empty when the folder cannot be read.
QStringList FolderFileNames(const QString& folder);

// Appends to `colFiles` the path of every ordinary (not hidden) file in `strFolder` whose name
// matches `strFileSpec` ("*.*" matches every name), then, with `bIncludeSubfolders`, the same for
// each non-hidden sub-folder in turn, depth first: a folder's own files, then everything below its
// first sub-folder, then below its second. A folder that cannot be read is skipped and the scan
// goes on with the rest; a folder reached a second time (through a link) is not entered again.
void RecursiveDir(QStringList& colFiles, const QString& strFolder, const QString& strFileSpec,
                  bool bIncludeSubfolders);

} // namespace plainquill
