#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// One running program at a time: a lock file named after "QuorvaleSoftware" in the temporary
// folder, held from start to end. A lock left behind by a run that crashed (its process no longer
// exists) is taken over; a lock held by a running program refuses the start.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath = DefaultLockPath());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this run now holds the lock (false: another instance holds it, or the lock file
    // cannot be created).
    bool TryAcquire();
    bool IsHeld() const;
    void Release();

    static QString DefaultLockPath();
    static QString AlreadyRunningText() { return QStringLiteral("      Already one instance running..      "); }

private:
    std::unique_ptr<QLockFile> m_lock;
};
