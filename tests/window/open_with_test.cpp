// Opening documents while the window is open, as a file manager's Open With does: the program is
// started again with them, hands them to the running window and ends. What the window queued is
// read from its path list as a screen reader reads it.
#include "tests/window/accessible_desktop.h"

#include <gtest/gtest.h>

#include <QFile>

#include <memory>
#include <optional>

namespace plainquill::testing {
namespace {

const QString kProgram = QStringLiteral(PLAINQUILL_PROGRAM);
const QString kWindowTitle = QStringLiteral("^Plainquill 1\\.0$");

// The environment a running program was started with: its display, runtime folder and bus.
QProcessEnvironment environmentOf(qint64 pid)
{
    QFile file(QString("/proc/%1/environ").arg(pid));
    QProcessEnvironment env;
    if (!file.open(QIODevice::ReadOnly))
        return env;
    for (const QByteArray& entry : file.readAll().split('\0')) {
        const qsizetype equals = entry.indexOf('=');
        if (equals > 0)
            env.insert(QString::fromLocal8Bit(entry.left(equals)), QString::fromLocal8Bit(entry.mid(equals + 1)));
    }
    return env;
}

class OpenWith : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_session.emplace(kProgram);
        m_pid = AccessibleDesktop::windowProcess(*m_session, kWindowTitle);
        m_env = environmentOf(m_pid);
        ASSERT_TRUE(m_env.contains("XDG_RUNTIME_DIR"));
        for (const char* file : {"a.docx", "folder/b.doc", "folder/notes.txt"}) {
            QDir(m_files.path()).mkpath(QFileInfo(m_files.filePath(file)).path());
            QFile made(m_files.filePath(file));
            ASSERT_TRUE(made.open(QIODevice::WriteOnly));
            made.write("x");
        }
        ASSERT_TRUE(waitUntil([&] { return hasTree(m_pid); }, 20000)) << "the window never joined the accessibility bus";
    }
    void TearDown() override
    {
        for (auto& process : m_started) {
            process->kill();
            process->waitForFinished(5000);
        }
    }

    // The program started again from the documents' folder, as a file manager starts it.
    QProcess& startAgain(const QStringList& arguments, const QProcessEnvironment& env)
    {
        auto& process = *m_started.emplace_back(std::make_unique<QProcess>());
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(m_files.path());
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(kProgram, arguments);
        return process;
    }

    bool hasTree(qint64 pid) const { return !AccessibleDesktop::tree(*m_session, pid).isEmpty(); }

    // The paths in the window's path list.
    QStringList queued(qint64 pid) const
    {
        QStringList paths;
        for (const QString& line : AccessibleDesktop::tree(*m_session, pid))
            if (line.startsWith("list item\t/"))
                paths << line.section('\t', 1, 1);
        paths.removeDuplicates();
        paths.sort();
        return paths;
    }

    int windowsOnScreen() const
    {
        return m_session->run("xdotool", {"search", "--onlyvisible", "--name", kWindowTitle})
            .split('\n', Qt::SkipEmptyParts)
            .size();
    }

    QStringList documents() const { return {m_files.filePath("a.docx"), m_files.filePath("folder/b.doc")}; }

    AccessibleDesktop m_desktop; // first: the programs join its bus
    std::optional<XSession> m_session;
    QTemporaryDir m_files;
    qint64 m_pid = 0;
    QProcessEnvironment m_env;
    std::vector<std::unique_ptr<QProcess>> m_started;
};

TEST_F(OpenWith, TheRunningWindowQueuesTheDocumentsAndTheSecondStartEnds)
{
    ASSERT_TRUE(queued(m_pid).isEmpty());
    QProcess& again = startAgain({"a.docx", "folder/"}, m_env);
    ASSERT_TRUE(again.waitForFinished(20000));
    EXPECT_EQ(again.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(again.exitCode(), 0);
    EXPECT_TRUE(waitUntil([&] { return queued(m_pid) == documents(); }, 10000)) << queued(m_pid).join(' ').toStdString();
    EXPECT_EQ(windowsOnScreen(), 1);
}

TEST_F(OpenWith, WithoutDocumentsTheSecondStartStillSaysTheWindowIsOpen)
{
    QProcess& again = startAgain({}, m_env);
    const QString message = m_session->waitForWindow("^Plainquill$");
    m_session->xdo("windowfocus --sync " + message);
    m_session->key("Return");
    ASSERT_TRUE(again.waitForFinished(10000));
    EXPECT_EQ(again.exitCode(), 1);
    EXPECT_EQ(windowsOnScreen(), 1);
    EXPECT_TRUE(queued(m_pid).isEmpty());
}

TEST_F(OpenWith, TwoStartsAtTheSameMomentEndWithOneWindowHoldingBoth)
{
    // A runtime folder of their own: the session's window is not theirs to find.
    QTemporaryDir runtime;
    QProcessEnvironment env = m_env;
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    QProcess& first = startAgain({"a.docx"}, env);
    QProcess& second = startAgain({"folder"}, env);
    // QProcess hears of an end only while waiting for it.
    QProcess* ended = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (ended = first.waitForFinished(50) ? &first
                                                : second.waitForFinished(50) ? &second : nullptr); },
                          20000));
    EXPECT_EQ(ended->exitCode(), 0);
    QProcess& window = ended == &first ? second : first;
    EXPECT_EQ(window.state(), QProcess::Running);
    EXPECT_TRUE(waitUntil([&] { return queued(window.processId()) == documents(); }, 20000))
        << queued(window.processId()).join(' ').toStdString();
    EXPECT_EQ(windowsOnScreen(), 2) << "the session's window and one of the two";
}

} // namespace
} // namespace plainquill::testing
