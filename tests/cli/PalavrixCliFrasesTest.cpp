// palavrix-cli traducir --frases: the sentence pipeline from a script, and its errors.
#include "dictionary_data/BaseDatos.h"
#include "platform/Paths.h"
#include "platform/SentencePipeline.h"
#include "translator/Buscador.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kCli = QStringLiteral(PALAVRIX_BUILD_DIR "/palavrix-cli");

struct Salida {
    int codigo = -1;
    QByteArray out;
    QString err;
};

Salida Correr(const QStringList& args, const QByteArray& entrada = {}, const QString& programa = kCli) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.start(programa, args);
    EXPECT_TRUE(p.waitForStarted(10000));
    p.write(entrada);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            QString::fromUtf8(p.readAllStandardError())};
}

// A few paragraphs of a language's yardstick prose, and a line the text format treats in its
// own ways.
QString Muestra(const char* idioma) {
    QFile f(QStringLiteral(PALAVRIX_BUILD_DIR "/yardstick/%1-medir.txt").arg(QLatin1String(idioma)));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QStringList lineas = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QString texto;
    for (qsizetype i = 0; i < lineas.size(); i += lineas.size() / 4 + 1)
        texto += lineas[i] + QStringLiteral("\n\n");
    return texto + QString::fromUtf8("Xqzwv,\t«dos  espacios» ~ [x] *y* a@b\r\n");
}

} // namespace

TEST(PalavrixCliFrases, TranslatesStandardInputAsTheLibraryPipelineDoesInEveryDirection) {
    struct Caso {
        const char* direccion;
        const char* par;
        const char* idioma;
    };
    for (const Caso c :
         {Caso{"EspIng", "spa-eng", "spa"}, Caso{"IngEsp", "eng-spa", "eng"}, Caso{"EspPor", "es-pt", "spa"},
          Caso{"PorEsp", "pt-es", "por"}, Caso{"EspFra", "es-fr", "spa"}, Caso{"FraEsp", "fr-es", "fra"}}) {
        const QString texto = Muestra(c.idioma);
        ASSERT_FALSE(texto.isEmpty()) << "the build writes the yardstick into build/yardstick";
        QString error;
        const auto pipeline =
            sentences::Pipeline::Load(QStringLiteral(PALAVRIX_BUILD_DIR "/Morfologia"), c.par, &error);
        ASSERT_TRUE(pipeline) << error.toStdString();
        const sentences::Pipeline::Result esperada = pipeline->Translate(texto);
        ASSERT_TRUE(esperada.complete);

        const Salida s = Correr({"traducir", "--frases", c.direccion}, texto.toUtf8());
        EXPECT_EQ(s.codigo, 0) << c.direccion << ": " << s.err.toStdString();
        EXPECT_TRUE(s.err.isEmpty()) << s.err.toStdString();
        EXPECT_EQ(QString::fromUtf8(s.out), esperada.text) << c.direccion;
        // "--frases" may also come after the direction.
        EXPECT_EQ(Correr({"traducir", c.direccion, "--frases"}, texto.toUtf8()).out, s.out) << c.direccion;
    }
    const Salida vacia = Correr({"traducir", "--frases", "FraEsp"}, {});
    EXPECT_EQ(vacia.codigo, 0);
    EXPECT_TRUE(vacia.out.isEmpty());
}

TEST(PalavrixCliFrases, WithoutFrasesItStaysWordByWord) {
    const QString texto = QStringLiteral("Los libros rojos de la casa grande.\n");
    paths::SetAppPath(QStringLiteral(PALAVRIX_BUILD_DIR));
    AbrirBaseDatos();
    const QString palabraAPalabra = traduccion::TraducirTexto(*dbDiccionario, 0, texto);
    CerrarBaseDatos();
    QString error;
    const auto pipeline = sentences::Pipeline::Load(QStringLiteral(PALAVRIX_BUILD_DIR "/Morfologia"),
                                                    QStringLiteral("spa-eng"), &error);
    ASSERT_TRUE(pipeline) << error.toStdString();
    const QString porFrases = pipeline->Translate(texto).text;
    // The two ways differ on this sentence (English puts the adjective first), so each output
    // tells which one ran.
    ASSERT_NE(palabraAPalabra, porFrases);
    EXPECT_EQ(QString::fromUtf8(Correr({"traducir", "EspIng"}, texto.toUtf8()).out), palabraAPalabra);
    EXPECT_EQ(QString::fromUtf8(Correr({"traducir", "--frases", "EspIng"}, texto.toUtf8()).out), porFrases);
}

TEST(PalavrixCliFrases, BadInputUnknownDirectionsAndMisuseExitTwoWithASpanishMessage) {
    const Salida binario = Correr({"traducir", "--frases", "EspIng"}, QByteArray("casa \xff\xfe roja\n", 13));
    EXPECT_EQ(binario.codigo, 2);
    EXPECT_TRUE(binario.out.isEmpty());
    EXPECT_TRUE(binario.err.contains(QString::fromUtf8("la entrada no es texto UTF-8 válido")))
        << binario.err.toStdString();
    // A surrogate written in UTF-8 (CESU) and a truncated sequence are not UTF-8 either.
    EXPECT_EQ(Correr({"traducir", "--frases", "EspIng"}, QByteArray("a \xed\xa0\x80 b")).codigo, 2);
    EXPECT_EQ(Correr({"traducir", "--frases", "EspIng"}, QByteArray("fin \xc3")).codigo, 2);

    const Salida direccion = Correr({"traducir", "--frases", "EspAle"}, "casa");
    EXPECT_EQ(direccion.codigo, 2);
    EXPECT_TRUE(direccion.out.isEmpty());
    EXPECT_TRUE(direccion.err.contains(QString::fromUtf8("dirección desconocida: EspAle")))
        << direccion.err.toStdString();

    for (const QStringList& uso :
         {QStringList{"buscar", "--frases", "EspIng", "casa"},
          QStringList{"buscar", "EspIng", "casa", "--frases"}, QStringList{"traducir", "--frases"},
          QStringList{"traducir", "--frases", "EspIng", "de más"}, QStringList{"--frases"},
          QStringList{"--frases", "traducir", "EspIng"}}) {
        const Salida s = Correr(uso, "casa");
        EXPECT_EQ(s.codigo, 2) << uso.join(' ').toStdString();
        EXPECT_TRUE(s.out.isEmpty()) << uso.join(' ').toStdString();
        EXPECT_TRUE(s.err.contains(QStringLiteral("uso: palavrix-cli"))) << uso.join(' ').toStdString();
    }
}

TEST(PalavrixCliFrases, WithoutThePipelineFilesItSaysSoAndExitsTwo) {
    // A copy of the program in a folder with no Morfologia beside it.
    QTemporaryDir carpeta;
    const QString copia = carpeta.filePath("palavrix-cli");
    ASSERT_TRUE(QFile::copy(kCli, copia));
    const Salida s = Correr({"traducir", "--frases", "PorEsp"}, "casa", copia);
    EXPECT_EQ(s.codigo, 2);
    EXPECT_TRUE(s.out.isEmpty());
    EXPECT_TRUE(s.err.contains(QString::fromUtf8("falta «pt-es.frases»"))) << s.err.toStdString();
    EXPECT_EQ(s.err.count('\n'), 1) << s.err.toStdString();
}
