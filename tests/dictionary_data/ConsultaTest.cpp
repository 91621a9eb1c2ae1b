// The lookup the dictionary window and the command line share, on the generated PALAVRIX.MDB.
#include "dictionary_data/Consulta.h"
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Decodificadores.h"
#include "dictionary_data/Direcciones.h"
#include "platform/Paths.h"
#include "translator/Buscador.h"

#include <gtest/gtest.h>

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

TEST_F(Consulta, TheTranslatorTranslatesFormsAndKeepsTheirCapitals) {
    EXPECT_EQ(Traducir(0, "Casa, CASA y casa.\r\n"), "Home, HOME and home.\r\n");
    EXPECT_EQ(Traducir(0, "Los libros del niño"), "The books of the boy");
    EXPECT_EQ(Traducir(1, "He went there."), "Él fue allí.");
    EXPECT_EQ(Traducir(5, "Ils sont"), "Ellos son");
    // Unknown words keep their brackets and their spelling; separators stay where they were.
    EXPECT_EQ(Traducir(0, "  xqzwv, 12 Xqzwv\t!"), "  <xqzwv>, 12 <Xqzwv\t>!");
}

TEST(Rotulos, TheNamesTheWindowsShowAreSpeltAsSpanishSpellsThem) {
    EXPECT_EQ(DescribirTipo("ij"), "Interjección");
    EXPECT_EQ(QString::fromUtf8(kDirecciones[2].idiomaTraduccion), "Portugués");
    EXPECT_EQ(QString::fromUtf8(kDirecciones[3].idiomaPalabra), "Portugués");
}
