#pragma once
// A private session bus with the accessibility bus on it (at-spi-bus-launcher, which starts the
// registry daemon when asked), so that a screen reader's view of the program can be read without
// touching the user's desktop. Programs started after it, on any display, join it: it sets the
// session bus address and has Qt's accessibility always on in this process's environment, which
// XSession hands on. Everything it starts is one process group, ended with it.
#include "tests/window/x_session.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <csignal>
#include <stdexcept>

#include <sys/wait.h>
#include <unistd.h>

namespace plainquill::testing {

class AccessibleDesktop {
public:
    AccessibleDesktop()
    {
        m_bus.setChildProcessModifier([] { ::setsid(); });
        m_bus.start("dbus-run-session",
                    {"--", "sh", "-c", "echo \"$DBUS_SESSION_BUS_ADDRESS\"; exec \"$0\" --launch-immediately",
                     QStringLiteral(AT_SPI_BUS_LAUNCHER)});
        if (!m_bus.waitForReadyRead(10000))
            throw std::runtime_error("no private session bus");
        const QByteArray address = m_bus.readLine().trimmed();
        m_saved = QProcessEnvironment::systemEnvironment();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        qunsetenv("AT_SPI_BUS_ADDRESS");
    }
    ~AccessibleDesktop()
    {
        // The bus daemons, the launcher and the registry all share the group setsid gave them.
        if (const qint64 group = m_bus.processId(); group > 0) {
            ::kill(-pid_t(group), SIGTERM);
            if (!m_bus.waitForFinished(3000))
                ::kill(-pid_t(group), SIGKILL);
            waitUntil([group] { return ::kill(-pid_t(group), 0) != 0; }, 3000);
            ::kill(-pid_t(group), SIGKILL);
        }
        m_bus.waitForFinished(3000);
        for (const char* name : {"DBUS_SESSION_BUS_ADDRESS", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "AT_SPI_BUS_ADDRESS"}) {
            if (m_saved.contains(name))
                qputenv(name, m_saved.value(name).toLocal8Bit());
            else
                qunsetenv(name);
        }
    }

    // The program's objects, one line each (see accessible_tree.py); empty while it is not on the
    // accessibility bus yet.
    static QStringList tree(const XSession& x, qint64 pid)
    {
        return x.run(QStringLiteral(PYATSPI_PYTHON), {QStringLiteral(ACCESSIBLE_TREE), QString::number(pid), "dump"})
            .split('\n', Qt::SkipEmptyParts);
    }
    // Lines of the tree that start with `role` and the tab after it, then `name` and a tab.
    static QStringList objects(const QStringList& tree, const QString& role, const QString& name)
    {
        return tree.filter(QRegularExpression('^' + QRegularExpression::escape(role + '\t' + name + '\t')));
    }
    static void press(const XSession& x, qint64 pid, const QString& name)
    {
        x.run(QStringLiteral(PYATSPI_PYTHON), {QStringLiteral(ACCESSIBLE_TREE), QString::number(pid), "press", name});
    }

    // The process that shows the window titled `title`.
    static qint64 windowProcess(const XSession& x, const QString& title)
    {
        return x.xdo("getwindowpid " + x.waitForWindow(title)).toLongLong();
    }

private:
    QProcess m_bus;
    QProcessEnvironment m_saved;
};

} // namespace plainquill::testing
