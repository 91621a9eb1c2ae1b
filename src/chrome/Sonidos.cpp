#include "chrome/Sonidos.h"

#include "platform/Drives.h"
#include "platform/Sound.h"
#include "startup/VerificarDrive.h"

QString RutaSonido(const QString& nombre) { return RutaDatos + QStringLiteral("\\SONIDOS\\") + nombre; }

QString RutaPronunciacion(const QString& nombre) {
    // The first character as the user sees it: a letter outside the basic plane is two UTF-16
    // units, and cutting it in half would name a folder that can never exist.
    QString primero = nombre.left(1);
    if (!nombre.isEmpty() && nombre[0].isHighSurrogate() && nombre.size() > 1) primero = nombre.left(2);
    return RutaDatos + QStringLiteral("\\PRONUN\\") + primero + QStringLiteral("\\") + nombre;
}

void ReproducirSonido(const QString& nombre, bool esperar) {
    try {
        sound::Current().Play(drives::RutaNativa(RutaSonido(nombre)), esperar);
    } catch (...) {
    }
}

void ReproducirPronunciacion(const QString& nombre, bool esperar) {
    try {
        sound::Current().Play(drives::RutaNativa(RutaPronunciacion(nombre)), esperar);
    } catch (...) {
    }
}
