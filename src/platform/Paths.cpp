#include "platform/Paths.h"

#include <QCoreApplication>

namespace paths {

namespace {
QString g_override;
}

QString AppPath() {
    if (!g_override.isEmpty()) return g_override;
    return QCoreApplication::applicationDirPath();
}

void SetAppPath(const QString& folder) {
    g_override = folder;
}

} // namespace paths
