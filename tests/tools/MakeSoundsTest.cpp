// The effect sounds written by make-sounds into the build's data folder, and the tool itself.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <vector>

namespace {

const QString kSonidos = QStringLiteral(PALAVRIX_BUILD_DIR "/Palavrix/SONIDOS/");
const QString kHerramienta = QStringLiteral(PALAVRIX_BUILD_DIR "/tools/make-sounds/make-sounds");

struct Wav {
    bool valido = false;
    int formato = 0, canales = 0, tasa = 0, bits = 0;
    std::vector<int16_t> muestras;
    double Segundos() const { return tasa ? double(muestras.size()) / tasa : 0; }
    int Pico() const {
        int p = 0;
        for (int16_t s : muestras)
            p = std::max(p, std::abs(int(s)));
        return p;
    }
};

// Reads a RIFF WAVE file chunk by chunk, as a player would.
Wav Leer(const QString& ruta) {
    Wav w;
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return w;
    const QByteArray b = f.readAll();
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE") return w;
    if (qFromLittleEndian<quint32>(b.constData() + 4) != quint32(b.size() - 8)) return w;
    bool fmt = false;
    for (qsizetype pos = 12; pos + 8 <= b.size();) {
        const QByteArray id = b.mid(pos, 4);
        const quint32 largo = qFromLittleEndian<quint32>(b.constData() + pos + 4);
        const char* datos = b.constData() + pos + 8;
        if (pos + 8 + qsizetype(largo) > b.size()) return w;
        if (id == "fmt " && largo >= 16) {
            w.formato = qFromLittleEndian<quint16>(datos);
            w.canales = qFromLittleEndian<quint16>(datos + 2);
            w.tasa = qFromLittleEndian<quint32>(datos + 4);
            w.bits = qFromLittleEndian<quint16>(datos + 14);
            fmt = true;
        } else if (id == "data" && fmt) {
            for (quint32 i = 0; i + 1 < largo; i += 2)
                w.muestras.push_back(qFromLittleEndian<qint16>(datos + i));
            w.valido = true;
        }
        pos += 8 + largo + (largo & 1);
    }
    return w;
}

} // namespace

TEST(MakeSounds, EffectsArePcmWavOfTheirIntendedLengths) {
    struct Esperado {
        const char* nombre;
        double minimo, maximo;
    };
    for (const auto& e : {Esperado{"PRES.WAV", 2.0, 4.0}, Esperado{"CLICK.WAV", 0.01, 0.1},
                          Esperado{"SALIR.WAV", 0.3, 0.5}}) {
        const Wav w = Leer(kSonidos + e.nombre);
        ASSERT_TRUE(w.valido) << e.nombre;
        EXPECT_EQ(w.formato, 1) << e.nombre; // PCM
        EXPECT_EQ(w.canales, 1) << e.nombre;
        EXPECT_EQ(w.bits, 16) << e.nombre;
        EXPECT_GE(w.tasa, 22050) << e.nombre;
        EXPECT_GE(w.Segundos(), e.minimo) << e.nombre;
        EXPECT_LE(w.Segundos(), e.maximo) << e.nombre;
        // Clearly audible, never clipped, and no step at either end.
        EXPECT_GT(w.Pico(), 32767 / 3) << e.nombre;
        EXPECT_LT(w.Pico(), 32767) << e.nombre;
        EXPECT_LT(std::abs(int(w.muestras.front())), 1000) << e.nombre;
        EXPECT_LT(std::abs(int(w.muestras.back())), 300) << e.nombre;
    }
}

TEST(MakeSounds, ToolWritesTheSameBytesOnEveryRun) {
    QTemporaryDir a, b;
    ASSERT_TRUE(a.isValid() && b.isValid());
    for (const QString& carpeta : {a.path(), b.path()}) {
        QProcess tool;
        tool.start(kHerramienta, {carpeta});
        ASSERT_TRUE(tool.waitForFinished(60000));
        ASSERT_EQ(tool.exitCode(), 0);
    }
    for (const char* nombre : {"PRES.WAV", "CLICK.WAV", "SALIR.WAV"}) {
        QFile x(a.filePath(nombre)), y(b.filePath(nombre));
        ASSERT_TRUE(x.open(QIODevice::ReadOnly) && y.open(QIODevice::ReadOnly)) << nombre;
        EXPECT_EQ(x.readAll(), y.readAll()) << nombre;
    }
}

TEST(MakeSounds, ToolFailsWithoutAnOutputFolder) {
    QProcess tool;
    tool.start(kHerramienta, {});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_NE(tool.exitCode(), 0);
}
