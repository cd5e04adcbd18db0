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

bool SingleInstance::tryClaim()
{
    // A lock left by a crashed copy is stale (its process is gone) and is taken over.
    return m_lock.tryLock(0);
}

void SingleInstance::tellAlreadyOpened(Shell& shell)
{
    shell.showMessage(MessageIcon::Exclamation, QStringLiteral("Plainquill"),
                      QStringLiteral("Plainquill is already opened."), MessageButtons::Ok);
}

bool SingleInstance::claim(Shell& shell)
{
    if (tryClaim())
        return true;
    tellAlreadyOpened(shell);
    return false;
}

} // namespace plainquill
