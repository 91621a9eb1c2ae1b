#include "platform/Files.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

bool IsRegular(const QString& path, qint64 maxBytes) {
    struct stat st {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode) &&
           (maxBytes < 0 || st.st_size <= maxBytes);
}

Contents ReadRegular(const QString& path, qint64 maxBytes) {
    Contents r;
    if (path.isEmpty()) return r;
    const QByteArray name = QFile::encodeName(path);
    struct stat before {};
    if (::stat(name.constData(), &before) != 0) {
        r.status = errno == ENOENT || errno == ENOTDIR ? Status::Missing : Status::Unreadable;
        return r;
    }
    if (!S_ISREG(before.st_mode)) {
        r.status = Status::NotRegular;
        return r;
    }
    if (before.st_size > maxBytes) {
        r.status = Status::TooLarge;
        return r;
    }
    // Without blocking: were it swapped for a FIFO since, opening still returns at once.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    r.status = Status::Unreadable;
    if (fd < 0) return r;
    struct stat opened {};
    const bool visto = ::fstat(fd, &opened) == 0;
    if (!visto || !S_ISREG(opened.st_mode) || opened.st_dev != before.st_dev ||
        opened.st_ino != before.st_ino) {
        r.status = visto && !S_ISREG(opened.st_mode) ? Status::NotRegular : Status::Unreadable;
        ::close(fd);
        return r;
    }
    if (opened.st_size > maxBytes) {
        r.status = Status::TooLarge;
        ::close(fd);
        return r;
    }
    // One byte more than its size, to notice a file that grew while it was read.
    QByteArray bytes(static_cast<qsizetype>(opened.st_size) + 1, Qt::Uninitialized);
    qsizetype read = 0;
    bool failed = false;
    while (read < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + read, static_cast<size_t>(bytes.size() - read));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failed = true;
        if (n <= 0) break;
        read += n;
    }
    ::close(fd);
    if (!failed && read == opened.st_size) {
        bytes.truncate(read);
        r.bytes = std::move(bytes);
        r.status = Status::Ok;
    }
    return r;
}

} // namespace files
