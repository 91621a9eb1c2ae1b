#include "chrome/VerificarDrive.h"

#include "platform/Drives.h"
#include "platform/Notices.h"
#include "platform/Settings.h"

#include <QDir>
#include <QFileInfo>

namespace {

// "DriveCD" at the top level of the settings lands in their [General] section.
const char* const kClave = "DriveCD";

std::function<void()>& pregunta() {
    static std::function<void()> f;
    return f;
}

// A letter the settings would not take: without it the question would come back at once, the
// folder still missing on the old letter.
QString& letraSinGuardar() {
    static QString letra;
    return letra;
}

} // namespace

QString LeerDrive() {
    if (!letraSinGuardar().isEmpty()) return letraSinGuardar();
    return settings::Current().Value(QLatin1String(kClave), QStringLiteral("C"));
}

bool GuardarDrive(const QString& letra) {
    settings::Store& s = settings::Current();
    if (s.SetValue(QLatin1String(kClave), letra)) {
        letraSinGuardar().clear();
        return true;
    }
    letraSinGuardar() = letra;
    notices::Notify(
        QStringLiteral("No se pudo guardar la unidad elegida (%1:) en el archivo de configuración\n%2\n\n"
                       "Palavrix la usará mientras siga abierto, pero volverá a preguntarla la próxima vez "
                       "que se inicie. Compruebe que ese archivo y su carpeta admiten escritura.")
            .arg(letra.toUpper(), s.Location()));
    return false;
}

int EntrarCarpeta(const QString& ruta) {
    const QString nativa = drives::NativePath(ruta);
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
        // Nobody to ask (a program that installed no question): the folder stays missing and
        // each picture or sound says so, rather than the start spinning here for ever.
        if (!pregunta()) return;
        pregunta()();
    }
}

void FijarPreguntaDrive(std::function<void()> preguntar) {
    pregunta() = std::move(preguntar);
}
