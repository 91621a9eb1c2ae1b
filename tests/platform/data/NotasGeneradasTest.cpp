// The RTF reader on real pandoc output: the notes the build generated.
#include "DocumentoRtf.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(RichText, ReadsPandocOutputOfTheEnglishNotes) {
    QFile f(QStringLiteral(PALAVRIX_BUILD_DIR "/Palavrix/PROPIEDADES/Prop7.RTF"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "the build generates the notes with pandoc";
    QTextDocument doc;
    Leer(f.readAll(), doc);
    const QString t = doc.toPlainText();
    EXPECT_TRUE(t.startsWith(QString::fromUtf8("El inglés para hispanohablantes")))
        << t.left(80).toStdString();
    EXPECT_TRUE(t.contains(QString::fromUtf8("1. El alfabeto y la pronunciación")));
    // No RTF syntax leaks into the text.
    EXPECT_FALSE(t.contains(QLatin1Char('\\')));
    EXPECT_FALSE(t.contains(QLatin1Char('{')));
    EXPECT_FALSE(t.contains(QStringLiteral("rtf")));
    // Headings are bold, larger and marked as headings; examples are bold or italic.
    const QTextCharFormat titulo = FormatoDe(doc, QString::fromUtf8("El inglés para hispanohablantes"));
    EXPECT_EQ(titulo.fontWeight(), QFont::Bold);
    EXPECT_GT(titulo.fontPointSize(), 14.0);
    EXPECT_EQ(BloqueDe(doc, QString::fromUtf8("El inglés para hispanohablantes")).headingLevel(), 1);
    EXPECT_EQ(FormatoDe(doc, "sheep").fontWeight(), QFont::Bold);
    EXPECT_TRUE(FormatoDe(doc, "oveja").fontItalic());
    // Lists: bullet, tab, text, with a hanging indent.
    const QTextCursor item = doc.find(QString::fromUtf8("\u2022\tLa h inicial"));
    EXPECT_FALSE(item.isNull());
    EXPECT_GT(item.blockFormat().leftMargin(), 0.0);
    EXPECT_LT(item.blockFormat().textIndent(), 0.0);
    // Its tables, with the letters of the alphabet.
    const auto tablas = Tablas(doc);
    EXPECT_GE(tablas.size(), 5u);
    ASSERT_FALSE(tablas.empty());
    EXPECT_EQ(tablas[0]->columns(), 4);
    EXPECT_EQ(tablas[0]->rows(), 14);
    EXPECT_EQ(TextoCelda(tablas[0], 1, 0), "A");
    EXPECT_EQ(TextoCelda(tablas[0], 13, 2), "Z");
    EXPECT_GT(t.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts).size(), 1500);
}
