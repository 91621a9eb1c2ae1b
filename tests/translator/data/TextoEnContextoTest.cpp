// The word-by-word translation of running text on the generated dictionary and the real Apertium
// data: words cut as each language writes them, each read in its context by the pair's tagger,
// and nothing of the text lost on the way.
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Formas.h"
#include "platform/Paths.h"
#include "translator/Buscador.h"
#include "translator/Frases.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {} // namespace

// What a failed comparison prints.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

class TextoEnContexto : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        paths::SetAppPath(QStringLiteral(PALAVRIX_BUILD_DIR));
        formas::Olvidar();
        frases::Olvidar();
        AbrirBaseDatos();
    }
    static void TearDownTestSuite() {
        CerrarBaseDatos();
        formas::Olvidar();
        frases::Olvidar();
        paths::SetAppPath(QString());
    }
    static QString T(int direccion, const QString& texto) {
        return traduccion::TraducirTexto(*dbDiccionario, direccion, texto);
    }
};

enum { EspIng, IngEsp, EspPor, PorEsp, EspFra, FraEsp };

TEST_F(TextoEnContexto, EachWordTakesTheReadingItsContextGivesIt) {
    // "sé" is "know" after "lo", not the imperative of "ser" that its own row translates.
    EXPECT_EQ(T(EspIng, "No lo sé."), "No it know.");
    // "saw" is the past of "see" here, not the verb "to saw" its headword is.
    const QString vi = T(IngEsp, "I saw it.");
    EXPECT_TRUE(vi.contains("vio") || vi.contains("vi ")) << vi.toStdString();
    EXPECT_FALSE(vi.contains("serr")) << vi.toStdString();
    // The past of "ir" followed by "a" goes somewhere.
    EXPECT_EQ(T(EspIng, "Fuimos al mercado."), "Went to the market.");
    EXPECT_TRUE(T(EspIng, "Fuimos buenos.").startsWith("Were")) << T(EspIng, "Fuimos buenos.").toStdString();
    // A form that is a headword of its own keeps its row when the tagger reads it so.
    EXPECT_EQ(T(FraEsp, "Ils sont là."), "Ellos son allí.");
}

TEST_F(TextoEnContexto, ControlCharactersSeparateWordsAndNoWordIsLostToThem) {
    EXPECT_EQ(T(EspIng, "Los libros\tson rojos."), "The books\tare red.");
    EXPECT_EQ(T(EspIng, QString("uno dos") + QChar(0) + "tres cuatro"),
              "one two" + QString(QChar(0)) + "three four");
    EXPECT_EQ(T(EspIng, QString("libro") + QChar(0x1B) + "rojo"), "book" + QString(QChar(0x1B)) + "red");
    const QString dicho = T(FraEsp, "Il a\tdit bonjour.");
    EXPECT_TRUE(dicho.contains("\tdicho ")) << dicho.toStdString();
    // A line indented with a tab keeps its tab and its word.
    EXPECT_EQ(T(EspIng, "\tel perro\n\tEl libro"), "\tthe dog\n\tThe book");
}

// A sign the analyser makes no unit of, such as a superscript digit, once lost every word after it.
TEST_F(TextoEnContexto, ASignBetweenWordsLosesNoWordAfterIt) {
    EXPECT_EQ(T(EspIng, "usando GOsa² (similar a una casa)"), "using <GOsa>² (similar to a home)");
    EXPECT_EQ(T(EspIng, "el libro ½ rojo"), "the book ½ red");
}

TEST_F(TextoEnContexto, FrenchLigaturesAreLettersAndTheWordIsFoundAsTheDictionarySpellsIt) {
    EXPECT_EQ(T(FraEsp, "Mon cœur et ma sœur."), "Mi corazón y mi hermana.");
    const QString huevos = T(FraEsp, "des œufs");
    EXPECT_FALSE(huevos.contains(u'<')) << huevos.toStdString();
    EXPECT_FALSE(huevos.contains(u'œ')) << huevos.toStdString();
}

TEST_F(TextoEnContexto, ElisionsAndApostrophesAreReadAsTheLanguageWritesThem) {
    EXPECT_EQ(T(FraEsp, "L'eau"), "El agua");
    EXPECT_EQ(T(FraEsp, "aujourd'hui"), "hoy");
    EXPECT_EQ(T(FraEsp, "D'accord, l'État."), "De acuerdo, el Estado.");
    // A typographic apostrophe is read as the plain one and kept as written around it.
    EXPECT_EQ(T(FraEsp, "l\u2019eau"), "el agua");
    for (const char* ingles : {"don't", "it's", "John's car", "I'm here"}) {
        const QString t = T(IngEsp, QString::fromUtf8(ingles));
        EXPECT_FALSE(t.contains(u'<')) << ingles << " -> " << t.toStdString();
        EXPECT_FALSE(t.contains(u'\'')) << ingles << " -> " << t.toStdString();
    }
    EXPECT_TRUE(T(IngEsp, "don't").startsWith("no")) << T(IngEsp, "don't").toStdString();
    // Spanish has no subject for "it": "it's" is the verb alone.
    EXPECT_EQ(T(IngEsp, "It's red, it's here."), "Es rojo, es aquí.");
    // An apostrophe typed for a space leaves the words on either side whole.
    EXPECT_EQ(T(EspIng, "el'libro"), "the'book");
}

TEST_F(TextoEnContexto, HeadwordsOfSeveralWordsOrJoinedByHyphensAreOneWord) {
    EXPECT_EQ(T(EspIng, "Sin embargo, a partir de hoy."), "However, from today.");
    EXPECT_EQ(T(IngEsp, "of course"), "naturalmente");
    EXPECT_EQ(T(IngEsp, "turn off"), "apagar");
    EXPECT_EQ(T(FraEsp, "grand-mère"), "abuela");
    EXPECT_EQ(T(PorEsp, "sexta-feira"), "viernes");
    // The longest match wins and capitals follow the first word.
    EXPECT_EQ(T(EspIng, "Sin embargo"), "However");
}

TEST_F(TextoEnContexto, NamesInsideASentenceStayAsWritten) {
    EXPECT_EQ(T(EspIng, "Vive en Valencia con Marta."), "Lives in Valencia with Marta.");
    EXPECT_EQ(T(EspIng, "Marta vive aquí."), "Marta lives here.");
    const QString claire = T(FraEsp, "Je vois Claire.");
    EXPECT_TRUE(claire.endsWith("Claire.")) << claire.toStdString();
    // A name the other language spells otherwise takes its spelling.
    EXPECT_TRUE(T(EspIng, "Vive en Londres.").contains("London"))
        << T(EspIng, "Vive en Londres.").toStdString();
    // A word in capitals is a heading, not a name.
    EXPECT_EQ(T(EspIng, "LOS LIBROS"), "THE BOOKS");
}

// Random text made of words the dictionary knows and does not know, separators of every kind the
// reader may type or paste (controls, NUL, apostrophes, hyphens, signs, digits, line breaks):
// the translation's segments cover the text whole and in order, the output is their translations
// end to end, and every character between words comes out as it went in.
TEST_F(TextoEnContexto, NoWordOrSeparatorOfTheTextIsLost) {
    const QStringList palabras{"casa",       "Casa", "libros", "del",    "sin",   "embargo",
                               "l'eau",      "cœur", "dámelo", "xqzwv",  "Marta", "aujourd'hui",
                               "grand-mère", "über", "日本",   "fuimos", "al"};
    const QStringList separadores{" ",
                                  "  ",
                                  "\t",
                                  QString(QChar(0)),
                                  QString(QChar(0x1B)),
                                  "\n",
                                  "\r\n",
                                  ", ",
                                  ". ",
                                  "'",
                                  "-",
                                  "\u2019",
                                  "«",
                                  "»",
                                  "¿",
                                  "!",
                                  "12",
                                  " (",
                                  ") ",
                                  "…",
                                  "²",
                                  "½ "};
    QRandomGenerator azar(20261210);
    for (int direccion : {EspIng, FraEsp, IngEsp, PorEsp}) {
        for (int vuelta = 0; vuelta < 25; ++vuelta) {
            QString texto;
            const int n = 1 + static_cast<int>(azar.bounded(30));
            for (int i = 0; i < n; ++i) {
                if (azar.bounded(3) > 0) texto += palabras[azar.bounded(palabras.size())];
                texto += separadores[azar.bounded(separadores.size())];
            }
            traduccion::Buscador b(*dbDiccionario, direccion);
            const QList<traduccion::Buscador::Segmento> segmentos = b.Segmentar(texto);
            QString salida, esperado;
            qsizetype pos = 0;
            for (const auto& s : segmentos) {
                ASSERT_EQ(s.inicio, pos) << texto.toStdString();
                ASSERT_GT(s.largo, 0) << texto.toStdString();
                if (s.palabra) {
                    EXPECT_FALSE(s.traduccion.trimmed().isEmpty())
                        << texto.mid(s.inicio, s.largo).toStdString();
                    EXPECT_TRUE(std::any_of(texto.begin() + s.inicio, texto.begin() + s.inicio + s.largo,
                                            [](QChar c) { return c.isLetter(); }))
                        << texto.toStdString();
                    // A word never takes in a control character or a line break.
                    EXPECT_TRUE(std::none_of(texto.begin() + s.inicio, texto.begin() + s.inicio + s.largo,
                                             [](QChar c) { return c.category() == QChar::Other_Control; }))
                        << texto.mid(s.inicio, s.largo).toStdString();
                } else {
                    EXPECT_EQ(s.traduccion, texto.mid(s.inicio, s.largo));
                    // Every word is a word: none is left between words, untranslated.
                    EXPECT_TRUE(std::none_of(texto.begin() + s.inicio, texto.begin() + s.inicio + s.largo,
                                             [](QChar c) { return c.isLetter(); }))
                        << texto.mid(s.inicio, s.largo).toStdString() << " in " << texto.toStdString();
                }
                pos += s.largo;
                salida += s.traduccion;
            }
            EXPECT_EQ(pos, texto.size()) << texto.toStdString();
            EXPECT_EQ(b.TraducirTexto(texto), salida);
        }
    }
}

} // namespace
