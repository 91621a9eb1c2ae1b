#include "platform/TextFold.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

TEST(TextFold, SearchKeyDropsCaseAndAccentsFoldCaseOnlyCase) {
    EXPECT_EQ(textfold::SearchKey("Árbol"), "arbol");
    EXPECT_EQ(textfold::SearchKey("CŒUR"), textfold::SearchKey("cœur"));
    EXPECT_EQ(textfold::SearchKey("ñandú"), "nandu");
    EXPECT_EQ(textfold::FoldCase("ÁRBOL"), "árbol");
    EXPECT_NE(textfold::FoldCase("papa"), textfold::FoldCase("papá"));
}

TEST(TextFold, OrderKeepsAccentedWordsBesideTheirPlainNeighbours) {
    QStringList words{"arbolado", "zorro", "árbol", "Arbol", "abeja"};
    std::sort(words.begin(), words.end(),
              [](const QString& a, const QString& b) { return textfold::Compare(a, b) < 0; });
    EXPECT_EQ(words, (QStringList{"abeja", "Arbol", "árbol", "arbolado", "zorro"}));
    EXPECT_EQ(textfold::Compare("CASA", "casa"), 0);
    EXPECT_NE(textfold::Compare("papa", "papá"), 0);
}

TEST(TextFold, Utf8ComparisonAgreesWithTheTextOne) {
    const QStringList samples{"a",     "B",  "ábaco", "Zorro", "été", "ÉTÉ",    "日本",    "éa",
                              "eb",    "",   "Ñandú", "ñu",    "nu",  "straße", "STRASSE", "cœur",
                              "Œuvre", "ça", "Ça",    "ca",    "ŉ",   "Ǆ",      "ǆ",       "e\u0301"};
    for (const auto& a : samples)
        for (const auto& b : samples) {
            const QByteArray x = a.toUtf8(), y = b.toUtf8();
            const int r1 = textfold::CompareUtf8(x.constData(), x.size(), y.constData(), y.size());
            const int r2 = textfold::Compare(a, b);
            EXPECT_EQ(r1 < 0, r2 < 0) << a.toStdString() << " " << b.toStdString();
            EXPECT_EQ(r1 == 0, r2 == 0) << a.toStdString() << " " << b.toStdString();
        }
}
