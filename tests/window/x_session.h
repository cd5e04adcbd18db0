#pragma once
// A private X server (Xvfb on a free display) with the program running on it, driven the way a
// user drives it: xdotool moves the pointer, clicks and types; screenshots come from the server.
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <stdexcept>

namespace plainquill::testing {

class XSession {
public:
    explicit XSession(const QString& program)
    {
        m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                                QStringLiteral("0"), QStringLiteral("800x600x24"),
                                                QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!m_server.waitForReadyRead(10000))
            throw std::runtime_error("Xvfb did not start");
        m_display = QLatin1Char(':') + QString::fromLatin1(m_server.readLine().trimmed());

        // Its own runtime folder (the single-instance lock) and home (the documents folder).
        QDir(m_home.path()).mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(m_home.filePath(QStringLiteral("runtime")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.filePath(QStringLiteral("runtime")));
        env.insert(QStringLiteral("HOME"), m_home.path());
        m_program.setProcessEnvironment(env);
        m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_program.start(program, {});
        if (!m_program.waitForStarted(10000))
            throw std::runtime_error("the program did not start");
        m_window = waitForWindow(QStringLiteral("^Plainquill 1\\.0$"));
    }
    ~XSession()
    {
        m_program.kill();
        m_program.waitForFinished(5000);
        m_server.kill();
        m_server.waitForFinished(5000);
    }
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool programRunning() const { return m_program.state() == QProcess::Running; }

    // xdotool's answer to one command on this display.
    QString xdo(const QStringList& arguments) const
    {
        QProcess tool;
        tool.setProcessEnvironment(environment());
        tool.start(QStringLiteral("xdotool"), arguments);
        tool.waitForFinished(20000);
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    }

    // The first visible window whose title matches, or empty after `ms`.
    QString findWindow(const QString& titlePattern, int ms = 0) const
    {
        QElapsedTimer clock;
        clock.start();
        do {
            const QString ids = xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                     QStringLiteral("--name"), titlePattern});
            if (!ids.isEmpty())
                return ids.section(QLatin1Char('\n'), 0, 0);
            QThread::msleep(50);
        } while (clock.elapsed() < ms);
        return {};
    }
    QString waitForWindow(const QString& titlePattern) const
    {
        const QString id = findWindow(titlePattern, 20000);
        if (id.isEmpty())
            throw std::runtime_error("no window titled " + titlePattern.toStdString());
        return id;
    }

    // Points are in the main window's client pixels.
    void click(QPoint at) const
    {
        const QPoint screen = at + windowOrigin();
        xdo({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(screen.x()),
             QString::number(screen.y()), QStringLiteral("click"), QStringLiteral("1")});
    }
    void type(const QString& text) const
    {
        xdo({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("2"), text});
    }
    void key(const QString& keys) const { xdo({QStringLiteral("key"), keys}); }

    // The main window's client area as it is on screen now.
    QImage screenshot() const
    {
        const QString file = m_home.filePath(QStringLiteral("shot.png"));
        QProcess grab;
        grab.setProcessEnvironment(environment());
        grab.start(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file});
        grab.waitForFinished(20000);
        const QImage screen(file);
        return screen.copy(QRect(windowOrigin(), windowSize())).convertToFormat(QImage::Format_RGB32);
    }

    // Waits up to `ms` for the condition, checking every 50 ms.
    static bool waitUntil(const std::function<bool()>& condition, int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition()) {
            if (clock.elapsed() > ms)
                return false;
            QThread::msleep(50);
        }
        return true;
    }

private:
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        return env;
    }
    int geometryField(const char* name) const
    {
        const QString shell = xdo({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), m_window});
        for (const QString& line : shell.split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1String(name) + QLatin1Char('=')))
                return line.section(QLatin1Char('='), 1).toInt();
        throw std::runtime_error("no window geometry");
    }
    QPoint windowOrigin() const { return {geometryField("X"), geometryField("Y")}; }
    QSize windowSize() const { return {geometryField("WIDTH"), geometryField("HEIGHT")}; }

    QTemporaryDir m_home;
    QProcess m_server;
    QProcess m_program;
    QString m_display;
    QString m_window;
};

} // namespace plainquill::testing
