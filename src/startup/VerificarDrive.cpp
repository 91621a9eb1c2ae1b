#include "startup/VerificarDrive.h"

#include "platform/Drives.h"
#include "startup/frmVerDrive.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

// "DriveCD" at the top level of the settings lands in their [General] section.
const char* const kClave = "DriveCD";

std::function<void()>& pregunta() {
    static std::function<void()> f;
    return f;
}

void preguntarConDialogo() {
    auto* dlg = new frmVerDrive;
    dlg->ShowModal();
}

} // namespace

QString LeerDrive() { return QSettings().value(QLatin1String(kClave), QStringLiteral("C")).toString(); }

void GuardarDrive(const QString& letra) {
    QSettings s;
    s.setValue(QLatin1String(kClave), letra);
    s.sync();
}

int EntrarCarpeta(const QString& ruta) {
    const QString nativa = drives::RutaNativa(ruta);
    const QFileInfo info(nativa);
    if (!info.exists()) return 76;
    if (!info.isDir() || !info.isExecutable()) return 75;
    return QDir::setCurrent(nativa) ? 0 : 75;
}

void LocalizarDatos() {
    for (;;) {
        const QString letra = LeerDrive();
        RutaDatos = letra + QStringLiteral(":\\Palavrix");
        const int error = EntrarCarpeta(RutaDatos);
        if (error != 75 && error != 76) return;
        if (pregunta()) pregunta()();
        else preguntarConDialogo();
    }
}

void FijarPreguntaDrive(std::function<void()> preguntar) { pregunta() = std::move(preguntar); }
