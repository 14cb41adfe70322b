#include "core/settings/HomeLock.h"

#include <QDir>

namespace quorvan {

QString HomeLock::lockPath(const QString& homeFolder) {
    return QDir(homeFolder).filePath(QStringLiteral(".quorvan.lock"));
}

HomeLock::HomeLock(const QString& homeFolder) : m_lock(lockPath(homeFolder)) {
    // Never stale by age: a program may stay open for months. A lock whose process has gone is stale at once.
    m_lock.setStaleLockTime(0);
}

bool HomeLock::tryLock() {
    if (m_lock.tryLock(0))
        return true;
    m_heldByAnother = m_lock.error() == QLockFile::LockFailedError;
    if (m_heldByAnother) {
        qint64 pid = 0;
        QString host, application;
        m_lock.getLockInfo(&pid, &host, &application);
        m_error = QString::number(pid);
    } else {
        m_error = QDir::toNativeSeparators(m_lock.fileName()) + QStringLiteral(": the lock file cannot be made");
    }
    return false;
}

} // namespace quorvan
