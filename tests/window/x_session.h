#pragma once
// A private X server (Xvfb on a free display) with the program running on it, driven the way a
// user drives it: xdotool moves the pointer, clicks and types; screenshots come from the server.
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <stdexcept>

namespace plainquill::testing {

// Waits up to `ms` for the condition, checking every 50 ms.
inline bool waitUntil(const std::function<bool()>& condition, int ms)
{
    QElapsedTimer clock;
    clock.start();
    for (; !condition(); QThread::msleep(50))
        if (clock.elapsed() > ms)
            return false;
    return true;
}

class XSession {
public:
    // `arguments` are given to the program: documents to queue, for one.
    explicit XSession(const QString& program, const QStringList& arguments = {})
    {
        m_server.start("Xvfb", QString("-displayfd 1 -screen 0 800x600x24 -nolisten tcp").split(' '));
        if (!m_server.waitForReadyRead(10000))
            throw std::runtime_error("Xvfb did not start");
        m_env.insert("DISPLAY", ':' + QString::fromLatin1(m_server.readLine().trimmed()));
        // Its own runtime folder (the single-instance lock) and home (the documents folder).
        QProcessEnvironment env = m_env;
        QDir(m_home.path()).mkdir("runtime");
        QFile::setPermissions(m_home.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert("XDG_RUNTIME_DIR", m_home.filePath("runtime"));
        env.insert("HOME", m_home.path());
        env.insert("QT_QPA_PLATFORM", "xcb");
        m_program.setProcessEnvironment(env);
        m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_program.start(program, arguments);
        if (!m_program.waitForStarted(10000))
            throw std::runtime_error("the program did not start");
        m_window = waitForWindow("^Plainquill 1\\.0$");
    }
    ~XSession()
    {
        for (QProcess* process : {&m_program, &m_server}) {
            process->kill();
            process->waitForFinished(5000);
        }
    }

    bool programRunning() const { return m_program.state() == QProcess::Running; }

    // What a tool run on this display printed.
    QString run(const QString& tool, const QStringList& arguments) const
    {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(tool, arguments);
        process.waitForFinished(20000);
        return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    }
    QString xdo(const QString& command) const { return run("xdotool", command.split(' ')); }

    // The first visible window whose title matches, or empty.
    QString findWindow(const QString& title) const
    {
        return run("xdotool", {"search", "--onlyvisible", "--name", title}).section('\n', 0, 0);
    }
    QString waitForWindow(const QString& title) const
    {
        QString id;
        if (!waitUntil([&] { return !(id = findWindow(title)).isEmpty(); }, 20000))
            throw std::runtime_error("no window titled " + title.toStdString());
        return id;
    }

    // Points are in the main window's pixels.
    void click(QPoint at) const
    {
        at += windowRect().topLeft();
        xdo(QString("mousemove --sync %1 %2 click 1").arg(at.x()).arg(at.y()));
    }
    void type(const QString& text) const { run("xdotool", {"type", "--delay", "2", text}); }
    void key(const QString& keys) const { xdo("key " + keys); }
    // Off the main window, at the far corner of the screen.
    void movePointerAway() const { xdo("mousemove --sync 799 599"); }

    // The main window as it is on screen now.
    QImage screenshot() const
    {
        const QString file = m_home.filePath("shot.png");
        run("import", {"-window", "root", file});
        return QImage(file).copy(windowRect()).convertToFormat(QImage::Format_RGB32);
    }

private:
    QRect windowRect() const
    {
        QRect rect;
        for (const QString& line : xdo("getwindowgeometry --shell " + m_window).split('\n')) {
            const int value = line.section('=', 1).toInt();
            const QString name = line.section('=', 0, 0);
            name == "X" ? rect.moveLeft(value) : name == "Y" ? rect.moveTop(value) : void();
            name == "WIDTH" ? rect.setWidth(value) : name == "HEIGHT" ? rect.setHeight(value) : void();
        }
        return rect;
    }

    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
    QTemporaryDir m_home;
    QProcess m_server;
    QProcess m_program;
    QString m_window;
};

} // namespace plainquill::testing
