// The lookup the dictionary window and the command line share, on the generated PALAVRIX.MDB.
#include "dictionary_data/Consulta.h"
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Decodificadores.h"
#include "dictionary_data/Direcciones.h"
#include "platform/Paths.h"
#include "translator/Buscador.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

class Consulta : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        paths::SetAppPath(QStringLiteral(PALAVRIX_BUILD_DIR));
        formas::Olvidar();
        AbrirBaseDatos();
    }
    static void TearDownTestSuite() {
        CerrarBaseDatos();
        formas::Olvidar();
        paths::SetAppPath(QString());
    }
    static consulta::Entrada Buscar(int d, const QString& p) {
        return consulta::Buscar(*dbDiccionario, d, p);
    }
    static QString TraduccionDe(int d, const QString& lema) {
        return consulta::TraduccionDe(*dbDiccionario, d, lema);
    }
    static QString Traducir(int d, const QString& t) {
        return traduccion::TraducirTexto(*dbDiccionario, d, t);
    }
};

} // namespace

TEST_F(Consulta, AHeadwordIsItsOwnEntryAndAFormShowsItsLemmasEntry) {
    const consulta::Entrada casa = Buscar(0, "casa");
    ASSERT_TRUE(casa.encontrada);
    EXPECT_EQ(casa.lema, "casa");
    EXPECT_EQ(casa.traduccion, "home");
    EXPECT_TRUE(casa.pista.isEmpty());
    EXPECT_FALSE(casa.esForma());

    const consulta::Entrada libros = Buscar(0, "libros");
    ASSERT_TRUE(libros.encontrada);
    EXPECT_TRUE(libros.esForma());
    EXPECT_EQ(libros.lema, "libro");
    EXPECT_EQ(libros.traduccion, "books");
    EXPECT_EQ(libros.tipo, "n");
    EXPECT_EQ(libros.genero, "m");
    EXPECT_EQ(libros.numero, "p");
    EXPECT_EQ(libros.numeroT, "p");
    EXPECT_EQ(libros.pista, "plural de «libro»");
    // Spanish to English offers the pronunciation of every form: the window speaks it live.
    EXPECT_TRUE(libros.pronunciacion);
}

TEST_F(Consulta, AFormIntoSpanishCarriesItsLemmasFurtherMeanings) {
    const consulta::Entrada lema = Buscar(1, "house");
    const consulta::Entrada forma = Buscar(1, "houses");
    ASSERT_TRUE(lema.encontrada);
    ASSERT_TRUE(forma.encontrada);
    EXPECT_EQ(forma.lema, "house");
    EXPECT_EQ(forma.traduccion, lema.traduccion.endsWith('a') ? lema.traduccion + "s" : forma.traduccion);
    EXPECT_EQ(forma.acepcion1, lema.acepcion1);
    EXPECT_EQ(forma.acepcion2, lema.acepcion2);
    EXPECT_FALSE(forma.pronunciacion) << "only Spanish to English has recordings";
}

TEST_F(Consulta, OnlyAWordWithNoAnalysisIsNotFound) {
    EXPECT_FALSE(Buscar(0, "xqzwv").encontrada);
    EXPECT_FALSE(Buscar(0, "").encontrada);
    EXPECT_TRUE(Buscar(3, "são").encontrada);
    EXPECT_TRUE(Buscar(5, "sont").encontrada);
    EXPECT_THROW(Buscar(6, "casa"), dao::DaoError);
}

TEST_F(Consulta, AWordWithoutItsAccentsFindsTheOnlyHeadwordSpeltSoAndAnExactMatchWins) {
    const std::pair<const char*, const char*> casos[] = {
        {"arbol", "árbol"}, {"ARBOL", "árbol"}, {"arból", "árbol"}, {"cancion", "canción"}};
    for (const auto& [tecleada, esperada] : casos) {
        const consulta::Entrada e = Buscar(0, QString::fromUtf8(tecleada));
        ASSERT_TRUE(e.encontrada) << tecleada;
        EXPECT_TRUE(e.sinAcentos) << tecleada;
        EXPECT_FALSE(e.esForma()) << tecleada;
        EXPECT_EQ(e.palabra, QString::fromUtf8(tecleada));
        EXPECT_EQ(e.lema, QString::fromUtf8(esperada));
        const consulta::Entrada lema = Buscar(0, e.lema);
        EXPECT_EQ(e.traduccion, lema.traduccion);
        EXPECT_EQ(e.tipo, lema.tipo);
        EXPECT_FALSE(lema.sinAcentos);
    }
    // "papa" and "papá" are both headwords: each is found as typed.
    EXPECT_EQ(Buscar(0, "papa").lema, "papa");
    EXPECT_FALSE(Buscar(0, "papa").sinAcentos);
    EXPECT_EQ(Buscar(0, "papá").lema, "papá");
}

// A word that is a headword and a form of another word: the reading the tagger finds likeliest
// for it alone comes first when the headword is a word of content, and the hint and codes say
// which form it is.
TEST_F(Consulta, TheTaggersReadingOfAWordAloneDecidesBetweenTheHeadwordAndAForm) {
    const consulta::Entrada saw = Buscar(1, "saw");
    ASSERT_TRUE(saw.encontrada);
    EXPECT_EQ(saw.lema, "see");
    EXPECT_TRUE(saw.traduccion.startsWith("vi")) << saw.traduccion.toStdString();
    EXPECT_TRUE(saw.pista.contains("«see»")) << saw.pista.toStdString();
    EXPECT_EQ(saw.tipo, "v");
    // The tool is still there, as a further meaning.
    EXPECT_EQ(saw.acepcion1.toString(), "serrar");
    // "tiene" keeps its row ("has") and says whose form it is.
    const consulta::Entrada tiene = Buscar(0, "tiene");
    EXPECT_EQ(tiene.traduccion, "has");
    EXPECT_EQ(tiene.lema, "tener");
    EXPECT_TRUE(tiene.pista.contains("«tener»")) << tiene.pista.toStdString();
    EXPECT_TRUE(tiene.esForma());
    // The commonest forms of the auxiliaries keep their rows, although the tagger alone reads them
    // as the other verb of the same lemma ("être" of "il est allé").
    for (const auto& [d, forma, fila, lema] :
         {std::tuple{5, "est", "es", "être"}, std::tuple{5, "sont", "son", "être"},
          std::tuple{5, "ont", "han", "avoir"}, std::tuple{1, "has", "ha", "have"}}) {
        const consulta::Entrada e = Buscar(d, forma);
        EXPECT_EQ(e.traduccion, fila) << forma;
        EXPECT_EQ(e.lema, lema) << forma;
    }
    // "sé" alone is "I know" far more often than the imperative of "ser".
    const consulta::Entrada se = Buscar(0, "sé");
    EXPECT_EQ(se.traduccion, "know");
    EXPECT_EQ(se.lema, "saber");
    // Prepositions and conjunctions keep their rows, whatever the tagger reads alone.
    EXPECT_EQ(Buscar(0, "para").traduccion, TraduccionDe(0, "para"));
    EXPECT_EQ(Buscar(0, "para").lema, "para");
    EXPECT_EQ(Buscar(0, "libro").traduccion, "book");
}

TEST_F(Consulta, FrenchLigaturesFindTheWordAsTheDictionarySpellsIt) {
    const consulta::Entrada coeur = Buscar(5, "cœur");
    ASSERT_TRUE(coeur.encontrada);
    EXPECT_EQ(coeur.palabra, "cœur");
    EXPECT_EQ(coeur.traduccion, "corazón");
    EXPECT_EQ(Buscar(5, "sœurs").traduccion, Buscar(5, "soeurs").traduccion);
    EXPECT_EQ(consulta::SinLigaduras("Œuvre et æ"), "Oeuvre et ae");
}

TEST_F(Consulta, TheTranslatorTranslatesFormsAndKeepsTheirCapitals) {
    EXPECT_EQ(Traducir(0, "Casa, CASA y casa.\r\n"), "Home, HOME and home.\r\n");
    EXPECT_EQ(Traducir(0, "Los libros del niño"), "The books of the boy");
    EXPECT_EQ(Traducir(1, "He went there."), "Él fue allí.");
    EXPECT_EQ(Traducir(5, "Ils sont"), "Ellos son");
    // Unknown words keep their brackets and their spelling; separators stay where they were.
    EXPECT_EQ(Traducir(0, "  xqzwv, 12 Xqzwv\t!"), "  <xqzwv>, 12 <Xqzwv>\t!");
}

TEST(Rotulos, TheNamesTheWindowsShowAreSpeltAsSpanishSpellsThem) {
    EXPECT_EQ(DescribirTipo("ij"), "Interjección");
    EXPECT_EQ(QString::fromUtf8(kDirecciones[2].idiomaTraduccion), "Portugués");
    EXPECT_EQ(QString::fromUtf8(kDirecciones[3].idiomaPalabra), "Portugués");
}
