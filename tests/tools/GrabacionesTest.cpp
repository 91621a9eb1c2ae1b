// Pronunciation recordings: which names can be files, where they go, and the WAV we write.
#include "Grabaciones.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>

using namespace generador;

namespace {

struct Cabecera {
    bool valida = false;
    quint16 canales = 0, bits = 0;
    quint32 frecuencia = 0, datos = 0;
};

Cabecera LeerCabecera(const QByteArray& wav) {
    Cabecera c;
    if (wav.size() < 44 || !wav.startsWith("RIFF") || wav.mid(8, 8) != "WAVEfmt " || wav.mid(36, 4) != "data")
        return c;
    const auto* b = reinterpret_cast<const uchar*>(wav.constData());
    c.valida = qFromLittleEndian<quint32>(b + 4) == static_cast<quint32>(wav.size() - 8) &&
               qFromLittleEndian<quint16>(b + 20) == 1;
    c.canales = qFromLittleEndian<quint16>(b + 22);
    c.frecuencia = qFromLittleEndian<quint32>(b + 24);
    c.bits = qFromLittleEndian<quint16>(b + 34);
    c.datos = qFromLittleEndian<quint32>(b + 40);
    c.valida = c.valida && c.datos == static_cast<quint32>(wav.size() - 44);
    return c;
}

} // namespace

TEST(Grabaciones, NamesThatCanBeFiles) {
    for (const char* bueno : {"house", "ice cream", "O'Neill", "Ángel", "set-off", "ČTK"})
        EXPECT_TRUE(NombreGrabable(QString::fromUtf8(bueno))) << bueno;
    for (const char* malo :
         {"", ".", "..", "dd/mm/yyyy", "a\\b", "what?", "a:b", "\"quoted\"", "x|y", ".hidden"})
        EXPECT_FALSE(NombreGrabable(QString::fromUtf8(malo))) << malo;
    EXPECT_FALSE(NombreGrabable(QStringLiteral("tab\there")));
    EXPECT_FALSE(NombreGrabable(QString(300, QLatin1Char('a'))));

    // First character unchanged, same case, no extension.
    EXPECT_EQ(RutaGrabacion("/d/PRONUN", "house"), QStringLiteral("/d/PRONUN/h/house"));
    EXPECT_EQ(RutaGrabacion("/d/PRONUN", "House"), QStringLiteral("/d/PRONUN/H/House"));
    EXPECT_EQ(RutaGrabacion("/d/PRONUN", "Ángel"), QStringLiteral("/d/PRONUN/Á/Ángel"));
}

TEST(Grabaciones, WavIsTrimmedAndHalved) {
    // 0.5 s of silence, 0.2 s of a 440 Hz tone, 0.5 s of silence at 22050 Hz.
    std::vector<int16_t> muestras(11025, 0);
    for (int i = 0; i < 4410; ++i)
        muestras.push_back(static_cast<int16_t>(8000 * std::sin(2 * M_PI * 440 * i / 22050.0)));
    muestras.insert(muestras.end(), 11025, 0);

    const QByteArray wav = ArmarWav(muestras, 22050);
    const Cabecera c = LeerCabecera(wav);
    ASSERT_TRUE(c.valida);
    EXPECT_EQ(c.canales, 1);
    EXPECT_EQ(c.bits, 16);
    EXPECT_EQ(c.frecuencia, 11025u);
    // The tone plus 20 ms of margin on each side, at half the rate.
    const double segundos = c.datos / 2.0 / c.frecuencia;
    EXPECT_NEAR(segundos, 0.24, 0.01);

    // Silence alone gives nothing to write; a rate already low is kept.
    EXPECT_TRUE(ArmarWav(std::vector<int16_t>(22050, 0), 22050).isEmpty());
    EXPECT_EQ(LeerCabecera(ArmarWav(muestras, 16000)).frecuencia, 16000u);
}

TEST(Grabaciones, SpeaksAWordIntoAFile) {
    Locutor locutor;
#ifdef PALAVRIX_HAVE_ESPEAK
    ASSERT_TRUE(locutor.Disponible());
#else
    GTEST_SKIP() << "built without espeak-ng";
#endif
    QTemporaryDir dir;
    const QString ruta = RutaGrabacion(dir.path(), QStringLiteral("house"));
    ASSERT_TRUE(locutor.Grabar(QStringLiteral("house"), ruta));
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const Cabecera c = LeerCabecera(f.readAll());
    ASSERT_TRUE(c.valida);
    EXPECT_EQ(c.frecuencia, 11025u);
    EXPECT_GT(c.datos, 2000u);  // a word, not a click
    EXPECT_LT(c.datos, 40000u); // and not seconds of silence
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("h/.grabando.tmp"))));
}
