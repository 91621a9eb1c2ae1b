#include "platform/SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace instancia {

namespace {
std::unique_ptr<QLockFile>& cerrojo() {
    static std::unique_ptr<QLockFile> lock;
    return lock;
}
} // namespace

QString RutaCerrojo() {
    // Qt gives an empty temporary path when TMPDIR names a folder that does not exist; the lock
    // would then land in whatever folder the program was started from, and two copies started
    // from two folders would both run. The folder asked for is kept, so taking the lock fails
    // and says so.
    QString carpeta = QDir::tempPath();
    if (carpeta.isEmpty()) carpeta = qEnvironmentVariable("TMPDIR");
    if (carpeta.isEmpty()) carpeta = QStringLiteral("/tmp");
    return QDir(carpeta).filePath(QStringLiteral("palavrix-%1.lock").arg(getuid()));
}

Cerrojo TomarCerrojo(const QString& ruta) {
    auto candidato = std::make_unique<QLockFile>(ruta);
    candidato->setStaleLockTime(0);
    if (candidato->tryLock(0)) {
        cerrojo() = std::move(candidato);
        return Cerrojo::Tomado;
    }
    // LockFailedError is the one answer that means another process holds the file (QLockFile
    // has already taken over a lock whose process is gone).
    return candidato->error() == QLockFile::LockFailedError ? Cerrojo::Ocupado : Cerrojo::Imposible;
}

bool HayInstanciaPrevia() {
    if (cerrojo()) return false;
    const QString ruta = RutaCerrojo();
    switch (TomarCerrojo(ruta)) {
    case Cerrojo::Tomado:
        return false;
    case Cerrojo::Ocupado:
        return true;
    case Cerrojo::Imposible:
        std::fprintf(stderr,
                     "palavrix: no se pudo crear el archivo de bloqueo %s (¿la carpeta temporal no existe o no "
                     "admite escritura?); Palavrix arranca sin comprobar si ya hay otra copia abierta.\n",
                     qPrintable(QDir::toNativeSeparators(ruta)));
        return false;
    }
    return false;
}

} // namespace instancia
