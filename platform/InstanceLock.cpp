#include "platform/InstanceLock.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

InstanceLock::InstanceLock(QString path) : m_path(std::move(path)) {}

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

InstanceLock::Result InstanceLock::tryAcquire()
{
    if (m_fd >= 0)
        return Result::Acquired;
    const QByteArray native = QFile::encodeName(m_path);
    const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return Result::Unavailable;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        m_error = QString::fromLocal8Bit(std::strerror(error));
        ::close(fd);
        return error == EWOULDBLOCK ? Result::HeldElsewhere : Result::Unavailable;
    }
    m_fd = fd;
    return Result::Acquired;
}

QString InstanceLock::defaultPath()
{
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtimeDir.isEmpty() && QFileInfo(runtimeDir).isDir())
        return QDir(runtimeDir).filePath(QStringLiteral("LFDesktop.lock"));
    return QDir(QDir::tempPath()).filePath(QStringLiteral("LFDesktop-%1.lock").arg(::getuid()));
}
