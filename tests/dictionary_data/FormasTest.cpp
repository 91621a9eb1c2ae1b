// The forms of words through the real Apertium transducers the build copied into
// build/Morfologia, one direction after another.
#include "dictionary_data/Formas.h"
#include "platform/Transducer.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const QString kMorfologia = QStringLiteral(PALAVRIX_BUILD_DIR "/Morfologia");

// One analyser per direction for the whole program, as the program keeps them.
formas::Morfologia& Direccion(int d) {
    static std::array<std::unique_ptr<formas::Morfologia>, 6> m;
    auto& p = m[static_cast<size_t>(d)];
    if (!p) p = std::make_unique<formas::Morfologia>(kMorfologia, d);
    return *p;
}

QString Forma(int d, const QString& palabra) {
    const auto f = Direccion(d).Traducir(palabra);
    return f ? f->traduccion : QStringLiteral("<ninguna>");
}

} // namespace

TEST(Formas, EachDirectionPutsTheTranslationInTheFormOfTheWord) {
    for (int d = 0; d < 6; ++d)
        ASSERT_TRUE(Direccion(d).Disponible()) << "direction " << d;
    // Spanish to English: verbs, nouns, feminine forms filed under the masculine lemma, articles.
    EXPECT_EQ(Forma(0, "tiene"), "has");
    EXPECT_EQ(Forma(0, "casas"), "houses");
    EXPECT_EQ(Forma(0, "niñas"), "girls");
    EXPECT_EQ(Forma(0, "está"), "is");
    EXPECT_EQ(Forma(0, "los"), "the");
    EXPECT_EQ(Forma(0, "tendrá"), "will have");
    // "be" keeps its own persons: soy, es, son; fui, fue, fueron.
    EXPECT_EQ(Forma(0, "soy"), "am");
    EXPECT_EQ(Forma(0, "somos"), "are");
    EXPECT_EQ(Forma(0, "fui"), "was");
    EXPECT_EQ(Forma(0, "fueron"), "were");
    // English to Spanish: irregular past and plural; English gives no person, Spanish needs one.
    EXPECT_EQ(Forma(1, "went"), "fue");
    EXPECT_EQ(Forma(1, "children"), "niños");
    EXPECT_EQ(Forma(1, "were"), "fueron");
    EXPECT_EQ(Forma(1, "things"), "cosas");
    // Portuguese and French to Spanish, and Spanish to both.
    EXPECT_EQ(Forma(3, "é"), "es");
    EXPECT_EQ(Forma(3, "são"), "son");
    EXPECT_EQ(Forma(5, "sont"), "son");
    EXPECT_EQ(Forma(2, "libros"), "livros");
    EXPECT_EQ(Forma(4, "casas"), "maisons");
}

TEST(Formas, ContractionsTranslatePartByPartAndJoinWhereTheTargetJoins) {
    const auto del = Direccion(0).Traducir("del");
    ASSERT_TRUE(del);
    EXPECT_EQ(del->traduccion, "of the");
    EXPECT_EQ(del->partes, 2);
    EXPECT_EQ(del->pista, "contracción de «de» y «el»");
    // Into Spanish the post-generator makes "de el" one word again, also at the end of the text.
    EXPECT_EQ(Forma(3, "do"), "del");
    EXPECT_EQ(Forma(3, "ao"), "al");
    EXPECT_EQ(Forma(5, "au"), "al");
    EXPECT_EQ(Forma(5, "du"), "del");
    // And out of Spanish, where Portuguese and French join what Spanish keeps apart.
    EXPECT_EQ(Forma(2, "del"), "do");
    EXPECT_EQ(Forma(4, "al"), "au");
    // Clitics: the verb and its pronouns, with no internal name of Apertium's in sight.
    EXPECT_EQ(Forma(0, "dámelo"), "give me it");
    // A reflexive clitic English leaves unsaid does not cost the verb its translation.
    EXPECT_EQ(Forma(0, "utilizarse"), "use");
}

TEST(Formas, HalvesOfWordsTheApostropheCutAreReadAsTheWholeWord) {
    // English contractions reach the lookup in halves: "don" + "t", "it" + "s".
    EXPECT_EQ(Forma(1, "don"), "no") << "auxiliary do has no word of its own in Spanish; not comes first";
    EXPECT_EQ(Forma(1, "doesn"), "no");
    EXPECT_EQ(Forma(1, "s"), "es");
    // French elisions longer than one letter.
    EXPECT_EQ(Forma(5, "lorsqu"), "cuando");
    EXPECT_EQ(Forma(5, "jusqu"), "hasta");
    // A word that is already whole is not stretched into another.
    EXPECT_EQ(Forma(0, "xqzwv"), "<ninguna>");
}

TEST(Formas, CodesAndHintDescribeTheFormNotTheLemma) {
    const auto libros = Direccion(0).Traducir("libros");
    ASSERT_TRUE(libros);
    EXPECT_EQ(libros->lema, "libro");
    EXPECT_EQ(libros->traduccion, "books");
    EXPECT_EQ(libros->tipo, "n");
    EXPECT_EQ(libros->genero, "m");
    EXPECT_EQ(libros->numero, "p");
    EXPECT_EQ(libros->tipoT, "n");
    EXPECT_EQ(libros->numeroT, "p");
    EXPECT_EQ(libros->pista, "plural de «libro»");
    // A feminine form of a masculine headword says so; a feminine headword's plural does not.
    EXPECT_EQ(Direccion(0).Traducir("niñas")->pista, "femenino plural de «niño»");
    EXPECT_EQ(Direccion(0).Traducir("casas")->pista, "plural de «casa»");
    EXPECT_EQ(Direccion(0).Traducir("tiene")->pista, "presente de «tener»");
    // Gender and number only for nouns, articles and pronouns: a verb has none.
    const auto tiene = Direccion(0).Traducir("tiene");
    EXPECT_TRUE(tiene->genero.isEmpty());
    EXPECT_TRUE(tiene->numero.isEmpty());
    // Personal pronouns: Apertium's lemma is never shown.
    const auto yo = Direccion(0).Traducir("yo");
    ASSERT_TRUE(yo);
    EXPECT_EQ(yo->traduccion, "I");
    EXPECT_TRUE(yo->lema.isEmpty());
    EXPECT_EQ(yo->tipo, "pro");
    EXPECT_EQ(yo->pista, "pronombre personal");
}

TEST(Formas, WhenTheGeneratorCannotMakeTheFormTheLemmasTranslationStandsIn) {
    // English has no inflected comparative of "good" to match the analysis's tags.
    const auto better = Direccion(1).Traducir("better");
    ASSERT_TRUE(better);
    EXPECT_FALSE(better->generada);
    EXPECT_EQ(better->traduccion, better->lemaTraduccion);
    EXPECT_FALSE(better->traduccion.isEmpty());
    EXPECT_FALSE(formas::LemaInterno(better->traduccion));
}

TEST(Formas, UnknownWordsAndEmptyTextAreNotFound) {
    EXPECT_FALSE(Direccion(0).Traducir("xqzwv"));
    EXPECT_FALSE(Direccion(0).Traducir(""));
    EXPECT_FALSE(Direccion(0).Traducir("   "));
    // Characters the stream format reserves never reach lttoolbox unescaped.
    EXPECT_FALSE(Direccion(0).Traducir("^$/<>@*[]{}\\"));
    EXPECT_TRUE(Direccion(0).Traducir("libros")) << "the analyser must survive the line above";
}

TEST(Formas, ElidedWordsFoundWithoutTheirApostrophe) {
    // The translator splits "l'eau" at the apostrophe; "l" alone is the elided article.
    EXPECT_EQ(Forma(5, "l"), "el");
    EXPECT_EQ(Forma(5, "d"), "de");
}

TEST(Formas, ReadingsAreTriedInTheOrderOfTheirPartOfSpeech) {
    const QStringList la = Direccion(0).Lecturas("la");
    ASSERT_GE(la.size(), 2);
    EXPECT_TRUE(la.first().startsWith("el<det><def>")) << la.join(" | ").toStdString();
    const QStringList cosas = Direccion(0).Lecturas("cosas");
    ASSERT_GE(cosas.size(), 2);
    EXPECT_TRUE(cosas.first().startsWith("cosa<n>"));
    // A subjunctive is rarely what a reader met when the spelling is an adjective too.
    const QStringList mejores = Direccion(0).Lecturas("mejores");
    ASSERT_GE(mejores.size(), 2);
    EXPECT_TRUE(mejores.first().startsWith("mejor<adj>"));
    const QStringList found = Direccion(1).Lecturas("found");
    ASSERT_GE(found.size(), 2);
    EXPECT_TRUE(found.first().startsWith("find<vblex>")) << found.join(" | ").toStdString();
    EXPECT_LT(formas::Rango("el<det><def><f><sg>"), formas::Rango("prpers<prn><pro><p3><f><sg>"));
    EXPECT_LT(formas::Rango("prpers<prn><subj><p1><mf><sg>"), formas::Rango("I<num><mf><sg>"));
    EXPECT_LT(formas::Rango("ser<vbser><pri><p3><sg>"), formas::Rango("est<n><m><sg>"));
}

TEST(Formas, InternalLemmasAreRecognised) {
    for (const char* l : {"prpers", "Pole_person", "não_cumprimento", "casa<n>", "@casa", "get# up", ""})
        EXPECT_TRUE(formas::LemaInterno(QString::fromUtf8(l))) << l;
    for (const char* l : {"casa", "take off", "Nueva York", "l'eau", "arco iris"})
        EXPECT_FALSE(formas::LemaInterno(QString::fromUtf8(l))) << l;
}

TEST(Formas, AMissingTransducerLeavesTheDirectionUnavailableNotBroken) {
    formas::Morfologia m(QDir::tempPath() + "/no-existe-palavrix", 0);
    EXPECT_FALSE(m.Disponible());
    EXPECT_FALSE(m.Traducir("libros"));
    EXPECT_TRUE(m.Lecturas("libros").isEmpty());
    // A file that is not a transducer is refused, not loaded.
    EXPECT_EQ(lt::Transducer::Load(QStringLiteral(PALAVRIX_SOURCE_DIR "/README.md"), lt::Mode::Analysis),
              nullptr);
}

TEST(Formas, LoadingInTheBackgroundGivesTheSameAnswers) {
    formas::Morfologia m(kMorfologia, 5);
    m.Precargar();
    m.Precargar(); // a second call while the first runs changes nothing
    ASSERT_TRUE(m.Disponible());
    EXPECT_EQ(m.Traducir("sont")->traduccion, "son");
}

TEST(Transducer, StreamUnitsSplitIntoReadingsAndReservedCharactersAreEscaped) {
    EXPECT_EQ(lt::Readings("^casas/casa<n><f><pl>/casar<vblex><pri><p2><sg>$"),
              (QStringList{"casa<n><f><pl>", "casar<vblex><pri><p2><sg>"}));
    EXPECT_TRUE(lt::Readings("^xyz/*xyz$").isEmpty());
    EXPECT_TRUE(lt::Readings("no unit at all").isEmpty());
    // An escaped slash stays inside its reading.
    EXPECT_EQ(lt::Readings("^a/AC\\/DC<np>$"), (QStringList{"AC\\/DC<np>"}));
    EXPECT_EQ(lt::Escape("a/b<c>$"), "a\\/b\\<c\\>\\$");
    EXPECT_EQ(lt::Escape("dos\nlíneas"), "dos líneas");
}
