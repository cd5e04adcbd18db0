#include "app/startup/single_instance.h"

#include "app/adapters/shell.h"

#include <QDir>
#include <QStandardPaths>

namespace plainquill {

SingleInstance::SingleInstance(const QString& lockPath)
    : m_lock(lockPath.isEmpty() ? defaultLockPath() : lockPath)
{
}

QString SingleInstance::defaultLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/plainquill.lock");
}

bool SingleInstance::claim(Shell& shell)
{
    // A lock left by a crashed copy is stale (its process is gone) and is taken over.
    if (m_lock.tryLock(0))
        return true;
    shell.showMessage(MessageIcon::Exclamation, QStringLiteral("Plainquill"),
                      QStringLiteral("Plainquill is already opened."), MessageButtons::Ok);
    return false;
}

} // namespace plainquill
