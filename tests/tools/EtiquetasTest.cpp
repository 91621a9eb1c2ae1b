// Tag mapping: from Apertium analyses to the codes the dictionary window decodes.
#include "dictionary_data/Etiquetas.h"

#include <gtest/gtest.h>

using namespace etiquetas;

TEST(Etiquetas, ReadsLemmaTagsQueueAndEscapes) {
    const Analisis casa = LeerAnalisis(QStringLiteral("casa<n><f>"));
    EXPECT_EQ(casa.lema, QStringLiteral("casa"));
    EXPECT_EQ(casa.etiquetas, QStringList({"n", "f"}));

    // Lemma-queue mark inside the lemma, or the queue after the tags (stream form).
    EXPECT_EQ(LeerAnalisis(QStringLiteral("set# off<vblex><sep>")).lema, QStringLiteral("set off"));
    const Analisis cola = LeerAnalisis(QStringLiteral("take<vblex># out"));
    EXPECT_EQ(cola.lema, QStringLiteral("take out"));
    EXPECT_EQ(cola.etiquetas, QStringList({"vblex"}));

    EXPECT_EQ(LeerAnalisis(QStringLiteral("AC\\/DC<np><al>")).lema, QStringLiteral("AC/DC"));
    EXPECT_TRUE(LeerAnalisis(QStringLiteral("<num>")).lema.isEmpty());
    EXPECT_TRUE(LeerAnalisis(QStringLiteral("word")).etiquetas.isEmpty());
}

TEST(Etiquetas, PartOfSpeechCodes) {
    const struct {
        QStringList etiquetas;
        const char* codigo;
    } casos[] = {
        {{"n", "f"}, "n"},
        {{"np", "loc"}, "n"},
        {{"vblex"}, "v"},
        {{"vbser"}, "v"},
        {{"vbhaver"}, "v"},
        {{"vbmod"}, "v"},
        {{"adj", "GD"}, "aj"},
        {{"adv"}, "av"},
        {{"det", "def", "f", "sg"}, "ar"},
        {{"det", "ind", "m", "sg"}, "ar"},
        {{"det", "dem", "m", "sg"}, ""},
        {{"det", "pos"}, ""},
        {{"pr"}, "pr"},
        {{"prn", "subj"}, "pro"},
        {{"cnjcoo"}, "cj"},
        {{"cnjsub"}, "cj"},
        {{"cnjadv"}, "cj"},
        {{"ij"}, "ij"},
        {{"num"}, ""},
        {{}, ""},
        // The part of speech is the first tag only.
        {{"f", "n"}, ""},
    };
    for (const auto& c : casos)
        EXPECT_EQ(CodigoTipo(c.etiquetas), QString::fromLatin1(c.codigo))
            << c.etiquetas.join(QLatin1Char(',')).toStdString();
}

TEST(Etiquetas, GenderAndNumberCodes) {
    EXPECT_EQ(CodigoGenero({"n", "m", "sg"}), QStringLiteral("m"));
    EXPECT_EQ(CodigoGenero({"n", "f"}), QStringLiteral("f"));
    EXPECT_EQ(CodigoGenero({"n", "nt"}), QStringLiteral("n"));
    EXPECT_EQ(CodigoGenero({"n", "mf"}), QString());
    EXPECT_EQ(CodigoGenero({"n", "GD"}), QString());
    EXPECT_EQ(CodigoGenero({"n"}), QString());

    EXPECT_EQ(CodigoNumero({"n", "f", "sg"}), QStringLiteral("s"));
    EXPECT_EQ(CodigoNumero({"n", "f", "pl"}), QStringLiteral("p"));
    EXPECT_EQ(CodigoNumero({"n", "f", "sp"}), QString());
    EXPECT_EQ(CodigoNumero({"n", "ND"}), QString());

    // Open gender or number sends the builder to the analyser; <sp> is a known answer.
    EXPECT_TRUE(GeneroAbierto({"n", "GD"}));
    EXPECT_TRUE(GeneroAbierto({"n", "mf"}));
    EXPECT_TRUE(GeneroAbierto({"n"}));
    EXPECT_FALSE(GeneroAbierto({"n", "f"}));
    EXPECT_TRUE(NumeroAbierto({"n", "f"}));
    EXPECT_TRUE(NumeroAbierto({"n", "ND"}));
    EXPECT_FALSE(NumeroAbierto({"n", "sp"}));

    EXPECT_TRUE(EsNombrePropio({"np", "loc"}));
    EXPECT_FALSE(EsNombrePropio({"n", "np"}));
}
