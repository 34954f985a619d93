#include "app/AtomicFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace AtomicFile {
namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool writeAll(int fd, const QByteArray& contents)
{
    const char* data = contents.constData();
    qsizetype left = contents.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

} // namespace

bool write(const QString& path, const QByteArray& contents, QString* error)
{
    // A symlinked file is updated where it points.
    const QFileInfo link(path);
    const QString target = link.isSymLink() ? link.symLinkTarget() : path;
    const QByteArray native = QFile::encodeName(target);

    mode_t mode = 0644;
    struct stat status = {};
    if (::stat(native.constData(), &status) == 0) {
        // The user's read-only mark holds for everyone, root included.
        if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
            ::access(native.constData(), W_OK) != 0) {
            *error = QStringLiteral("the file is read-only");
            return false;
        }
        mode = status.st_mode & 07777;
    }

    QByteArray temporary = native + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        *error = systemError();
        return false;
    }
    const bool written = writeAll(fd, contents) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    if (!written) {
        *error = systemError();
        ::close(fd);
        ::unlink(temporary.constData());
        return false;
    }
    if (::close(fd) != 0 || ::rename(temporary.constData(), native.constData()) != 0) {
        *error = systemError();
        ::unlink(temporary.constData());
        return false;
    }
    // Make the rename itself durable.
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    const int folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}

} // namespace AtomicFile
