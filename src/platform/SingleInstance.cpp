#include "platform/SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace single_instance {

namespace {
std::unique_ptr<QLockFile>& held() {
    static std::unique_ptr<QLockFile> lock;
    return lock;
}
} // namespace

QString LockPath() {
    // Qt gives an empty temporary path when TMPDIR names a folder that does not exist; the lock
    // would then land in whatever folder the program was started from, and two copies started
    // from two folders would both run. The folder asked for is kept, so taking the lock fails
    // and says so.
    QString folder = QDir::tempPath();
    if (folder.isEmpty()) folder = qEnvironmentVariable("TMPDIR");
    if (folder.isEmpty()) folder = QStringLiteral("/tmp");
    return QDir(folder).filePath(QStringLiteral("palavrix-%1.lock").arg(getuid()));
}

Lock TakeLock(const QString& path) {
    auto candidate = std::make_unique<QLockFile>(path);
    candidate->setStaleLockTime(0);
    if (candidate->tryLock(0)) {
        held() = std::move(candidate);
        return Lock::Taken;
    }
    // LockFailedError is the one answer that means another process holds the file (QLockFile
    // has already taken over a lock whose process is gone).
    return candidate->error() == QLockFile::LockFailedError ? Lock::Held : Lock::Impossible;
}

bool AnotherInstanceRunning() {
    if (held()) return false;
    const QString path = LockPath();
    switch (TakeLock(path)) {
    case Lock::Taken:
        return false;
    case Lock::Held:
        return true;
    case Lock::Impossible:
        std::fprintf(
            stderr,
            "palavrix: no se pudo crear el archivo de bloqueo %s (¿la carpeta temporal no existe o no "
            "admite escritura?); Palavrix arranca sin comprobar si ya hay otra copia abierta.\n",
            qPrintable(QDir::toNativeSeparators(path)));
        return false;
    }
    return false;
}

} // namespace single_instance
