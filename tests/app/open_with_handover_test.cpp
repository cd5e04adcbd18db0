// A second start handing its paths to the running window over the local socket. The sender
// blocks as the second start does, so it runs on a thread while this one serves.
#include "app/startup/open_with_handover.h"
#include "app/startup/open_with_message.h"
#include "tests/support/qt_app.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <future>

namespace plainquill {
namespace {

using namespace std::chrono_literals;
using Paths = std::vector<std::filesystem::path>;

// Serves events here until the sender's answer is in.
template <typename T>
T served(std::future<T>& answer)
{
    while (answer.wait_for(10ms) != std::future_status::ready)
        QCoreApplication::processEvents();
    return answer.get();
}

class OpenWithHandover : public testing::WithQtApp, public ::testing::Test {
protected:
    OpenWithHandover() { testing::qtApp(); }

    QTemporaryDir m_dir;
    const QString m_socket = m_dir.filePath("open.socket");
    std::vector<Paths> m_received;
    OpenWithServer m_server{m_socket, [this](const Paths& paths) { m_received.push_back(paths); }};
};

TEST_F(OpenWithHandover, TheRunningWindowGetsThePathsAndTheSenderKnows)
{
    ASSERT_TRUE(m_server.listen()) << m_server.errorString().toStdString();
    const Paths paths{"/home/u/a.docx", "/home/u/new\nline/"};
    auto answer = std::async(std::launch::async, [&] { return handOverToRunningWindow(m_socket, paths, 2s); });
    EXPECT_TRUE(served(answer));
    QCoreApplication::processEvents();
    ASSERT_EQ(m_received.size(), 1u);
    EXPECT_EQ(m_received[0], paths);
}

TEST_F(OpenWithHandover, NoWindowToAnswerIsAFailureAfterAShortWhile)
{
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(handOverToRunningWindow(m_socket, {"/a.doc"}, 300ms));
    EXPECT_GE(std::chrono::steady_clock::now() - started, 300ms);
}

TEST_F(OpenWithHandover, AMalformedMessageIsDroppedUnansweredAndQueuesNothing)
{
    ASSERT_TRUE(m_server.listen());
    auto answer = std::async(std::launch::async, [&] {
        QLocalSocket socket;
        socket.connectToServer(m_socket);
        if (!socket.waitForConnected(2000))
            return QByteArray("no connection");
        socket.write(QByteArray("PLAINQUILL-OPEN/1\n") + QByteArray(4, '\0'));
        socket.waitForBytesWritten(2000);
        socket.waitForDisconnected(5000);
        return socket.readAll();
    });
    EXPECT_EQ(served(answer), QByteArray());
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_received.empty());
}

} // namespace
} // namespace plainquill
