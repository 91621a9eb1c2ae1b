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

// A control character in a word would make the two words around it one lookup, and the second
// would be lost from the translation.
TEST(Traduccion, ATabNulAndTheOtherControlCharactersSeparateWords) {
    Diccionario d;
    EXPECT_EQ(d("casa\troja"), "house\tred");
    EXPECT_EQ(d(QString("casa") + QChar(0) + "roja"), "house" + QString(QChar(0)) + "red");
    EXPECT_EQ(d(QString("casa") + QChar(0x1B) + "roja" + QChar(0x7F) + "La"),
              "house" + QString(QChar(0x1B)) + "red" + QChar(0x7F) + "the");
    EXPECT_EQ(d("\tcasa"), "\thouse");
    EXPECT_EQ(d.buscadas, (QStringList{"casa", "roja", "casa", "roja", "casa", "roja", "La", "casa"}));
}

TEST(Traduccion, LettersTheCodePageKeepsAmongItsPunctuationSeparateExceptFrenchLigatures) {
    Diccionario d;
    EXPECT_EQ(d("cœur Œuvre"), "<cœur> <Œuvre>");
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
    // NUL and the other low controls part words like any separator.
    EXPECT_EQ(d(QString("a") + QChar(0) + "b"), "<a>" + QString(QChar(0)) + "<b>");
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

namespace {

// The word at every position of `texto`, "" where there is none.
QStringList EnCadaPosicion(const QString& texto) {
    QStringList r;
    for (qsizetype i = 0; i < texto.size(); ++i)
        r << traduccion::PalabraEn(texto, i).De(texto);
    return r;
}

} // namespace

TEST(PalabraEn, EveryPositionOfAWordGivesTheWordTheTranslatorLookedUpThereSeparatorsAndEdgesNone) {
    EXPECT_EQ(EnCadaPosicion("La casa, l'eau"), (QStringList{"La", "La", "", "casa", "casa", "casa", "casa",
                                                             "", "", "l", "", "eau", "eau", "eau"}));
    const traduccion::Tramo casa = traduccion::PalabraEn("La casa", 6);
    EXPECT_EQ(casa.inicio, 3);
    EXPECT_EQ(casa.largo, 4);
    for (const qsizetype fuera : {-1, 7, 1000})
        EXPECT_TRUE(traduccion::PalabraEn("La casa", fuera).Vacio()) << fuera;
    EXPECT_TRUE(traduccion::PalabraEn("", 0).Vacio());

    // Each word the translator looks up is replaced by a private-use character of its own (which
    // separates), so the text keeps its length and each position says which lookup covered it:
    // digits, inverted marks, underscores, emoji and arrows cut; tabs, accents (precomposed or
    // combining), other scripts and letters beyond the basic plane stay in the word.
    const QString texto = "¿Qué tal? 3 casas_rojas;\r\nnaïve\u2192καλή 日本 x😀y cafe\u0301 a\tb "
                          "\U0001D400\U0001D401";
    QStringList buscadas;
    const QString marcas = traduccion::Traducir(texto, [&](const QString& p) {
        buscadas << p;
        return QString(p.size(), QChar(char16_t(0xE000 + buscadas.size() - 1)));
    });
    ASSERT_EQ(marcas.size(), texto.size());
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const int k = marcas[i].unicode() - 0xE000;
        EXPECT_EQ(traduccion::PalabraEn(texto, i).De(texto), k >= 0 && k < buscadas.size() ? buscadas[k] : "")
            << i;
    }
}

TEST(PalabraEn, AnUnknownWordsAngleBracketsGiveTheWordWithoutThem) {
    EXPECT_EQ(EnCadaPosicion("<xyz>, <ab><c>"), (QStringList{"xyz", "xyz", "xyz", "xyz", "xyz", "", "", "ab",
                                                             "ab", "ab", "ab", "c", "c", "c"}));
    const traduccion::Tramo xyz = traduccion::PalabraEn("<xyz>", 4);
    EXPECT_EQ(xyz.inicio, 1);
    EXPECT_EQ(xyz.largo, 3);
    // Brackets that close no mark are plain separators.
    for (const QString texto : {"a < b", "a > b", "<>", "<abc", "abc>", "<a b>"})
        for (qsizetype i = 0; i < texto.size(); ++i) {
            if (texto[i] == '<' || texto[i] == '>') {
                EXPECT_TRUE(traduccion::PalabraEn(texto, i).Vacio()) << texto.toStdString() << i;
            }
        }
    EXPECT_EQ(EnCadaPosicion("<<a>>"), (QStringList{"", "a", "a", "a", ""}));
}

TEST(PalabraEn, EitherHalfOfAPairIsTheCharacterTheyMakeALoneHalfIsASeparator) {
    const QString negrita = "a\U0001D400b c"; // a mathematical bold A is a letter
    EXPECT_EQ(EnCadaPosicion(negrita), (QStringList(4, negrita.left(4)) << ""
                                                                        << "c"));
    EXPECT_EQ(EnCadaPosicion("x😀y"), (QStringList{"x", "", "", "y"}));
    EXPECT_EQ(EnCadaPosicion(QString("b") + QChar(char16_t(0xDC00)) + "c"), (QStringList{"b", "", "c"}));
}

TEST(DireccionDeCaja, TheTextInTheCurrentDirectionTheTranslationInTheOppositeOfItsPair) {
    using traduccion::Caja;
    QList<int> texto, salida;
    for (int d = -1; d <= 6; ++d) {
        texto << traduccion::DireccionDeCaja(d, Caja::Texto);
        salida << traduccion::DireccionDeCaja(d, Caja::Traduccion);
    }
    EXPECT_EQ(texto, (QList<int>{-1, 0, 1, 2, 3, 4, 5, -1}));
    EXPECT_EQ(salida, (QList<int>{-1, 1, 0, 3, 2, 5, 4, -1}));
}
