#include "platform/SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <memory>
#include <unistd.h>

namespace instancia {

bool HayInstanciaPrevia() {
    static std::unique_ptr<QLockFile> lock;
    if (lock) return false;
    const QString path = QDir::temp().filePath(QStringLiteral("palavrix-%1.lock").arg(getuid()));
    auto candidate = std::make_unique<QLockFile>(path);
    candidate->setStaleLockTime(0);
    if (!candidate->tryLock(0)) return true;
    lock = std::move(candidate);
    return false;
}

} // namespace instancia
