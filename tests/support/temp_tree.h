#pragma once
// Folder trees made for one test and removed after it.
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace plainquill::testing {

class TempTree {
public:
    TempTree() { m_dir.setAutoRemove(true); }
    QString root() const { return m_dir.path(); }
    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    // Makes the file and every folder on its way; returns its full path.
    QString file(const QString& relative, const QByteArray& content = "x")
    {
        const QString full = path(relative);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile out(full);
        out.open(QIODevice::WriteOnly);
        out.write(content);
        return full;
    }
    QString folder(const QString& relative)
    {
        QDir().mkpath(path(relative));
        return path(relative);
    }

private:
    QTemporaryDir m_dir;
};

} // namespace plainquill::testing
