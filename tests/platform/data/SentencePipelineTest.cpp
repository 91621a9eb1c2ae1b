// The sentence pipeline on the data the build copied into build/Morfologia: the same translation
// as the `apertium` command on real prose, refusal of damaged data, and text of every shape.
#include "platform/SentencePipeline.h"
#include "platform/SentenceFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <iostream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using sentences::Pipeline;

namespace {

const QString kMorfologia = QStringLiteral(PALAVRIX_BUILD_DIR "/Morfologia");
const QString kYardstick = QStringLiteral(PALAVRIX_BUILD_DIR "/yardstick");

struct Direccion {
    const char* nombre; // the program's name of the direction
    const char* par;    // Apertium's name of the pair
    const char* idioma; // the yardstick prose it translates
};

constexpr Direccion kDirecciones[] = {{"EspIng", "spa-eng", "spa"}, {"IngEsp", "eng-spa", "eng"},
                                      {"EspPor", "es-pt", "spa"},   {"PorEsp", "pt-es", "por"},
                                      {"EspFra", "es-fr", "spa"},   {"FraEsp", "fr-es", "fra"}};

std::unique_ptr<Pipeline> Cargar(const QString& carpeta, const QString& par, QString* error = nullptr) {
    QString e;
    auto p = Pipeline::Load(carpeta, par, &e);
    if (error) *error = e;
    return p;
}

// `n` paragraphs of the measuring half of a language's yardstick, spread evenly over it, one a
// line; after every third a blank line, so that paragraph breaks are read as well.
QString Prosa(const char* idioma, int n) {
    QFile f(kYardstick + QStringLiteral("/%1-medir.txt").arg(QLatin1String(idioma)));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QStringList lineas = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QString texto;
    for (int i = 0; i < n && !lineas.isEmpty(); ++i) {
        texto += lineas[static_cast<qsizetype>(i) * lineas.size() / n] + QLatin1Char('\n');
        if (i % 3 == 2) texto += QLatin1Char('\n');
    }
    return texto;
}

// Lines the text format treats each in its own way: tabs, several spaces, '~', CR LF, reserved
// characters and stars, a word unknown to every pair.
const QString kBordes = QStringLiteral(
    "Uno\tdos,  tres ~ cuatro [cinco] {seis} siete@ocho nueve/diez \\once\\ *doce* ^trece$.\r\n"
    "Xqzwv, «xqzwv» y “xqzwv”: ¿xqzwv?\r\n\r\n"
    "   Fin.\n");

// What `apertium -u -f txt <pair>` writes for `texto`.
QString Apertium(const QString& par, const QString& texto) {
    QProcess p;
    p.start(QStringLiteral("apertium"),
            {QStringLiteral("-u"), QStringLiteral("-f"), QStringLiteral("txt"), par});
    if (!p.waitForStarted(10000)) {
        ADD_FAILURE() << "apertium did not start (the apertium package is a build dependency)";
        return {};
    }
    p.write(texto.toUtf8());
    p.closeWriteChannel();
    if (!p.waitForFinished(300000)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << "apertium did not finish";
        return {};
    }
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString SinMarcas(QString s) {
    return s.remove(QLatin1Char('<')).remove(QLatin1Char('>'));
}

// The whole chain, stage by stage, against the command that runs the same stages as processes.
// Unknown words are the one difference by design ("<xyzzy>" where the command leaves them bare),
// so lines are compared without angle brackets.
void CompararConApertium(const Direccion& d) {
    const QString prosa = Prosa(d.idioma, 80);
    ASSERT_FALSE(prosa.isEmpty()) << "the build writes the yardstick into build/yardstick";
    const QString texto = prosa + kBordes;
    // Long enough that the pipeline cuts it into several pieces.
    ASSERT_GT(texto.size(), 16 * 1024);

    QString error;
    const auto pipeline = Cargar(kMorfologia, QLatin1String(d.par), &error);
    ASSERT_TRUE(pipeline) << error.toStdString();
    const Pipeline::Result nuestra = pipeline->Translate(texto);
    ASSERT_TRUE(nuestra.complete) << nuestra.error.toStdString();
    EXPECT_TRUE(nuestra.error.isEmpty());
    const QString suya = Apertium(QLatin1String(d.par), texto);
    ASSERT_FALSE(suya.isEmpty());

    const QStringList a = nuestra.text.split(QLatin1Char('\n'));
    const QStringList b = suya.split(QLatin1Char('\n'));
    ASSERT_EQ(a.size(), b.size()) << "line breaks stay where they are";
    ASSERT_EQ(a.size(), texto.split(QLatin1Char('\n')).size());
    int iguales = 0, conTexto = 0;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (b[i].trimmed().isEmpty() && a[i].trimmed().isEmpty()) continue;
        ++conTexto;
        if (SinMarcas(a[i]) == SinMarcas(b[i])) {
            ++iguales;
        } else {
            std::cout << d.nombre << " line " << i + 1 << " differs:\n  ours:     " << a[i].toStdString()
                      << "\n  apertium: " << b[i].toStdString() << "\n";
        }
    }
    std::cout << d.nombre << ": " << iguales << " of " << conTexto << " lines the same\n";
    EXPECT_GE(iguales * 100, conTexto * 98) << iguales << " of " << conTexto << " lines the same";
    // The prose names programs and people no pair knows: some words come out marked.
    EXPECT_GT(nuestra.text.count(QLatin1Char('<')), 0);
    EXPECT_EQ(nuestra.text.count(QLatin1Char('<')) - texto.count(QLatin1Char('<')),
              nuestra.text.count(QLatin1Char('>')) - texto.count(QLatin1Char('>')));
}

// A copy of one pair's data in a folder of its own, to damage.
class DatosDanados : public ::testing::Test {
protected:
    const QString par = QStringLiteral("es-pt");
    QTemporaryDir raiz;
    QString carpeta;

    void SetUp() override {
        ASSERT_TRUE(raiz.isValid());
        carpeta = raiz.filePath(QStringLiteral("Morfologia"));
        ASSERT_TRUE(QDir().mkpath(carpeta));
        ASSERT_TRUE(QFile::copy(kMorfologia + "/" + par + ".frases", Ruta(par + ".frases")));
        for (const QString& linea : Descripcion().split(QLatin1Char('\n')))
            if (linea.startsWith(QLatin1String("archivo "))) {
                const QString nombre = linea.section(QLatin1Char(' '), 1, 1);
                ASSERT_TRUE(QFile::copy(kMorfologia + "/" + nombre, Ruta(nombre))) << nombre.toStdString();
            }
        QString error;
        ASSERT_TRUE(Cargar(carpeta, par, &error)) << "the undamaged copy loads: " << error.toStdString();
    }

    QString Ruta(const QString& nombre) const { return carpeta + QLatin1Char('/') + nombre; }

    QString Descripcion() const {
        QFile f(Ruta(par + ".frases"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    void Escribir(const QString& nombre, const QByteArray& bytes) const {
        QFile f(Ruta(nombre));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QByteArray Leer(const QString& nombre) const {
        QFile f(Ruta(nombre));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Loads the damaged copy, giving up after a minute (and unblocking any reader waiting on a
    // FIFO of the folder) so that a hang fails the test instead of stopping the run. The error
    // must be one line of Spanish that names `culpable`.
    void EsperarRechazo(const QString& culpable) const {
        QString error;
        auto carga = std::async(std::launch::async, [&] { return Cargar(carpeta, par, &error) != nullptr; });
        if (carga.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
            for (const QFileInfo& i : QDir(carpeta).entryInfoList(QDir::System | QDir::Files)) {
                const int fd = ::open(QFile::encodeName(i.filePath()).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) ::close(fd);
            }
            carga.wait();
            FAIL() << "loading did not end";
        }
        EXPECT_FALSE(carga.get()) << "damage to " << culpable.toStdString() << " went unnoticed";
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(error.contains(QLatin1Char('\n'))) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8("traducción por frases"))) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8("«") + culpable + QString::fromUtf8("»")))
            << error.toStdString();
    }

    // The description with `de` replaced by `a` wherever it stands.
    void CambiarDescripcion(const QString& de, const QString& a) const {
        QString d = Descripcion();
        ASSERT_TRUE(d.contains(de)) << de.toStdString();
        d.replace(de, a);
        Escribir(par + ".frases", d.toUtf8());
    }
};

} // namespace

// Each direction on its source language's prose, against `apertium -u -f txt`.
TEST(SentencePipelineAgainstApertium, EspIng) {
    CompararConApertium(kDirecciones[0]);
}
TEST(SentencePipelineAgainstApertium, IngEsp) {
    CompararConApertium(kDirecciones[1]);
}
TEST(SentencePipelineAgainstApertium, EspPor) {
    CompararConApertium(kDirecciones[2]);
}
TEST(SentencePipelineAgainstApertium, PorEsp) {
    CompararConApertium(kDirecciones[3]);
}
TEST(SentencePipelineAgainstApertium, EspFra) {
    CompararConApertium(kDirecciones[4]);
}
TEST(SentencePipelineAgainstApertium, FraEsp) {
    CompararConApertium(kDirecciones[5]);
}

TEST_F(DatosDanados, AMissingDescriptionOrFileIsNamed) {
    ASSERT_TRUE(QFile::remove(Ruta("es-pt.t1x.bin")));
    EsperarRechazo(QStringLiteral("es-pt.t1x.bin"));
    ASSERT_TRUE(QFile::remove(Ruta(par + ".frases")));
    EsperarRechazo(par + ".frases");
    QString error;
    EXPECT_FALSE(Cargar(carpeta, QStringLiteral("xx-yy"), &error));
    EXPECT_TRUE(error.contains(QString::fromUtf8("«xx-yy.frases»"))) << error.toStdString();
    EXPECT_FALSE(Cargar(raiz.filePath("no-existe"), par, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(DatosDanados, AFileOneByteDifferentTruncatedOrLongerIsRefused) {
    for (const QString nombre : {"es-pt.autobil.bin", "es-pt.t1x", "es-pt.prob"}) {
        const QByteArray original = Leer(nombre);
        ASSERT_GT(original.size(), 100);
        QByteArray otro = original;
        otro[otro.size() / 2] = static_cast<char>(otro[otro.size() / 2] ^ 0x01);
        Escribir(nombre, otro);
        EsperarRechazo(nombre);
        Escribir(nombre, original.left(original.size() / 2));
        EsperarRechazo(nombre);
        Escribir(nombre, original + '\n');
        EsperarRechazo(nombre);
        Escribir(nombre, {});
        EsperarRechazo(nombre);
        Escribir(nombre, original);
    }
    QString error;
    EXPECT_TRUE(Cargar(carpeta, par, &error)) << "mended, it loads again: " << error.toStdString();
}

TEST_F(DatosDanados, ADirectoryOrAFifoInPlaceOfAFileIsRefusedWithoutWaiting) {
    ASSERT_TRUE(QFile::remove(Ruta("es-pt.autogen.bin")));
    ASSERT_TRUE(QDir().mkdir(Ruta("es-pt.autogen.bin")));
    EsperarRechazo(QStringLiteral("es-pt.autogen.bin"));
    ASSERT_TRUE(QDir().rmdir(Ruta("es-pt.autogen.bin")));

    ASSERT_TRUE(QFile::remove(Ruta("es-pt.automorf.bin")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Ruta("es-pt.automorf.bin")).constData(), 0600), 0);
    EsperarRechazo(QStringLiteral("es-pt.automorf.bin"));

    // The description itself.
    ASSERT_TRUE(QFile::remove(Ruta(par + ".frases")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Ruta(par + ".frases")).constData(), 0600), 0);
    EsperarRechazo(par + ".frases");
    ASSERT_TRUE(QFile::remove(Ruta(par + ".frases")));
    ASSERT_TRUE(QDir().mkdir(Ruta(par + ".frases")));
    EsperarRechazo(par + ".frases");
}

TEST_F(DatosDanados, ADescriptionThatReachesOutsideTheFolderOrRunsAnUnknownProgramIsRefused) {
    const QString original = Descripcion();
    // A file outside the folder, with its true size and digest.
    ASSERT_TRUE(QFile::copy(Ruta("es-pt.t1x.bin"), raiz.filePath("x")));
    CambiarDescripcion(QStringLiteral("es-pt.t1x.bin"), QStringLiteral("../x"));
    EsperarRechazo(par + ".frases");
    Escribir(par + ".frases", original.toUtf8());
    CambiarDescripcion(QStringLiteral("es-pt.t1x.bin"), raiz.filePath("x"));
    EsperarRechazo(par + ".frases");
    Escribir(par + ".frases", original.toUtf8());
    // A stage that names a file no "archivo" line vouches for.
    CambiarDescripcion(QStringLiteral("etapa lt-proc -b es-pt.autobil.bin"),
                       QStringLiteral("etapa lt-proc -b es-pt.otro.bin"));
    EsperarRechazo(par + ".frases");
    Escribir(par + ".frases", original.toUtf8());
    // Programs the pipeline does not know, however harmless they look.
    for (const QString programa :
         {"sh -c true", "apertium-destxt", "lt-comp lr es-pt.t1x es-pt.t1x.bin", ""}) {
        CambiarDescripcion(QStringLiteral("etapa apertium-pretransfer"), QStringLiteral("etapa ") + programa);
        EsperarRechazo(par + ".frases");
        Escribir(par + ".frases", original.toUtf8());
    }
    // Lines it cannot read, and a description far longer than any the build writes.
    for (const QString linea : {"archivo es-pt.prob muchos 00", "archivo es-pt.prob", "traducir todo"}) {
        Escribir(par + ".frases", (original + linea + "\n").toUtf8());
        EsperarRechazo(par + ".frases");
    }
    Escribir(par + ".frases", (original + QString("# relleno\n").repeated(10000)).toUtf8());
    EsperarRechazo(par + ".frases");
    Escribir(par + ".frases", original.toUtf8());
    QString error;
    EXPECT_TRUE(Cargar(carpeta, par, &error)) << error.toStdString();
}

namespace {

// One pipeline for the robustness tests: Spanish to English, whose chain is the longest.
Pipeline& EspIng() {
    static const std::unique_ptr<Pipeline> p = Cargar(kMorfologia, QStringLiteral("spa-eng"));
    if (!p) throw std::runtime_error("spa-eng does not load");
    return *p;
}

// Translates and checks the result is whole and without error.
QString Entera(const QString& texto) {
    const Pipeline::Result r = EspIng().Translate(texto);
    EXPECT_TRUE(r.complete);
    EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    return r.text;
}

} // namespace

TEST(SentencePipeline, EmptyTextAndSeparatorsOnlyComeBackAsTheyWere) {
    EXPECT_EQ(Entera(""), "");
    for (const QString blanco : {" ", "\n", "\n\n\n", "  \t ~ \r\n\r\n  ", "\t\t"})
        EXPECT_EQ(Entera(blanco), blanco);
    const QString mucho = QString(" \n\t").repeated(20000);
    EXPECT_EQ(Entera(mucho), mucho);
}

TEST(SentencePipeline, NulsAndBrokenSurrogatesDoNotStopIt) {
    const QString nul(QChar(0));
    const QString conNul = "El perro" + nul + " come" + nul + nul + " pan.\n" + nul;
    QString sinNul = conNul;
    sinNul.remove(QChar(0));
    EXPECT_EQ(Entera(conNul), Entera(sinNul));
    EXPECT_FALSE(Entera(nul.repeated(5000)).contains(QChar(0)));

    // Lone halves of surrogate pairs, and pairs the wrong way round: what goes into the stream
    // is what UTF-8 makes of them, and the words around still come out.
    for (const QString& roto : {QString(QChar(0xD800)), QString(QChar(0xDFFF)),
                                QString(QChar(0xDC00)) + QChar(0xD800), QString(QChar(0xD83D)) + "x"}) {
        const QString texto = "El perro " + roto + " come pan " + roto;
        const QString salida = Entera(texto);
        EXPECT_EQ(salida, Entera(QString::fromUtf8(texto.toUtf8())));
        EXPECT_FALSE(salida.isEmpty());
    }
    // A whole pair stays one character.
    EXPECT_TRUE(Entera("El perro 😀 come.").contains("😀"));
}

TEST(SentencePipeline, AHundredThousandLetterWordComesOutWhole) {
    const QString palabra = QString("xq").repeated(50000);
    const QString salida = Entera(palabra);
    EXPECT_EQ(SinMarcas(salida), palabra);
    EXPECT_TRUE(salida.startsWith('<'));
}

TEST(SentencePipeline, ARunWithoutBlanksLongerThanTheAnalyserCanTakeBackLosesNothing) {
    // lttoolbox's analyser keeps about two thousand characters to go back to when a match
    // fails; past that, "ab-ab-…" came out with two thirds of it gone.
    for (const QString& tira : {QString("ab-").repeated(1000), QString("casa-").repeated(700)}) {
        const QString texto = "La casa " + tira + " es roja.";
        const QString salida = Entera(texto);
        EXPECT_TRUE(SinMarcas(salida).contains(tira)) << salida.size() << " characters";
        EXPECT_TRUE(salida.startsWith("The house")) << salida.left(40).toStdString();
    }
}

TEST(SentencePipeline, AWordTooLongToAnalyseIsOneUnknownUnitBetweenItsTaggedNeighbours) {
    // Longer than a piece, too: before, the pieces cut it in two units.
    const QString palabra = QString("xq").repeated(6000);
    QList<Pipeline::Unit> u = EspIng().Tag("La casa " + palabra + " es roja.");
    // Only the units found in the text (the sentence ends the stream adds have no place there).
    u.removeIf([](const Pipeline::Unit& x) { return x.start < 0; });
    ASSERT_GE(u.size(), 5);
    EXPECT_EQ(u[1].surface, "casa");
    EXPECT_FALSE(u[1].readings.isEmpty());
    EXPECT_EQ(u[2].surface, palabra);
    EXPECT_EQ(u[2].start, 8);
    EXPECT_EQ(u[2].length, palabra.size());
    EXPECT_TRUE(u[2].readings.isEmpty());
    EXPECT_EQ(u[3].surface, "es");
    EXPECT_FALSE(u[3].chosen.isEmpty());
}

TEST(SentencePipeline, UnknownWordsAreMarkedWhateverPunctuationStandsBesideThem) {
    const QString salida =
        Entera(QString::fromUtf8("Xqzwv, «xqzwv» “xqzwv” (xqzwv) ¿xqzwv? xqzwv… —xqzwv— ñxqzwvé xqzwv²"));
    // Every occurrence is marked, and marked whole: a letter belongs to the word, a superscript
    // digit does not (the analyser reads it so).
    EXPECT_EQ(salida.count(QStringLiteral("qzwv")), 9);
    EXPECT_EQ(salida.count(QRegularExpression(QStringLiteral("<[Xx]qzwv>"))), 8) << salida.toStdString();
    EXPECT_TRUE(salida.contains(QString::fromUtf8("<xqzwv>²"))) << salida.toStdString();
    EXPECT_TRUE(salida.contains(QString::fromUtf8("«<xqzwv>»"))) << salida.toStdString();
    EXPECT_TRUE(salida.contains(QString::fromUtf8("“<xqzwv>”"))) << salida.toStdString();
    EXPECT_TRUE(salida.contains(QString::fromUtf8("<ñxqzwvé>"))) << salida.toStdString();
}

TEST(SentencePipeline, TypedMarkCharactersAngleBracketsAndStarsComeOutAsTyped) {
    const QString abre(QChar(sentences::kMarcaAbre)), cierra(QChar(sentences::kMarcaCierra));
    const QString reservados = QStringLiteral("* < > [ ] \\ { } ^ $ @ / *** [<>]");
    const QString salida = Entera("perro " + abre + " xqzwv" + cierra + " " + reservados);
    EXPECT_EQ(salida.count(abre), 1);
    EXPECT_EQ(salida.count(cierra), 1);
    EXPECT_TRUE(salida.contains("<xqzwv>" + cierra)) << salida.toStdString();
    EXPECT_TRUE(salida.endsWith(" " + reservados)) << salida.toStdString();
}

TEST(SentencePipeline, ProgressReturningFalseStopsItIncomplete) {
    // Several pieces: paragraphs of the yardstick, many times over.
    const QString texto = Prosa("spa", 24).repeated(8);
    ASSERT_GT(texto.size(), 40 * 1024);

    QList<qsizetype> hechos;
    qsizetype total = -1;
    const Pipeline::Result entera = EspIng().Translate(texto, [&](qsizetype hecho, qsizetype t) {
        hechos << hecho;
        total = t;
        return true;
    });
    ASSERT_TRUE(entera.complete);
    EXPECT_EQ(total, texto.size());
    ASSERT_GE(hechos.size(), 4);
    EXPECT_EQ(hechos.first(), 0);
    EXPECT_EQ(hechos.last(), texto.size());
    EXPECT_TRUE(std::is_sorted(hechos.begin(), hechos.end()));

    const Pipeline::Result nada = EspIng().Translate(texto, [](qsizetype, qsizetype) { return false; });
    EXPECT_FALSE(nada.complete);
    EXPECT_TRUE(nada.text.isEmpty());
    EXPECT_TRUE(nada.error.isEmpty());

    int llamadas = 0;
    const Pipeline::Result media =
        EspIng().Translate(texto, [&](qsizetype, qsizetype) { return ++llamadas < 3; });
    EXPECT_FALSE(media.complete);
    EXPECT_TRUE(media.error.isEmpty());
    EXPECT_EQ(llamadas, 3);
    // Two pieces were done: the beginning of the whole translation.
    EXPECT_FALSE(media.text.isEmpty());
    EXPECT_LT(media.text.size(), entera.text.size());
    EXPECT_TRUE(entera.text.startsWith(media.text));
}

TEST(SentencePipeline, TwoPipelinesUsedFromTwoThreadsGiveWhatEachGivesAlone) {
    const auto ida = Cargar(kMorfologia, QStringLiteral("spa-eng"));
    const auto vuelta = Cargar(kMorfologia, QStringLiteral("eng-spa"));
    ASSERT_TRUE(ida && vuelta);
    const QString es = Prosa("spa", 6), en = Prosa("eng", 6);
    const QString soloIda = ida->Translate(es).text, soloVuelta = vuelta->Translate(en).text;
    ASSERT_FALSE(soloIda.isEmpty());
    ASSERT_FALSE(soloVuelta.isEmpty());
    QString a, b;
    std::thread t1([&] {
        for (int i = 0; i < 3; ++i)
            a += ida->Translate(es).text;
    });
    std::thread t2([&] {
        for (int i = 0; i < 3; ++i)
            b += vuelta->Translate(en).text;
    });
    t1.join();
    t2.join();
    EXPECT_EQ(a, soloIda.repeated(3));
    EXPECT_EQ(b, soloVuelta.repeated(3));
}
