// The tagger's pick for a word alone: the output line reader, and the real programs on the
// Spanish model the build uses.
#include "Etiquetador.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace generador;

TEST(Etiquetador, ReadsOneWordSentences) {
    QString forma, etiqueta;
    ASSERT_TRUE(LeerEtiquetada(QStringLiteral("^bien/bien<adv>$^./.<sent>$"), forma, etiqueta));
    EXPECT_EQ(forma, QStringLiteral("bien"));
    EXPECT_EQ(etiqueta, QStringLiteral("adv"));
    ASSERT_TRUE(LeerEtiquetada(QStringLiteral("^Who/who<prn><itg><m><sp>$^./.<sent>$\n"), forma, etiqueta));
    EXPECT_EQ(forma, QStringLiteral("Who"));
    EXPECT_EQ(etiqueta, QStringLiteral("prn"));
    // Unknown words, joined words and lines of several words say nothing.
    EXPECT_FALSE(LeerEtiquetada(QStringLiteral("^xyzzy/*xyzzy$^./.<sent>$"), forma, etiqueta));
    EXPECT_FALSE(
        LeerEtiquetada(QStringLiteral("^del/de<pr>+el<det><def><m><sg>$^./.<sent>$"), forma, etiqueta));
    EXPECT_FALSE(
        LeerEtiquetada(QStringLiteral("^a/a<pr>$^casa/casa<n><f><sg>$^./.<sent>$"), forma, etiqueta));
    EXPECT_FALSE(LeerEtiquetada(QStringLiteral(""), forma, etiqueta));
}

TEST(Etiquetador, PicksTheUsualPartOfSpeech) {
    const QString carpeta = QStringLiteral("/usr/share/apertium/apertium-eng-spa");
    if (!QFileInfo::exists(carpeta + QStringLiteral("/spa-eng.prob")))
        GTEST_SKIP() << "apertium-eng-spa is not installed";
    QString aviso;
    const auto picks = Etiquetar(
        {QStringLiteral("bien"), QStringLiteral("ser"), QStringLiteral("la"), QStringLiteral("que"),
         QStringLiteral("a través de"), QStringLiteral("x.y")},
        carpeta + QStringLiteral("/spa-eng.automorf.bin"), carpeta + QStringLiteral("/spa-eng.prob"), &aviso);
    EXPECT_TRUE(aviso.isEmpty()) << aviso.toStdString();
    EXPECT_EQ(picks.value(QStringLiteral("bien")), QStringLiteral("adv"));
    EXPECT_EQ(picks.value(QStringLiteral("ser")), QStringLiteral("vbser"));
    EXPECT_EQ(picks.value(QStringLiteral("la")), QStringLiteral("det"));
    EXPECT_EQ(picks.value(QStringLiteral("que")), QStringLiteral("cnjsub"));
    // Not asked: several words, or characters of the stream format.
    EXPECT_FALSE(picks.contains(QStringLiteral("a través de")));
    EXPECT_FALSE(picks.contains(QStringLiteral("x.y")));

    // Without its model the ranking does without, and says why.
    const auto nada = Etiquetar({QStringLiteral("bien")}, carpeta + QStringLiteral("/spa-eng.automorf.bin"),
                                QStringLiteral("/nonexistent/spa-eng.prob"), &aviso);
    EXPECT_TRUE(nada.isEmpty());
    EXPECT_FALSE(aviso.isEmpty());
}
