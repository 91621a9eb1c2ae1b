// What the reader may have meant by a word not found, on the generated PALAVRIX.MDB and the lists
// of common words beside the transducers; and the pieces that make it.
#include "dictionary_data/Sugerencias.h"
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Consulta.h"
#include "dictionary_data/Formas.h"
#include "platform/Paths.h"
#include "platform/TextFold.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Sugerencias : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        paths::SetAppPath(QStringLiteral(PALAVRIX_BUILD_DIR));
        formas::Olvidar();
        sugerencias::Olvidar();
        AbrirBaseDatos();
    }
    static void TearDownTestSuite() {
        CerrarBaseDatos();
        formas::Olvidar();
        sugerencias::Olvidar();
        paths::SetAppPath(QString());
    }
    static QStringList Sugerir(int d, const QString& p) { return sugerencias::Sugerir(*dbDiccionario, d, p); }
};

std::u16string U(const char16_t* s) {
    return s;
}

} // namespace

TEST_F(Sugerencias, MisspellingsInEveryDirectionFindTheWordMeantFirst) {
    const struct {
        int direccion;
        const char* escrita;
        const char* primera;
    } casos[] = {
        {0, "libors", "libros"},    // two letters swapped: a form, found as such
        {0, "arboles", "árboles"},  // the accent left out of a form
        {1, "becuase", "because"},  // English
        {2, "perrro", "perro"},     // a letter too many
        {3, "obrigdo", "obrigado"}, // Portuguese, a letter missing
        {5, "maisonn", "maison"},   // French
    };
    for (const auto& c : casos) {
        const QStringList s = Sugerir(c.direccion, QString::fromUtf8(c.escrita));
        ASSERT_FALSE(s.isEmpty()) << c.escrita;
        EXPECT_EQ(s.first(), QString::fromUtf8(c.primera)) << c.escrita << ": " << s.join(", ").toStdString();
        EXPECT_LE(s.size(), sugerencias::kCuantas);
        // Every suggestion is found by the lookup, as written.
        for (const QString& p : s) {
            const consulta::Entrada e = consulta::Buscar(*dbDiccionario, c.direccion, p);
            EXPECT_TRUE(e.encontrada && !e.sinAcentos) << p.toStdString();
        }
    }
    // Spanish to French, the same way.
    const QStringList fr = Sugerir(4, "escuella");
    ASSERT_FALSE(fr.isEmpty());
    EXPECT_EQ(fr.first(), "escuela");
}

TEST_F(Sugerencias, ALongFormFindsTheShorterFormsOfItsWord) {
    // A diminutive the analyser does not know: its plain forms are three letters away at most.
    const QStringList s = Sugerir(0, "niñitas");
    EXPECT_TRUE(s.contains("niñas") || s.contains("niña")) << s.join(", ").toStdString();
}

TEST_F(Sugerencias, NeverTheWordItselfNorOneWordTwiceAndAccentsKept) {
    const QStringList s = Sugerir(0, "LIBORS");
    ASSERT_FALSE(s.isEmpty());
    QSet<QString> plegadas;
    for (const QString& p : s) {
        EXPECT_NE(textfold::FoldCase(p), "libors");
        plegadas.insert(textfold::FoldCase(p));
    }
    EXPECT_EQ(plegadas.size(), s.size()) << s.join(", ").toStdString();
    for (const QString& p : Sugerir(0, "Arboles"))
        EXPECT_NE(textfold::FoldCase(p), "arboles") << "the word itself";
    EXPECT_TRUE(Sugerir(0, "ARBOLES").contains("árboles"));
}

TEST_F(Sugerencias, NothingForAnEmptyWordOneLetterAVeryLongWordPunctuationOrNothingClose) {
    EXPECT_TRUE(Sugerir(0, "").isEmpty());
    EXPECT_TRUE(Sugerir(0, "q").isEmpty());
    EXPECT_TRUE(Sugerir(0, QString(200, QLatin1Char('a'))).isEmpty());
    EXPECT_TRUE(Sugerir(0, QString("libros").repeated(34)).isEmpty());
    EXPECT_TRUE(Sugerir(0, "¡¿?!").isEmpty());
    EXPECT_TRUE(Sugerir(0, "...").isEmpty());
    EXPECT_TRUE(Sugerir(5, "xqzwv").isEmpty());
    EXPECT_TRUE(Sugerir(7, "libors").isEmpty()); // no such direction
    EXPECT_TRUE(sugerencias::Sugerir(*dbDiccionario, 0, "libors", 0).isEmpty());
    EXPECT_EQ(sugerencias::Sugerir(*dbDiccionario, 0, "libors", 1).size(), 1);
}

TEST_F(Sugerencias, TheCommonWordsOfEachLanguageAreBesideTheTransducers) {
    for (int d = 0; d < 6; ++d) {
        const QList<sugerencias::Frecuente> lista =
            sugerencias::LeerFrecuentes(sugerencias::RutaFrecuentes(d));
        EXPECT_GT(lista.size(), 5000) << d;
    }
    const QList<sugerencias::Frecuente> spa = sugerencias::LeerFrecuentes(sugerencias::RutaFrecuentes(0));
    ASSERT_FALSE(spa.isEmpty());
    EXPECT_EQ(spa.first().palabra, "de"); // the commonest word of Spanish text
}

TEST(SugerenciasPiezas, TheDistanceCountsASwapAsOneEditAndStopsAtItsLimit) {
    EXPECT_EQ(sugerencias::Distancia(U(u"libors"), U(u"libros"), 3), 1);
    EXPECT_EQ(sugerencias::Distancia(U(u"ab"), U(u"ba"), 3), 1);
    EXPECT_EQ(sugerencias::Distancia(U(u"kitten"), U(u"sitting"), 5), 3);
    EXPECT_EQ(sugerencias::Distancia(U(u"casa"), U(u"casa"), 1), 0);
    EXPECT_EQ(sugerencias::Distancia(U(u""), U(u"abc"), 3), 3);
    EXPECT_EQ(sugerencias::Distancia(U(u"kitten"), U(u"sitting"), 2), 3); // over the limit: limit + 1
    EXPECT_EQ(sugerencias::Distancia(U(u"a"), U(u"abcdef"), 2), 3);
    EXPECT_EQ(sugerencias::Distancia(U(u"ninitas"), U(u"nina"), 3), 3);
}

TEST(SugerenciasPiezas, TheWordsOfATextAreCountedAsItWritesThemInLowerCase) {
    const auto lista = sugerencias::ContarPalabras(
        "La casa. la Casa, las casas; París París grand-mère grand-mère -x- casa 12 12", 10);
    const QList<sugerencias::Frecuente> esperada{{"casa", 3}, {"París", 2}, {"grand-mère", 2}, {"la", 2}};
    EXPECT_EQ(lista, esperada);
    EXPECT_EQ(sugerencias::ContarPalabras("uno uno dos dos tres tres tres", 2),
              (QList<sugerencias::Frecuente>{{"tres", 3}, {"dos", 2}}));
    EXPECT_TRUE(sugerencias::ContarPalabras("", 10).isEmpty());
}

TEST(SugerenciasPiezas, TheListFileReadsBackAndADamagedOneGivesWhatCanBeRead) {
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("spa.frecuentes");
    const QList<sugerencias::Frecuente> lista{{"casa", 30}, {"árbol", 7}};
    QByteArray contenido = sugerencias::EscribirFrecuentes(lista);
    EXPECT_EQ(contenido, QByteArray("casa\t30\nárbol\t7\n"));
    contenido += "sin números\n\tvacía\t3\nnegativa\t-4\nmal\tx\n\xff\xfe\t9\ncon espacio\t2\n";
    {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenido);
    }
    EXPECT_EQ(sugerencias::LeerFrecuentes(ruta), lista);
    // Missing, a folder, too big: nothing.
    EXPECT_TRUE(sugerencias::LeerFrecuentes(carpeta.filePath("no-hay")).isEmpty());
    EXPECT_TRUE(sugerencias::LeerFrecuentes(carpeta.path()).isEmpty());
    {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("casa\t30\n");
        f.resize(9 * 1024 * 1024);
    }
    EXPECT_TRUE(sugerencias::LeerFrecuentes(ruta).isEmpty());
}
