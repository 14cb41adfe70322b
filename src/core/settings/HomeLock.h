#pragma once

#include <QLockFile>
#include <QString>

namespace quorvan {

// One program per home folder: a lock file in the home (".quorvan.lock") held for the program's whole run. Two
// programs saving into one home would silently drop each other's changes. The lock of a program that has ended
// without removing it (a crash, a power cut) is taken over: it names a process that no longer runs.
class HomeLock {
public:
    explicit HomeLock(const QString& homeFolder);

    // True when this program now holds the home; false when another running program does (error() is its
    // process number) or the lock file cannot be made (error() says why).
    bool tryLock();
    bool heldByAnother() const { return m_heldByAnother; }
    QString error() const { return m_error; }

    static QString lockPath(const QString& homeFolder);

private:
    QLockFile m_lock;
    bool m_heldByAnother = false;
    QString m_error;
};

} // namespace quorvan
