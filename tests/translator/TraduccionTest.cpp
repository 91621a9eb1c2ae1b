#include "translator/Traduccion.h"

#include <QHash>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Translates with a dictionary of a few words, recording every lookup.
struct Diccionario {
    QStringList buscadas;
    QString operator()(const QString& texto) {
        return traduccion::Traducir(texto, [this](const QString& p) {
            buscadas << p;
            static const QHash<QString, QString> d{{"La", "the"}, {"casa", "house"}, {"roja", "red"},
                                                   {"l", "le"},   {"eau", "water"},  {"qué", "what"}};
            return d.contains(p) ? d[p] : "<" + p + ">";
        });
    }
};

} // namespace

TEST(Traduccion, TheWorkedExampleKeepsEverySeparatorInPlace) {
    Diccionario d;
    EXPECT_EQ(d("La casa, roja.\r\n"), "the house, red.\r\n");
    EXPECT_EQ(d.buscadas, (QStringList{"La", "casa", "roja"}));
}

TEST(Traduccion, SeparatorsOnlyAndEmptyTextNeedNoLookup) {
    Diccionario d;
    EXPECT_EQ(d(""), "");
    EXPECT_EQ(d("  ,.;:!? 123 456\r\n-@"), "  ,.;:!? 123 456\r\n-@");
    EXPECT_TRUE(d.buscadas.isEmpty());
}

TEST(Traduccion, DigitsApostrophesUnderscoresAndBracketsSplitWordsTheGraveAccentDoesNot) {
    Diccionario d;
    EXPECT_EQ(d("abc123def"), "<abc>123<def>");
    EXPECT_EQ(d("l'eau"), "le'water");
    EXPECT_EQ(d("a_b[c]d"), "<a>_<b>[<c>]<d>");
    EXPECT_EQ(d("a`b"), "<a`b>");
    EXPECT_EQ(d.buscadas, (QStringList{"abc", "def", "l", "eau", "a", "b", "c", "d", "a`b"}));
}

TEST(Traduccion, AccentedLettersStayInWordsInvertedMarksSeparate) {
    Diccionario d;
    EXPECT_EQ(d("acción über"), "<acción> <über>");
    EXPECT_EQ(d("¿qué?"), "¿what?");
    EXPECT_EQ(d("¡Hola!"), "¡<Hola>!");
}

TEST(Traduccion, ATabJoinsTwoWordsIntoOneLookup) {
    Diccionario d;
    EXPECT_EQ(d("casa\troja"), "<casa\troja>");
    EXPECT_EQ(d.buscadas, QStringList{"casa\troja"});
}

TEST(Traduccion, LettersTheCodePageKeepsAmongItsPunctuationSeparate) {
    Diccionario d;
    EXPECT_EQ(d("cœur"), "<c>œ<ur>");
    EXPECT_EQ(d("Šx"), "Š<x>");
    EXPECT_EQ(d("«casa»"), "«house»");
    EXPECT_EQ(d("casa—roja…"), "house—red…");
    EXPECT_EQ(traduccion::CodigoCp1252(U'€'), 0x80);
    EXPECT_EQ(traduccion::CodigoCp1252(U'Ÿ'), 0x9F);
    EXPECT_EQ(traduccion::CodigoCp1252(U'ω'), -1);
}

TEST(Traduccion, CharactersOutsideTheCodePageJoinWhenLettersOrMarksAndSplitOtherwise) {
    Diccionario d;
    EXPECT_EQ(d("σοφία"), "<σοφία>");           // Greek letters: one word
    EXPECT_EQ(d("日本語です"), "<日本語です>"); // CJK and kana: one word
    EXPECT_EQ(d("cafe\u0301"), "<cafe\u0301>"); // a combining accent stays with its letter
    EXPECT_EQ(d("casa😀roja"), "house😀red");     // an emoji separates, and stays whole
    EXPECT_EQ(d("a\u2192b"), "<a>\u2192<b>");   // an arrow symbol separates
    // NUL and the other low controls belong to words, as the code page's table says.
    EXPECT_EQ(d(QString("a") + QChar(0) + "b"), "<a" + QString(QChar(0)) + "b>");
}

TEST(Traduccion, TheLastWordIsTranslatedAndLinesAreKept) {
    Diccionario d;
    EXPECT_EQ(d("casa\nroja\r\nLa"), "house\nred\r\nthe");
}

TEST(Traduccion, TextsLongerThanSixteenBitsAreTranslatedInFull) {
    QString largo;
    while (largo.size() < 100000)
        largo += "casa roja, ";
    Diccionario d;
    const QString salida = d(largo + "La");
    EXPECT_TRUE(salida.endsWith("red, the"));
    EXPECT_EQ(d.buscadas.size(), 2 * (largo.size() / 11) + 1);
}

TEST(Traduccion, TheTranslationKeepsTheCapitalisationOfTheWord) {
    using traduccion::ConservarMayusculas;
    EXPECT_EQ(ConservarMayusculas("Casa", "house"), "House");
    EXPECT_EQ(ConservarMayusculas("CASA", "house"), "HOUSE");
    EXPECT_EQ(ConservarMayusculas("casa", "house"), "house");
    // Stored capitals are never taken away: a lower-case word takes the translation as stored.
    EXPECT_EQ(ConservarMayusculas("españa", "Spain"), "Spain");
    // One capital letter is a capitalised word, not a word in capitals.
    EXPECT_EQ(ConservarMayusculas("I", "yo"), "Yo");
    EXPECT_EQ(ConservarMayusculas("ÁRBOL", "tree"), "TREE");
    EXPECT_EQ(ConservarMayusculas("Árbol", "árbol"), "Árbol");
    EXPECT_EQ(ConservarMayusculas("Del", "of the"), "Of the");
    EXPECT_EQ(ConservarMayusculas("Xy", ""), "");
    EXPECT_EQ(ConservarMayusculas("", "house"), "house");
}
