#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace single_instance {

namespace {

int& heldFd() {
    static int fd = -1;
    return fd;
}

const char* Kind(mode_t mode) {
    if (S_ISDIR(mode)) return "una carpeta";
    if (S_ISLNK(mode)) return "un enlace";
    if (S_ISFIFO(mode)) return "una tubería (FIFO)";
    if (S_ISSOCK(mode)) return "un socket";
    return "un dispositivo";
}

// Takes away what stands at `path` and is not what the program puts there, saying so.
bool Clear(const QByteArray& path, mode_t mode) {
    const bool gone = S_ISDIR(mode) ? ::rmdir(path.constData()) == 0 : ::unlink(path.constData()) == 0;
    std::fprintf(stderr, "palavrix: en %s había %s en lugar del archivo de bloqueo; %s.\n", path.constData(),
                 Kind(mode), gone ? "se ha quitado" : "no se pudo quitar");
    return gone;
}

// $XDG_RUNTIME_DIR when it can be trusted: an absolute path to a real folder of this user's
// that no one else may enter, as the freedesktop.org rules ask of it.
QString TrustedRuntimeFolder() {
    const QByteArray xdg = qgetenv("XDG_RUNTIME_DIR");
    if (!xdg.startsWith('/')) return {};
    struct stat st {};
    if (::lstat(xdg.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 077) != 0)
        return {};
    return QFile::decodeName(xdg);
}

QString OwnFolderName() {
    // Qt gives an empty temporary path when TMPDIR names a folder that does not exist; the lock
    // would then land in whatever folder the program was started from, and two copies started
    // from two folders would both run. The folder asked for is kept, so taking the lock fails
    // and says so.
    QString folder = QDir::tempPath();
    if (folder.isEmpty()) folder = qEnvironmentVariable("TMPDIR");
    if (folder.isEmpty()) folder = QStringLiteral("/tmp");
    return QDir(folder).filePath(QStringLiteral("palavrix-%1").arg(::getuid()));
}

} // namespace

QString LockPath() {
    const QString runtime = TrustedRuntimeFolder();
    return QDir(runtime.isEmpty() ? OwnFolderName() : runtime).filePath(QStringLiteral("palavrix.lock"));
}

bool PrepareFolder(const QString& folder, QString* why) {
    const QByteArray name = QFile::encodeName(folder);
    for (int intento = 0; intento < 2; ++intento) {
        if (::mkdir(name.constData(), 0700) == 0) return true;
        if (errno != EEXIST) {
            if (why) *why = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        struct stat st {};
        if (::lstat(name.constData(), &st) != 0) continue; // gone in between: make it again
        if (st.st_uid != ::getuid()) {
            if (why) *why = QStringLiteral("pertenece a otro usuario");
            return false;
        }
        if (S_ISDIR(st.st_mode)) {
            // Ours, but open to others: closed, so no one else can put things in it.
            if ((st.st_mode & 077) != 0 && ::chmod(name.constData(), 0700) != 0) {
                if (why) *why = QString::fromLocal8Bit(std::strerror(errno));
                return false;
            }
            return true;
        }
        if (!Clear(name, st.st_mode)) {
            if (why) *why = QStringLiteral("no es una carpeta");
            return false;
        }
    }
    if (why) *why = QStringLiteral("no se pudo crear");
    return false;
}

Lock TakeLock(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    // A folder, a link (even one to a real file: it would lock, and write to, whatever it names),
    // a FIFO (whose opening waits for a writer) or a device at the name is not a lock of ours.
    if (::lstat(name.constData(), &st) == 0 && !S_ISREG(st.st_mode) && !Clear(name, st.st_mode))
        return Lock::Impossible;
    const int fd =
        ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0600);
    if (fd < 0) return Lock::Impossible;
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return Lock::Impossible;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        ::close(fd);
        return e == EWOULDBLOCK ? Lock::Held : Lock::Impossible;
    }
    // The process that holds it, for whoever looks; nothing reads it back.
    const QByteArray pid = QByteArray::number(static_cast<qint64>(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t n = ::write(fd, pid.constData(), static_cast<size_t>(pid.size()));
    }
    if (heldFd() >= 0) ::close(heldFd());
    heldFd() = fd;
    return Lock::Taken;
}

bool AnotherInstanceRunning() {
    if (heldFd() >= 0) return false;
    const QString path = LockPath();
    const QString folder = QFileInfo(path).absolutePath();
    QString why;
    // The runtime folder is the system's; only a folder of the program's own is made here.
    const bool sinCarpeta = folder == OwnFolderName() && !PrepareFolder(folder, &why);
    switch (sinCarpeta ? Lock::Impossible : TakeLock(path)) {
    case Lock::Taken:
        return false;
    case Lock::Held:
        return true;
    case Lock::Impossible:
        std::fprintf(
            stderr,
            "palavrix: no se pudo crear el archivo de bloqueo %s%s%s (¿la carpeta temporal no existe o no "
            "admite escritura?); Palavrix arranca sin comprobar si ya hay otra copia abierta.\n",
            qPrintable(QDir::toNativeSeparators(path)), why.isEmpty() ? "" : ": ", qPrintable(why));
        return false;
    }
    return false;
}

} // namespace single_instance
