#include "chrome/Sonidos.h"

#include "chrome/VerificarDrive.h"
#include "platform/AgentEngineVoice.h"
#include "platform/Drives.h"
#include "platform/Notices.h"
#include "platform/Sound.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

QString RutaSonido(const QString& nombre) {
    return RutaDatos + QStringLiteral("\\SONIDOS\\") + nombre;
}

QString RutaPronunciacion(const QString& nombre) {
    // The first character as the user sees it: a letter outside the basic plane is two UTF-16
    // units, and cutting it in half would name a folder that can never exist.
    QString primero = nombre.left(1);
    if (!nombre.isEmpty() && nombre[0].isHighSurrogate() && nombre.size() > 1) primero = nombre.left(2);
    return RutaDatos + QStringLiteral("\\PRONUN\\") + primero + QStringLiteral("\\") + nombre;
}

void ReproducirSonido(const QString& nombre, bool esperar) {
    try {
        sound::Current().Play(drives::NativePath(RutaSonido(nombre)), esperar);
    } catch (...) {
    }
}

namespace {

// A word with no recording (a form such as "books", made when it was looked up) is spoken by
// espeak-ng's English voice into a file of its own, which the one player plays like a recording:
// a new sound still cuts it, and tests see it like any other.
void DecirEnIngles(const QString& texto) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    agent::voice::Synthesize(
        texto, app,
        [](int job, const QByteArray& pcm, int rate) {
            if (pcm.isEmpty() || rate <= 0) return;
            static QTemporaryDir carpeta;
            if (!carpeta.isValid()) return;
            // Two names in turn: the file the player may still be reading is never rewritten.
            const QString ruta = carpeta.filePath(QStringLiteral("pronunciacion%1.wav").arg(job % 2));
            QFile f(ruta);
            if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
            f.write(agent::voice::Wav(pcm, rate));
            f.close();
            sound::Current().Play(ruta, false);
        },
        QStringLiteral("en"));
}

} // namespace

void ReproducirPronunciacion(const QString& nombre, bool esperar) {
    try {
        sound::Current().Play(drives::NativePath(RutaPronunciacion(nombre)), esperar);
    } catch (...) {
    }
}

void PronunciarForma(const QString& texto) {
    try {
        const QString ruta = drives::NativePath(RutaPronunciacion(texto));
        if (QFileInfo::exists(ruta) || texto.trimmed().isEmpty() || !agent::voice::SynthesisAvailable()) {
            sound::Current().Play(ruta, false);
            return;
        }
        DecirEnIngles(texto);
    } catch (...) {
    }
}

bool PuedeSonar() {
    if (sound::Current().HasDevice()) return true;
    static bool avisado = false;
    if (!avisado) {
        avisado = true;
        notices::Notify(QStringLiteral(
            "No se puede reproducir la pronunciación: el equipo no tiene ningún dispositivo de sonido."));
    }
    return false;
}
