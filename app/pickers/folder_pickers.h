#pragma once
// The two folder choosers and the documents-folder lookup. Both choosers leave their answer in
// strSelectedFolder, which the caller reads right after.
#include <QString>

namespace plainquill {

class Shell;

// Special folder numbers as the shell knows them; only the documents folder is used.
constexpr int kPersonalFolder = 5;

// The folder's path followed by "/", or empty when there is no such folder.
QString GetSpecialFolderPath(int specialFolder);

class FolderPickers {
public:
    explicit FolderPickers(Shell& shell) : m_shell(shell) {}

    // Opens at the documents folder; the choice becomes Browse...'s source folder.
    void BrowseInputFolder();
    // Opens at the file-system root; only file-system folders can be confirmed.
    void BrowseOutputFolder();

    // The last chooser's answer: a path without trailing separator ("/" for the root), or empty
    // after a cancel. Every run overwrites it.
    QString strSelectedFolder;

private:
    Shell& m_shell;
};

} // namespace plainquill
