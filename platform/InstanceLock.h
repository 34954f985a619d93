#pragma once

#include <QString>

// Marks the one running instance of the program for the current user. The lock
// is an flock() on a file and is released by the kernel when the process ends,
// also after a crash, so a stale lock never blocks a later start.
class InstanceLock
{
public:
    explicit InstanceLock(QString path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    enum class Result
    {
        Acquired,      // this process is the one instance
        HeldElsewhere, // another process holds it
        Unavailable,   // the lock file cannot be opened; see error()
    };
    Result tryAcquire();
    QString error() const { return m_error; }
    QString path() const { return m_path; }

    // $XDG_RUNTIME_DIR/LFDesktop.lock, or the temp folder with the user id in the name.
    static QString defaultPath();

private:
    QString m_path;
    QString m_error;
    int m_fd = -1;
};
