#include "app/startup/open_with_handover.h"

#include "app/adapters/shell.h"
#include "app/startup/open_with_message.h"
#include "app/startup/single_instance.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <cstdio>
#include <memory>

#include <unistd.h>

namespace plainquill {

namespace {

constexpr char kTaken = 'K';
constexpr int kAnswerWaitMs = 10000;
constexpr std::chrono::milliseconds kStartingPatience{5000};

// Everything queued for the peer is written, or the peer is gone.
bool writeAll(QLocalSocket& socket, const QByteArray& bytes)
{
    socket.write(bytes);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(kAnswerWaitMs))
            return false;
    return true;
}

bool deliver(QLocalSocket& socket, const QByteArray& message)
{
    if (!writeAll(socket, message))
        return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(kAnswerWaitMs))
            return false;
    return socket.read(1) == QByteArray(1, kTaken);
}

} // namespace

OpenWithServer::OpenWithServer(QString socketPath, Receiver receive)
    : m_socketPath(std::move(socketPath)), m_receive(std::move(receive))
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &OpenWithServer::accept);
}

bool OpenWithServer::listen()
{
    QLocalServer::removeServer(m_socketPath);
    return m_server.listen(m_socketPath);
}

void OpenWithServer::accept()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, received] {
            received->append(socket->readAll());
            ParsedOpenWith parsed = parseOpenWithMessage(*received);
            if (parsed.state == MessageState::Incomplete)
                return;
            received->clear();
            if (parsed.state == MessageState::Malformed) {
                socket->abort();
                return;
            }
            // Answer first: adding a large folder may take longer than the sender waits.
            socket->write(QByteArray(1, kTaken));
            socket->flush();
            socket->disconnectFromServer();
            m_receive(parsed.paths);
        });
    }
}

bool handOverToRunningWindow(const QString& socketPath, const std::vector<std::filesystem::path>& paths,
                             std::chrono::milliseconds patience)
{
    const QByteArray message = encodeOpenWithMessage(paths);
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(1000))
            return deliver(socket, message);
        if (clock.elapsed() >= patience.count())
            return false;
        QThread::msleep(100);
    }
}

QString defaultOpenWithSocketPath()
{
    QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("WAYLAND_DISPLAY");
    return openWithSocketPath(QFileInfo(SingleInstance::defaultLockPath()).absolutePath(), ::getuid(), display);
}

int passToRunningWindow(const std::vector<std::filesystem::path>& paths, Shell& shell)
{
    if (handOverToRunningWindow(defaultOpenWithSocketPath(), paths, kStartingPatience))
        return 0;
    std::fputs("plainquill: Plainquill is already opened but did not answer; the documents were not added\n", stderr);
    shell.showMessage(MessageIcon::Exclamation, QStringLiteral("Plainquill"),
                      QStringLiteral("Plainquill is already opened but did not answer, so the documents were "
                                     "not added. Try again, or drop them onto its window."),
                      MessageButtons::Ok);
    return 1;
}

} // namespace plainquill
