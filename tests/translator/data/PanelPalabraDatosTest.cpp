// The translator's word panel on the generated dictionary and the real transducers: for headwords,
// forms, further meanings and words that are not there, it shows what the dictionary window shows
// after the same word is typed in the same direction.
#include "TextosEntrada.h"
#include "VentanasPrueba.h"
#include "dictionary_data/Formas.h"
#include "translator/PanelPalabra.h"
#include "translator/Traduccion.h"
#include "translator/frmTraductor.h"

#include <QFile>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

class WordPanelOnTheDictionary : public VentanasPrueba {
protected:
    void SetUp() override {
        VentanasPrueba::SetUp();
        // The test's own program folder borrows the transducers the build copied, and the window
        // reads the generated dictionary.
        ASSERT_TRUE(
            QFile::link(QStringLiteral(PALAVRIX_BUILD_DIR "/Morfologia"), entorno.Carpeta() + "/Morfologia"));
        CerrarBaseDatos();
        dbDiccionario =
            dao::DBEngine().Workspaces(0).OpenDatabase(QStringLiteral(PALAVRIX_BUILD_DIR "/PALAVRIX.MDB"));
        formas::Olvidar();
        t = Abrir<frmTraductor>(4500, 3000);
        panel = new PanelPalabra(t);
    }
    void TearDown() override {
        VentanasPrueba::TearDown();
        formas::Olvidar();
    }
    QStringList EnPanel(int direccion, const QString& palabra) {
        panel->Ocultar();
        panel->Mostrar(direccion, palabra, QPoint(200, 200));
        return TextosPanel(*panel);
    }
    frmTraductor* t = nullptr;
    PanelPalabra* panel = nullptr;
};

} // namespace

TEST_F(WordPanelOnTheDictionary, ShowsWhatTheDictionaryWindowShowsForTheSameWord) {
    auto* w = Abrir<frmPrincipal>(0, 0);
    // Headwords, forms of nouns and verbs, function words, a word without its accents, further
    // meanings into Spanish (of a headword and of a form), every language, and words not there.
    const std::pair<int, const char*> casos[] = {
        {0, "casa"}, {0, "libros"}, {0, "tiene"}, {0, "comieron"}, {0, "del"},   {0, "arbol"}, {1, "act"},
        {1, "acts"}, {1, "went"},   {5, "sont"},  {3, "livros"},   {0, "xqzwv"}, {1, "casa"}};
    for (const auto& [direccion, palabra] : casos) {
        const QStringList diccionario = TextosDiccionario(w, direccion, palabra);
        EXPECT_EQ(EnPanel(direccion, palabra), diccionario) << palabra;
    }
    // What the comparison rests on, spelt out for a form and for further meanings.
    EXPECT_EQ(
        EnPanel(0, "libros"),
        (QStringList{"palabra=libros", "forma=plural de «libro»", "traduccion=books", "color=blanco",
                     "lblTipo=Sustantivo", "lblGenero=Masculino", "lblNumero=Plural", "lblTipoT=Sustantivo",
                     "lblGeneroT=", "lblNumeroT=Plural", "acepciones=", "direccion=Español → Inglés"}));
    EXPECT_EQ(EnPanel(0, "comieron").at(1), "forma=pretérito de «comer»");
    EXPECT_EQ(EnPanel(1, "acts").at(10), "acepciones=acto | ley");
}

TEST_F(WordPanelOnTheDictionary, AWordOfEitherBoxIsLookedUpInItsOwnLanguage) {
    // "Los libros" gives "The books": the text's "libros" from Spanish, the translation's "books"
    // from English.
    t->txtTexto->setPlainText("Los libros");
    t->lblOpciones_Click(3);
    const QString texto = t->txtTexto->toPlainText(), salida = t->txtTraduccion->toPlainText();
    ASSERT_EQ(salida, "The books");
    const QStringList enTexto =
        EnPanel(traduccion::DireccionDeCaja(DiccionarioActual, traduccion::Caja::Texto),
                traduccion::PalabraEn(texto, 6).De(texto));
    EXPECT_EQ(enTexto.at(2), "traduccion=books");
    const QStringList enSalida =
        EnPanel(traduccion::DireccionDeCaja(DiccionarioActual, traduccion::Caja::Traduccion),
                traduccion::PalabraEn(salida, 6).De(salida));
    EXPECT_EQ(enSalida.mid(0, 3),
              (QStringList{"palabra=books", "forma=plural de «book»", "traduccion=libros"}));
    EXPECT_EQ(enSalida.last(), "direccion=Inglés → Español");
}
