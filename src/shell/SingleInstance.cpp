#include "shell/SingleInstance.h"

#include <QDir>

SingleInstance::SingleInstance(const QString& lockPath) : m_lock(std::make_unique<QLockFile>(lockPath))
{
    // A lock is never stale by age: only a lock whose process is gone is taken over.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() { Release(); }

QString SingleInstance::DefaultLockPath() { return QDir::tempPath() + QStringLiteral("/QuorvaleSoftware.lock"); }

bool SingleInstance::TryAcquire()
{
    if (m_lock->isLocked())
        return true;
    // tryLock takes over a lock whose process no longer runs on this machine.
    return m_lock->tryLock(0);
}

bool SingleInstance::IsHeld() const { return m_lock->isLocked(); }

void SingleInstance::Release()
{
    if (m_lock && m_lock->isLocked())
        m_lock->unlock();
}
