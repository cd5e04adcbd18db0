#pragma once
// Everything that asks the user something or hands work to the desktop: message boxes, the
// open-file dialog, the folder chooser, opening a page in the browser. The window talks to this
// seam only, so tests can answer in the user's place.
#include <QString>
#include <QStringList>
#include <QUrl>

namespace plainquill {

enum class MessageIcon { Information, Question, Exclamation, Critical };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct OpenFileRequest {
    QString initialFolder; // may be empty: the dialog's own default
    QString title;
    QStringList filters;   // "Description (*.a *.b)"; the first is active
};

struct FolderRequest {
    QString title;
    QString startFolder;   // preselected when it exists
    bool onlyFileSystem = false;
};

class Shell {
public:
    virtual ~Shell() = default;
    // `details`, when given, is offered behind a button of the box: the whole of a long list
    // whose message shows only its start.
    virtual MessageAnswer showMessage(MessageIcon icon, const QString& title, const QString& text,
                                      MessageButtons buttons, const QString& details = {}) = 0;
    // The chosen file's path, or empty when cancelled.
    virtual QString openFile(const OpenFileRequest& request) = 0;
    // The chosen folder's path without a trailing separator ("/" for the root), or empty.
    virtual QString chooseFolder(const FolderRequest& request) = 0;
    // False when the desktop could not open it (no handler, no launcher).
    virtual bool openUrl(const QUrl& url) = 0;
    // Shows a local HTML page in a window of the program's own, for when the desktop cannot.
    virtual void showPage(const QString& title, const QString& htmlFile) = 0;
};

// The real desktop: Qt's dialogs and message boxes, the user's browser.
class QtShell : public Shell {
public:
    MessageAnswer showMessage(MessageIcon icon, const QString& title, const QString& text,
                              MessageButtons buttons, const QString& details = {}) override;
    QString openFile(const OpenFileRequest& request) override;
    QString chooseFolder(const FolderRequest& request) override;
    bool openUrl(const QUrl& url) override;
    void showPage(const QString& title, const QString& htmlFile) override;
};

} // namespace plainquill
