#pragma once
// The three ways files reach the queue: one file from the open-file dialog, every accepted file
// of a chosen folder (with or without its sub-folders), and files and folders dropped onto the
// path list. Each empties the batch first and ends with the queue's closing sequence.
#include <QStringList>

#include <filesystem>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace plainquill {

class FileQueue;
class FolderPickers;
class Shell;

struct AddingWidgets {
    QLineEdit& Text2;   // the source box
    QCheckBox& Check2;  // "Include Sub-Folders"
    QListWidget& List1; // the path list, whose first entry a drop selects
};

class FileAdder {
public:
    FileAdder(FileQueue& queue, FolderPickers& pickers, Shell& shell, AddingWidgets widgets);

    void opensingle();
    void openmultiple();
    void addDropped(const std::vector<std::filesystem::path>& items);
    void addDropped(const QStringList& items); // paths as text

private:
    bool includeSubfolders() const;
    // Appends the accepted files of `folder`, its own or its whole tree, as Check2 says.
    void appendFolder(const std::filesystem::path& folder);

    FileQueue& m_queue;
    FolderPickers& m_pickers;
    Shell& m_shell;
    AddingWidgets m_w;
};

} // namespace plainquill
