#pragma once
// Answers the window's questions in the user's place and remembers what was asked.
#include "app/adapters/shell.h"

#include <deque>
#include <functional>
#include <utility>
#include <vector>

namespace plainquill::testing {

struct ShownMessage {
    MessageIcon icon;
    QString title;
    QString text;
    MessageButtons buttons;
    QString details;
};

class FakeShell : public Shell {
public:
    MessageAnswer showMessage(MessageIcon icon, const QString& title, const QString& text,
                              MessageButtons buttons, const QString& details = {}) override
    {
        messages.push_back({icon, title, text, buttons, details});
        if (onMessage)
            onMessage();
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        if (answers.empty())
            return MessageAnswer::No;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString openFile(const OpenFileRequest& request) override
    {
        fileRequests.push_back(request);
        return takeFront(chosenFiles);
    }
    QString chooseFolder(const FolderRequest& request) override
    {
        folderRequests.push_back(request);
        return takeFront(chosenFolders);
    }
    bool openUrl(const QUrl& url) override
    {
        openedUrls.push_back(url);
        return urlsOpen;
    }
    void showPage(const QString& title, const QString& htmlFile) override { shownPages.push_back({title, htmlFile}); }

    // Runs as each message is shown, before it is answered: what the window did meanwhile.
    std::function<void()> onMessage;
    // What the user will answer, in order; an empty queue means No or Cancel.
    std::deque<MessageAnswer> answers;
    std::deque<QString> chosenFiles;
    std::deque<QString> chosenFolders;
    bool urlsOpen = true; // false: the desktop has no handler for pages

    std::vector<ShownMessage> messages;
    std::vector<OpenFileRequest> fileRequests;
    std::vector<FolderRequest> folderRequests;
    std::vector<QUrl> openedUrls;
    std::vector<std::pair<QString, QString>> shownPages; // title, file

private:
    static QString takeFront(std::deque<QString>& queue)
    {
        if (queue.empty())
            return {};
        QString front = queue.front();
        queue.pop_front();
        return front;
    }
};

} // namespace plainquill::testing
