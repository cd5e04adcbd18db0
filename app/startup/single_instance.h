#pragma once
// Refuses a second running copy of the program. The lock file lives in the user's runtime
// folder and is released when the owning process ends, even if it crashes.
#include <QLockFile>
#include <QString>

namespace plainquill {

class Shell;

class SingleInstance {
public:
    // `lockPath` empty: the default lock in the user's runtime folder.
    explicit SingleInstance(const QString& lockPath = QString());

    // True when this process is the only one; otherwise tells the user and answers false.
    bool claim(Shell& shell);
    // The same without a word to the user: a second start with documents hands them over instead.
    bool tryClaim();
    // Lets the next start have the program: its window is closed, though this process may still
    // be ending its LibreOffices.
    void release() { m_lock.unlock(); }
    static void tellAlreadyOpened(Shell& shell);

    static QString defaultLockPath();

private:
    QLockFile m_lock;
};

} // namespace plainquill
