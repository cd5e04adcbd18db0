#pragma once
// Opening documents while the window is open (a file manager's Open With starts the program
// again with them): the second start hands its paths to the running window, which queues them as
// a drop and comes to the front. The lock of SingleInstance still decides which start is first.
#include <QLocalServer>
#include <QObject>
#include <QString>

#include <chrono>
#include <filesystem>
#include <functional>
#include <vector>

namespace plainquill {

class Shell;

// The running window's side. Each complete message is answered, then handed to `receive`; a
// malformed one is dropped with its connection and queues nothing.
class OpenWithServer : public QObject {
public:
    using Receiver = std::function<void(const std::vector<std::filesystem::path>&)>;

    OpenWithServer(QString socketPath, Receiver receive);

    // Only the holder of the single-instance lock listens, so a socket left by a crashed copy is
    // removed first. False when it cannot listen; the window then still works on its own.
    bool listen();
    QString errorString() const { return m_server.errorString(); }
    // No more documents are taken: the window they would join is closed.
    void close() { m_server.close(); }

private:
    void accept();

    QString m_socketPath;
    Receiver m_receive;
    QLocalServer m_server;
};

// The second start's side: true once the running window has taken the paths. While it cannot be
// reached (the first start may still be building its window) it tries again for `patience`.
bool handOverToRunningWindow(const QString& socketPath, const std::vector<std::filesystem::path>& paths,
                             std::chrono::milliseconds patience);

// For this user and display, beside the single-instance lock.
QString defaultOpenWithSocketPath();

// The exit status of a second start with paths: 0 when handed over; otherwise 1 after telling
// the user plainly that the documents were not added.
int passToRunningWindow(const std::vector<std::filesystem::path>& paths, Shell& shell);

} // namespace plainquill
