// The forms of words when the transducers beside the program are damaged. lttoolbox trusts what it
// reads (a truncated analyser ends the program), so only the files the build recorded, as it
// recorded them, may reach it; otherwise the direction runs on its headwords alone and says so once.
#include "Grabadores.h"
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Consulta.h"
#include "dictionary_data/Formas.h"
#include "platform/Paths.h"
#include "platform/Transducer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

namespace {

const QString kMorfologia = QStringLiteral(PALAVRIX_BUILD_DIR "/Morfologia");

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

bool Escribir(const QString& ruta, const QByteArray& bytes) {
    QFile::remove(ruta);
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

// The program's folder in a temporary place, with a copy of the build's Morfologia folder that a
// test may damage; the dictionary stays the build's own.
class FormasDanadas : public ::testing::Test {
protected:
    void SetUp() override {
        paths::SetAppPath(QStringLiteral(PALAVRIX_BUILD_DIR));
        AbrirBaseDatos();
        ASSERT_TRUE(QDir(programa_.path()).mkpath(QStringLiteral("Morfologia")));
        for (const QFileInfo& f : QDir(kMorfologia).entryInfoList(QDir::Files))
            ASSERT_TRUE(QFile::copy(f.filePath(), Ruta(f.fileName())));
        paths::SetAppPath(programa_.path());
        formas::Olvidar();
        notices::Install(avisos_);
    }
    void TearDown() override {
        formas::Olvidar();
        notices::Install(nullptr);
        CerrarBaseDatos();
        paths::SetAppPath(QString());
    }
    QString Ruta(const QString& nombre) const {
        return programa_.filePath(QStringLiteral("Morfologia/") + nombre);
    }
    static consulta::Entrada Buscar(int d, const QString& palabra) {
        return consulta::Buscar(*dbDiccionario, d, palabra);
    }
    // Notices sent from a loading thread arrive through the event loop.
    QStringList Avisos() {
        QCoreApplication::processEvents();
        return avisos_->textos;
    }

    QTemporaryDir programa_;
    std::shared_ptr<AvisosGrabados> avisos_ = std::make_shared<AvisosGrabados>();
};

} // namespace

TEST_F(FormasDanadas, ADamagedOrMissingFileLeavesTheHeadwordsDropsTheFormsAndSaysSoOnce) {
    struct Caso {
        int direccion;
        const char* archivo;
        const char* lema;
        const char* forma;
        std::function<bool(const QString& ruta)> danar;
    };
    const auto truncar = [](double parte) {
        return [parte](const QString& ruta) {
            const QByteArray b = Leer(ruta);
            return Escribir(ruta, b.left(static_cast<qsizetype>(b.size() * parte)));
        };
    };
    const auto cambiarByte = [](qsizetype posicion) {
        return [posicion](const QString& ruta) {
            QByteArray b = Leer(ruta);
            if (b.size() <= posicion || b[posicion] == '\xff') return false;
            b[posicion] = '\xff';
            return Escribir(ruta, b);
        };
    };
    const std::vector<Caso> casos{
        {0, "spa-eng.automorf.bin", "libro", "libros", cambiarByte(100)},
        {1, "eng-spa.autogen.bin", "house", "houses", truncar(0.6)},
        {2, "es-pt.autobil.bin", "libro", "libros",
         [](const QString& ruta) { return QFile::remove(ruta) && QDir().mkdir(ruta); }},
        {3, "pt-es.automorf.bin", "livro", "livros",
         [](const QString& ruta) {
             return QFile::remove(ruta) && ::mkfifo(QFile::encodeName(ruta), 0600) == 0;
         }},
        {4, "es-fr.frases", "casa", "casas", [](const QString& ruta) { return QFile::remove(ruta); }},
        // Any of the four, even the post-generator, which joins only a few words.
        {5, "fr-es.autopgen.bin", "maison", "maisons", truncar(0.1)},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.archivo);
        // Sound first: the form is found through the transducers.
        formas::Olvidar();
        ASSERT_TRUE(Buscar(c.direccion, c.forma).encontrada);
        formas::Olvidar();
        ASSERT_TRUE(c.danar(Ruta(c.archivo)));
        const qsizetype antes = Avisos().size();
        for (int vez = 0; vez < 2; ++vez) {
            EXPECT_TRUE(Buscar(c.direccion, c.lema).encontrada);
            EXPECT_FALSE(Buscar(c.direccion, c.forma).encontrada);
            // Loaded again, as after a visit to another direction: still no forms, no second notice.
            formas::Olvidar();
        }
        formas::Morfologia* m = formas::De(c.direccion);
        m->Precargar();
        EXPECT_FALSE(m->Disponible());
        EXPECT_TRUE(m->Lecturas(c.forma).isEmpty());
        const QStringList avisos = Avisos().mid(antes);
        ASSERT_EQ(avisos.size(), 1);
        EXPECT_TRUE(avisos[0].contains(QLatin1String(c.archivo))) << avisos[0].toStdString();
        EXPECT_FALSE(avisos[0].contains(QLatin1Char('\n')));
    }
}

TEST_F(FormasDanadas, ThirtyMutationsOfATransducerAreRefusedAndNeverRead) {
    const QStringList archivos{"spa-eng.automorf.bin", "spa-eng.autobil.bin", "spa-eng.autogen.bin",
                               "spa-eng.autopgen.bin"};
    std::mt19937 azar(20261210);
    for (int i = 0; i < 30; ++i) {
        const QString nombre = archivos[i % archivos.size()];
        const QByteArray original = Leer(kMorfologia + "/" + nombre);
        ASSERT_FALSE(original.isEmpty());
        QByteArray b = original;
        if (i % 2 == 0) {
            // Cut anywhere from 10 % to 90 % of the file.
            std::uniform_int_distribution<qsizetype> corte(b.size() / 10, b.size() * 9 / 10);
            b.truncate(corte(azar));
        } else {
            // One to four bytes changed, anywhere past the format's mark.
            std::uniform_int_distribution<qsizetype> posicion(4, b.size() - 1);
            std::uniform_int_distribution<int> cuantos(1, 4), valor(1, 255);
            for (int n = cuantos(azar); n > 0; --n) {
                const qsizetype p = posicion(azar);
                b[p] = static_cast<char>(b[p] ^ valor(azar));
            }
        }
        if (b == original) continue;
        SCOPED_TRACE(QStringLiteral("%1, mutación %2").arg(nombre).arg(i).toStdString());
        ASSERT_TRUE(Escribir(Ruta(nombre), b));
        formas::Morfologia m(programa_.filePath("Morfologia"), 0);
        EXPECT_FALSE(m.Disponible());
        EXPECT_FALSE(m.Traducir("libros"));
        ASSERT_TRUE(Escribir(Ruta(nombre), original));
    }
    // The sound files load again.
    formas::Morfologia sana(programa_.filePath("Morfologia"), 0);
    ASSERT_TRUE(sana.Disponible());
    EXPECT_EQ(sana.Traducir("libros")->traduccion, "books");
    EXPECT_EQ(Avisos().size(), 1);
}

TEST_F(FormasDanadas, OnlyFilesTheDescriptionRecordsAsTheyAreAreLoaded) {
    const QString carpeta = programa_.filePath("Morfologia");
    const auto registros = lt::ReadRecords(carpeta, "spa-eng");
    ASSERT_TRUE(registros);
    ASSERT_TRUE(registros->contains("spa-eng.automorf.bin"));
    const auto sano =
        lt::Transducer::LoadVerified(carpeta, "spa-eng.automorf.bin", *registros, lt::Mode::Analysis);
    ASSERT_TRUE(sano);
    EXPECT_FALSE(sano->Analyse("libros").isEmpty());
    // A file the description does not name, even a sound transducer, is not read.
    ASSERT_TRUE(QFile::copy(Ruta("spa-eng.automorf.bin"), Ruta("otro.bin")));
    EXPECT_EQ(lt::Transducer::LoadVerified(carpeta, "otro.bin", *registros, lt::Mode::Analysis), nullptr);
    // Same size, one byte changed: only the digest tells.
    QByteArray b = Leer(Ruta("spa-eng.automorf.bin"));
    b[b.size() / 2] = static_cast<char>(b[b.size() / 2] ^ 0x01);
    ASSERT_TRUE(Escribir(Ruta("spa-eng.automorf.bin"), b));
    EXPECT_EQ(lt::Transducer::LoadVerified(carpeta, "spa-eng.automorf.bin", *registros, lt::Mode::Analysis),
              nullptr);

    // A description with a malformed file line, none at all, or a FIFO in its place.
    EXPECT_FALSE(lt::ReadRecords(carpeta, "no-existe"));
    ASSERT_TRUE(Escribir(Ruta("roto.frases"), "archivo roto.bin 12\n"));
    EXPECT_FALSE(lt::ReadRecords(carpeta, "roto"));
    ASSERT_TRUE(Escribir(Ruta("roto.frases"), "archivo ../fuera.bin 12 " + QByteArray(64, 'a') + "\n"));
    EXPECT_FALSE(lt::ReadRecords(carpeta, "roto"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Ruta("tubo.frases")), 0600), 0);
    EXPECT_FALSE(lt::ReadRecords(carpeta, "tubo"));
    // Nor is a FIFO opened as a transducer: it would wait for a writer for ever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(Ruta("tubo.bin")), 0600), 0);
    EXPECT_EQ(lt::Transducer::Load(Ruta("tubo.bin"), lt::Mode::Analysis), nullptr);
}

TEST_F(FormasDanadas, AVerbWithPronounsWhosePipelineCannotLoadTranslatesPartByPart) {
    // The tagger's model of the pipeline damaged; the four transducers of the forms are sound.
    QByteArray b = Leer(Ruta("es-pt.prob"));
    ASSERT_FALSE(b.isEmpty());
    b[b.size() / 2] = static_cast<char>(b[b.size() / 2] ^ 0x01);
    ASSERT_TRUE(Escribir(Ruta("es-pt.prob"), b));
    formas::Morfologia m(programa_.filePath("Morfologia"), 2);
    ASSERT_TRUE(m.Disponible());
    const auto damelo = m.Traducir("dámelo");
    ASSERT_TRUE(damelo);
    EXPECT_EQ(damelo->traduccion, "dar me o");
    EXPECT_FALSE(damelo->generada);
    EXPECT_EQ(damelo->pista, "«dar» con pronombres; se muestra la traducción de sus lemas");
    // Asked again, the same; and the other forms are made as ever, with no notice.
    EXPECT_EQ(m.Traducir("dámelo")->traduccion, "dar me o");
    EXPECT_EQ(m.Traducir("libros")->traduccion, "livros");
    EXPECT_TRUE(Avisos().isEmpty());
}
