#include "Grabaciones.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef PALAVRIX_HAVE_ESPEAK
#include <espeak-ng/speak_lib.h>
#endif

namespace generador {

bool NombreGrabable(const QString& nombre) {
    if (nombre.isEmpty() || nombre == QLatin1String(".") || nombre == QLatin1String("..")) return false;
    if (nombre.toUtf8().size() > 250) return false;
    if (nombre.front().isSurrogate() || nombre.front() == QLatin1Char('.')) return false;
    static const QString prohibidos = QStringLiteral("/\\:*?\"<>|");
    for (QChar c : nombre)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || prohibidos.contains(c)) return false;
    return true;
}

QString RutaGrabacion(const QString& carpetaPronun, const QString& nombre) {
    return carpetaPronun + QLatin1Char('/') + nombre.left(1) + QLatin1Char('/') + nombre;
}

QByteArray ArmarWav(const std::vector<int16_t>& muestras, int frecuencia) {
    // Cut the silence: anything quieter than 2% of the loudest sample, keeping 20 ms of margin.
    int pico = 0;
    for (int16_t m : muestras)
        pico = std::max(pico, std::abs(static_cast<int>(m)));
    if (pico < 64) return {};
    const int umbral = std::max(64, pico / 50);
    size_t inicio = 0, fin = muestras.size();
    while (inicio < fin && std::abs(static_cast<int>(muestras[inicio])) < umbral)
        ++inicio;
    while (fin > inicio && std::abs(static_cast<int>(muestras[fin - 1])) < umbral)
        --fin;
    const size_t margen = static_cast<size_t>(frecuencia) / 50;
    inicio = inicio > margen ? inicio - margen : 0;
    fin = std::min(muestras.size(), fin + margen);

    std::vector<int16_t> salida;
    int frecuenciaSalida = frecuencia;
    if (frecuencia > 16000) {
        // Half-band filter (-1 0 9 16 9 0 -1)/32, then every other sample.
        static constexpr int h[7] = {-1, 0, 9, 16, 9, 0, -1};
        frecuenciaSalida = frecuencia / 2;
        for (size_t i = inicio; i < fin; i += 2) {
            int suma = 0;
            for (int k = 0; k < 7; ++k) {
                const long j = static_cast<long>(i) + k - 3;
                if (j >= static_cast<long>(inicio) && j < static_cast<long>(fin))
                    suma += h[k] * muestras[static_cast<size_t>(j)];
            }
            salida.push_back(static_cast<int16_t>(std::clamp(suma / 32, -32768, 32767)));
        }
    } else {
        salida.assign(muestras.begin() + static_cast<long>(inicio),
                      muestras.begin() + static_cast<long>(fin));
    }

    const quint32 datos = static_cast<quint32>(salida.size() * 2);
    QByteArray wav;
    wav.reserve(44 + static_cast<qsizetype>(datos));
    auto u32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    auto u16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav.append("RIFF", 4);
    u32(36 + datos);
    wav.append("WAVEfmt ", 8);
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(static_cast<quint32>(frecuenciaSalida));
    u32(static_cast<quint32>(frecuenciaSalida) * 2);
    u16(2);
    u16(16);
    wav.append("data", 4);
    u32(datos);
    for (int16_t m : salida)
        u16(static_cast<quint16>(m));
    return wav;
}

#ifdef PALAVRIX_HAVE_ESPEAK
namespace {
std::vector<int16_t>* gMuestras = nullptr;

int RecibirMuestras(short* wav, int cuantas, espeak_EVENT*) {
    if (wav && cuantas > 0 && gMuestras) gMuestras->insert(gMuestras->end(), wav, wav + cuantas);
    return 0;
}
} // namespace

Locutor::Locutor() {
    const int f = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (f <= 0) return;
    espeak_SetSynthCallback(RecibirMuestras);
    if (espeak_SetVoiceByName("en-us") != EE_OK && espeak_SetVoiceByName("en") != EE_OK) {
        espeak_Terminate();
        return;
    }
    frecuencia_ = f;
}

Locutor::~Locutor() {
    if (frecuencia_ > 0) espeak_Terminate();
}

bool Locutor::Grabar(const QString& texto, const QString& ruta) {
    if (!Disponible()) return false;
    std::vector<int16_t> muestras;
    gMuestras = &muestras;
    const QByteArray utf8 = texto.toUtf8();
    const espeak_ERROR e = espeak_Synth(utf8.constData(), static_cast<size_t>(utf8.size()) + 1, 0,
                                        POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    gMuestras = nullptr;
    if (e != EE_OK) return false;
    const QByteArray wav = ArmarWav(muestras, frecuencia_);
    if (wav.isEmpty()) return false;

    const QFileInfo destino(ruta);
    if (!QDir().mkpath(destino.absolutePath())) return false;
    const QString temporal = destino.absolutePath() + QStringLiteral("/.grabando.tmp");
    QFile f(temporal);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(wav) != wav.size() || !f.flush()) {
        f.close();
        QFile::remove(temporal);
        return false;
    }
    f.close();
    return std::rename(QFile::encodeName(temporal).constData(), QFile::encodeName(ruta).constData()) == 0;
}
#else
Locutor::Locutor() = default;
Locutor::~Locutor() = default;
bool Locutor::Grabar(const QString&, const QString&) {
    return false;
}
#endif

} // namespace generador
