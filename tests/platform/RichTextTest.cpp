// The RTF reader: character and paragraph formats, code pages and Unicode, special characters,
// lists, tables, pictures, skipped destinations and damaged input.
#include "platform/RichText.h"
#include "DocumentoRtf.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QVariant>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// A real PNG of w x h pixels in one colour, as hex digits for \pict.
QByteArray PngHex(int w, int h, QColor color) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(color);
    QByteArray png;
    QBuffer b(&png);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "PNG");
    return png.toHex();
}

quint32 Crc32(const QByteArray& datos) {
    quint32 c = 0xFFFFFFFFu;
    for (const char ch : datos) {
        c ^= static_cast<unsigned char>(ch);
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return c ^ 0xFFFFFFFFu;
}

std::vector<QTextImageFormat> Imagenes(const QTextDocument& doc) {
    std::vector<QTextImageFormat> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                out.push_back(it.fragment().charFormat().toImageFormat());
    return out;
}

} // namespace

TEST(RichText, RecognisesRtfAndRefusesAnythingElse) {
    EXPECT_TRUE(richtext::IsRtf("{\\rtf1 x}"));
    EXPECT_TRUE(richtext::IsRtf("\xEF\xBB\xBF \r\n{\\rtf1 x}"));
    EXPECT_FALSE(richtext::IsRtf("<html>{\\rtf1}"));
    EXPECT_FALSE(richtext::IsRtf(""));
    EXPECT_FALSE(richtext::IsRtf("{\\rt"));

    QTextDocument doc;
    doc.setPlainText("contenido anterior");
    QString error;
    EXPECT_FALSE(richtext::ReadRtf("Hola, esto es texto plano.", doc, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(doc.isEmpty()) << "a refused document leaves nothing of the old content";
    EXPECT_FALSE(richtext::ReadRtf("Hola", doc, nullptr)); // no error slot: still refused, no crash
}

TEST(RichText, CharacterFormatsFollowControlWordsAndGroups) {
    QTextDocument doc;
    Leer("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
         "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}"
         "normal {\\b negrita} {\\i cursiva} {\\ul subrayado\\ulnone  sinraya} {\\cf1 rojo} "
         "{\\fs40 grande} {\\f1 romana} {\\highlight2 fondo} {\\strike tachado} x{\\super 2} H{\\sub 2}O "
         "\\b encendido\\b0  apagado \\i\\ul ambas\\plain  llano\\par}",
         doc);
    EXPECT_EQ(doc.toPlainText(), "normal negrita cursiva subrayado sinraya rojo grande romana fondo tachado "
                                 "x2 H2O encendido apagado ambas llano");

    const QTextCharFormat normal = FormatoDe(doc, "normal");
    EXPECT_EQ(normal.fontWeight(), QFont::Normal);
    EXPECT_FALSE(normal.fontItalic());
    EXPECT_EQ(normal.foreground().style(), Qt::NoBrush) << "automatic colour leaves the view's own colour";
    EXPECT_DOUBLE_EQ(normal.fontPointSize(), 12.0) << "the default size is \\fs24";
    EXPECT_EQ(normal.fontFamilies().toStringList(), QStringList{"Arial"});

    EXPECT_EQ(FormatoDe(doc, "negrita").fontWeight(), QFont::Bold);
    EXPECT_TRUE(FormatoDe(doc, "cursiva").fontItalic());
    EXPECT_TRUE(FormatoDe(doc, "subrayado").fontUnderline());
    EXPECT_FALSE(FormatoDe(doc, "sinraya").fontUnderline());
    EXPECT_EQ(FormatoDe(doc, "rojo").foreground().color(), QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(FormatoDe(doc, "grande").fontPointSize(), 20.0);
    EXPECT_EQ(FormatoDe(doc, "romana").fontFamilies().toStringList(), QStringList{"Times New Roman"});
    EXPECT_EQ(FormatoDe(doc, "romana").fontStyleHint(), QFont::Serif);
    EXPECT_EQ(FormatoDe(doc, "fondo").background().color(), QColor(0, 128, 255));
    EXPECT_TRUE(FormatoDe(doc, "tachado").fontStrikeOut());
    EXPECT_EQ(FormatoDe(doc, "x2").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(FormatoDe(doc, "H2").verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(FormatoDe(doc, "2O").verticalAlignment(), QTextCharFormat::AlignNormal)
        << "the group ended the subscript";

    // Toggles with and without a parameter, and \plain resetting everything.
    EXPECT_EQ(FormatoDe(doc, "encendido").fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatoDe(doc, "apagado").fontWeight(), QFont::Normal);
    EXPECT_TRUE(FormatoDe(doc, "ambas").fontItalic());
    EXPECT_TRUE(FormatoDe(doc, "ambas").fontUnderline());
    EXPECT_FALSE(FormatoDe(doc, "llano").fontItalic());
    EXPECT_FALSE(FormatoDe(doc, "llano").fontUnderline());
}

TEST(RichText, ParagraphsCarryAlignmentIndentsSpacingAndHeadings) {
    QTextDocument doc;
    Leer("{\\rtf1\\ansi "
         "\\pard\\qc centrado\\par"
         "\\pard\\qr derecha\\par"
         "\\pard\\qj justificado\\par"
         "\\pard\\li720\\ri360\\fi-360\\sb150\\sa300 sangrado\\par"
         "{\\pard \\ql \\outlinelevel1 \\b titulo\\par}"
         "\\pard izquierda\\par}",
         doc);
    EXPECT_EQ(doc.blockCount(), 6);
    EXPECT_EQ(BloqueDe(doc, "centrado").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(BloqueDe(doc, "derecha").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(BloqueDe(doc, "justificado").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    const QTextBlockFormat s = BloqueDe(doc, "sangrado");
    EXPECT_DOUBLE_EQ(s.leftMargin(), 48.0); // 720 twips at 15 a pixel
    EXPECT_DOUBLE_EQ(s.rightMargin(), 24.0);
    EXPECT_DOUBLE_EQ(s.textIndent(), -24.0);
    EXPECT_DOUBLE_EQ(s.topMargin(), 10.0);
    EXPECT_DOUBLE_EQ(s.bottomMargin(), 20.0);
    EXPECT_EQ(BloqueDe(doc, "titulo").headingLevel(), 2);
    // \pard starts over: nothing of the indented paragraph is left.
    const QTextBlockFormat l = BloqueDe(doc, "izquierda");
    EXPECT_EQ(l.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_DOUBLE_EQ(l.leftMargin(), 0.0);
    EXPECT_EQ(l.headingLevel(), 0);

    // A hanging indent never starts the first line left of the page.
    QTextDocument otro;
    Leer("{\\rtf1 \\li100\\fi-900 x\\par}", otro);
    EXPECT_GE(otro.begin().blockFormat().textIndent() + otro.begin().blockFormat().leftMargin(), 0.0);
}

TEST(RichText, BreaksTabsAndSpecialCharacters) {
    const QString t = Texto("{\\rtf1 a\\tab b\\line c\\~d\\-e\\_f \\\\ \\{ \\} \\bullet \\emdash \\endash "
                            "\\lquote x\\rquote  \\ldblquote y\\rdblquote\\par segunda\\par}");
    // \line stays inside its paragraph; toPlainText shows it as a line break (and the hard
    // space as a space). The space after a control word is its delimiter, not text.
    EXPECT_EQ(t,
              QString::fromUtf8(
                  "a\tb\nc d\u00ade\u2011f \\ { } \u2022\u2014\u2013\u2018x\u2019 \u201cy\u201d\nsegunda"));
    QTextDocument duro;
    Leer("{\\rtf1 c\\~d}", duro);
    EXPECT_EQ(duro.toRawText(), QString::fromUtf8("c\u00a0d"));
    QTextDocument doc;
    Leer("{\\rtf1 uno\\line dos\\par}", doc);
    EXPECT_EQ(doc.blockCount(), 1);
    EXPECT_TRUE(doc.begin().text().contains(QChar::LineSeparator));
    // Raw line ends in the file are not text; a backslash before one is a paragraph end.
    EXPECT_EQ(Texto("{\\rtf1 uno\r\ndos\\\ntres}"), "unodos\ntres");
}

TEST(RichText, CodePageBytesAndUnicodeEscapes) {
    // Code page 1252, including the bytes that differ from Latin-1.
    EXPECT_EQ(Texto("{\\rtf1\\ansi\\ansicpg1252 Espa\\'f1a \\'80 \\'93hola\\'94 \\'85 ma\\'f1ana\\par}"),
              QString::fromUtf8("España € “hola” … mañana"));
    // Raw 8-bit bytes in the file are read in the same code page.
    EXPECT_EQ(Texto("{\\rtf1\\ansi caf\xe9}"), QString::fromUtf8("café"));
    // Another code page, for the document and for one font by its character set.
    EXPECT_EQ(Texto("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}"),
              QString::fromUtf8("Привет"));
    EXPECT_EQ(Texto("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 Greek;}}\\f1 \\'e1\\f0 \\'e1}"),
              QString::fromUtf8("αá"));
    // A multi-byte code page takes its bytes in pairs.
    EXPECT_EQ(Texto("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 Mincho;}}\\f0 \\'82\\'a0}"),
              QString::fromUtf8("あ"));
    // A code page nobody knows is read as 1252 rather than dropped.
    EXPECT_EQ(Texto("{\\rtf1\\ansi\\ansicpg99999 \\'e9}"), QString::fromUtf8("é"));
    EXPECT_EQ(richtext::Cp1252(0x80), QChar(0x20AC));
    EXPECT_EQ(richtext::Cp1252(0x81), QChar(0x81));
    EXPECT_EQ(richtext::Cp1252(0xE9), QChar(0xE9));

    // \uN, negative values, surrogate pairs; a lone half becomes U+FFFD.
    EXPECT_EQ(Texto("{\\rtf1 T\\u237?tulo \\u-3913?\\u8212- \\u55357?\\u56832?}"),
              QString::fromUtf8("Título •— 😀"));
    EXPECT_EQ(Texto("{\\rtf1 a\\u55357?b}"), QString::fromUtf8("a\uFFFDb"));
}

TEST(RichText, UnicodeFallbackIsSkippedByTheUcCount) {
    // Default \uc1: one fallback character.
    EXPECT_EQ(Texto("{\\rtf1 \\u8364?X}"), QString::fromUtf8("€X"));
    // \uc2: two, whether raw characters or \'hh escapes.
    EXPECT_EQ(Texto("{\\rtf1\\uc2 \\u8364\\'80\\'80X}"), QString::fromUtf8("€X"));
    EXPECT_EQ(Texto("{\\rtf1\\uc2 \\u8364 EUX}"), QString::fromUtf8("€X"));
    // \uc0: nothing skipped.
    EXPECT_EQ(Texto("{\\rtf1\\uc0 \\u8364 X}"), QString::fromUtf8("€X"));
    // The count belongs to the group.
    EXPECT_EQ(Texto("{\\rtf1 {\\uc3 \\u8364 abcX}\\u8364?Y}"), QString::fromUtf8("€X€Y"));
    // A group brace ends the fallback early.
    EXPECT_EQ(Texto("{\\rtf1\\uc4 \\u8364 a}"), QString::fromUtf8("€"));
    EXPECT_EQ(Texto("{\\rtf1\\uc3 {\\u8364 a}b}"), QString::fromUtf8("€b"));
}

TEST(RichText, ListTextIsShownAndUnknownDestinationsAreSkipped) {
    EXPECT_EQ(Texto("{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}"
                    "{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}uno\\par"
                    "{\\listtext\\pard\\plain 2.\\tab}dos\\par}"),
              QString::fromUtf8("•\tuno\n2.\tdos"));

    EXPECT_EQ(Texto("{\\rtf1 a{\\*\\desconocido {\\b no}se ve}b"
                    "{\\info{\\title T}{\\author A}}{\\stylesheet{\\s1 Normal;}}"
                    "{\\header cabecera}{\\footer pie}{\\footnote nota}"
                    "{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt enlace}}"
                    "{\\*\\bkmkstart marca}c\\v oculto\\v0 d"
                    "{\\nonshppict{\\pict\\wmetafile8 00}}"
                    "\\palabradesconocida e\\par}"),
              "abenlacecde");
    // Skipped groups keep their \bin data from being read as text.
    EXPECT_EQ(Texto("{\\rtf1 a{\\*\\datos\\bin4 }}{}}b}"), "ab");
    EXPECT_EQ(Texto("{\\rtf1 a\\bin3 {}}b}"), "ab");
}

TEST(RichText, TablesBecomeQTextTables) {
    QTextDocument doc;
    Leer("{\\rtf1\\ansi antes\\par"
         "\\trowd\\cellx2000\\cellx6000\\pard\\intbl A1\\cell {\\b B1}\\par segunda\\cell\\row"
         "\\trowd\\cellx2000\\cellx6000\\pard\\intbl\\qc A2\\cell B2\\cell\\row"
         "\\pard despu\\'e9s\\par}",
         doc);
    const auto tablas = Tablas(doc);
    ASSERT_EQ(tablas.size(), 1u);
    QTextTable* t = tablas[0];
    EXPECT_EQ(t->rows(), 2);
    EXPECT_EQ(t->columns(), 2);
    EXPECT_EQ(TextoCelda(t, 0, 0), "A1");
    EXPECT_EQ(TextoCelda(t, 0, 1), "B1\nsegunda");
    EXPECT_EQ(TextoCelda(t, 1, 0), "A2");
    EXPECT_EQ(TextoCelda(t, 1, 1), "B2");
    EXPECT_EQ(FormatoDe(doc, "B1").fontWeight(), QFont::Bold);
    EXPECT_EQ(BloqueDe(doc, "A2").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    // Column widths keep the proportions of the cell boundaries (2000 and 4000 twips).
    const auto anchos = t->format().columnWidthConstraints();
    ASSERT_EQ(anchos.size(), 2);
    EXPECT_NEAR(anchos[0].rawValue(), 100.0 / 3, 0.01);
    EXPECT_NEAR(anchos[1].rawValue(), 200.0 / 3, 0.01);
    // Text before and after stays outside the table.
    EXPECT_EQ(doc.begin().text(), "antes");
    EXPECT_EQ(doc.lastBlock().text(), QString::fromUtf8("después"));
    EXPECT_EQ(doc.lastBlock().blockFormat().leftMargin(), 0.0);

    // pandoc's layout: every cell a group with a paragraph inside, every row a group.
    QTextDocument p;
    Leer("{\\rtf1\\ansi{\n\\trowd \\trgaph120\n\\cellx4320\\cellx8640\n\\trkeep\\intbl\n{\n"
         "{{\\pard\\intbl \\ql \\f0 \\sa0 \\li0 \\fi0 Col A\\par}\n\\cell}\n"
         "{{\\pard\\intbl \\ql \\f0 \\sa0 \\li0 \\fi0 Col B\\par}\n\\cell}\n}\n\\intbl\\row}\n"
         "{\n\\trowd \\trgaph120\n\\cellx4320\\cellx8640\n\\trkeep\\intbl\n{\n"
         "{{\\pard\\intbl \\ql \\f0 \\sa0 \\li0 \\fi0 \\u225?\\par}\n\\cell}\n"
         "{{\\pard\\intbl \\ql \\f0 \\sa0 \\li0 \\fi0 \\u233?\\par}\n\\cell}\n}\n\\intbl\\row}\n"
         "{\\pard \\ql \\f0 \\sa180 \\li0 \\fi0 fin\\par}}",
         p);
    const auto tp = Tablas(p);
    ASSERT_EQ(tp.size(), 1u);
    EXPECT_EQ(tp[0]->rows(), 2);
    EXPECT_EQ(tp[0]->columns(), 2);
    EXPECT_EQ(TextoCelda(tp[0], 0, 1), "Col B");
    EXPECT_EQ(TextoCelda(tp[0], 1, 0), QString::fromUtf8("á"));
    EXPECT_EQ(p.lastBlock().text(), "fin");

    // Rows of different widths widen the table; a row cut short still shows its cells.
    QTextDocument r;
    Leer("{\\rtf1 \\intbl a\\cell\\row\\intbl b\\cell c\\cell d\\cell\\row\\intbl e\\cell f", r);
    const auto tr = Tablas(r);
    ASSERT_EQ(tr.size(), 1u);
    EXPECT_EQ(tr[0]->columns(), 3);
    EXPECT_EQ(tr[0]->rows(), 3);
    EXPECT_EQ(TextoCelda(tr[0], 1, 2), "d");
    EXPECT_EQ(TextoCelda(tr[0], 2, 1), "f");
}

TEST(RichText, LongTablesAndManyTablesStayWithinTheirLimits) {
    // One long table stays one table up to its row limit, then goes on as a second one.
    QByteArray largo = "{\\rtf1 ";
    for (int k = 0; k < richtext::kMaxRowsPerTable + 10; ++k)
        largo += "\\trowd\\cellx1000\\cellx2000\\intbl f" + QByteArray::number(k) + "\\cell x\\cell\\row\n";
    largo += "\\pard fin\\par}";
    QTextDocument doc;
    Leer(largo, doc);
    auto tablas = Tablas(doc);
    ASSERT_EQ(tablas.size(), 2u);
    EXPECT_EQ(tablas[0]->rows(), richtext::kMaxRowsPerTable);
    EXPECT_EQ(tablas[1]->rows(), 10);
    EXPECT_EQ(TextoCelda(tablas[1], 9, 0), QString("f%1").arg(richtext::kMaxRowsPerTable + 9));
    EXPECT_EQ(doc.lastBlock().text(), "fin");

    // Cells beyond the column limit join the last column.
    QByteArray ancho = "{\\rtf1 \\intbl ";
    for (int k = 0; k < richtext::kMaxColumns + 2; ++k)
        ancho += "c" + QByteArray::number(k) + "\\cell ";
    ancho += "\\row}";
    QTextDocument a;
    Leer(ancho, a);
    tablas = Tablas(a);
    ASSERT_EQ(tablas.size(), 1u);
    EXPECT_EQ(tablas[0]->columns(), richtext::kMaxColumns);
    EXPECT_EQ(TextoCelda(tablas[0], 0, richtext::kMaxColumns - 1), QString("c%1\nc%2\nc%3")
                                                                       .arg(richtext::kMaxColumns - 1)
                                                                       .arg(richtext::kMaxColumns)
                                                                       .arg(richtext::kMaxColumns + 1));

    // Past the table limit, rows read as paragraphs with tab-separated cells.
    QByteArray muchas = "{\\rtf1 ";
    for (int k = 0; k < richtext::kMaxTables + 3; ++k)
        muchas += "\\intbl a" + QByteArray::number(k) + "\\cell b\\cell\\row\\pard p\\par\n";
    muchas += "}";
    QTextDocument m;
    Leer(muchas, m);
    EXPECT_EQ(Tablas(m).size(), static_cast<size_t>(richtext::kMaxTables));
    EXPECT_FALSE(m.find(QString("a%1\tb").arg(richtext::kMaxTables + 2)).isNull());
    EXPECT_TRUE(m.find(QString("a%1\tb").arg(richtext::kMaxTables - 1)).isNull()) << "still a real table";
}

TEST(RichText, PngAndJpegPicturesAreEmbeddedAtTheirGoalSize) {
    const QByteArray png = PngHex(4, 2, QColor(200, 30, 40));
    QTextDocument doc;
    Leer("{\\rtf1 antes {\\pict\\pngblip\\picw4\\pich2\\picwgoal1200\\pichgoal600\n" + png +
             "\n} despu\\'e9s}",
         doc);
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("antes \uFFFC después"));
    auto imgs = Imagenes(doc);
    ASSERT_EQ(imgs.size(), 1u);
    EXPECT_DOUBLE_EQ(imgs[0].width(), 80.0); // 1200 twips
    EXPECT_DOUBLE_EQ(imgs[0].height(), 40.0);
    const QImage img = doc.resource(QTextDocument::ImageResource, QUrl(imgs[0].name())).value<QImage>();
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), QSize(4, 2));
    EXPECT_EQ(QColor(img.pixel(1, 1)), QColor(200, 30, 40));

    // Without goal sizes the picture keeps its pixels, scaled by \picscalex/y.
    QTextDocument esc;
    Leer("{\\rtf1 {\\pict\\pngblip\\picscalex50\\picscaley200 " + png + "}}", esc);
    imgs = Imagenes(esc);
    ASSERT_EQ(imgs.size(), 1u);
    EXPECT_DOUBLE_EQ(imgs[0].width(), 2.0);
    EXPECT_DOUBLE_EQ(imgs[0].height(), 4.0);

    // JPEG, with the picture inside Word's \shppict (and its metafile twin skipped).
    QImage j(3, 3, QImage::Format_RGB32);
    j.fill(Qt::white);
    QByteArray jpg;
    QBuffer b(&jpg);
    b.open(QIODevice::WriteOnly);
    j.save(&b, "JPEG");
    QTextDocument word;
    Leer("{\\rtf1 x{\\*\\shppict{\\pict{\\*\\picprop}\\jpegblip " + jpg.toHex() +
             "}}{\\nonshppict{\\pict\\wmetafile8 0102}}y}",
         word);
    EXPECT_EQ(Imagenes(word).size(), 1u);
    EXPECT_EQ(word.toPlainText(), QString::fromUtf8("x\uFFFCy"));

    // Binary picture data after \bin.
    QByteArray bin;
    {
        QImage im(2, 2, QImage::Format_RGB32);
        im.fill(Qt::blue);
        QBuffer bb(&bin);
        bb.open(QIODevice::WriteOnly);
        im.save(&bb, "PNG");
    }
    QTextDocument db;
    Leer("{\\rtf1 {\\pict\\pngblip\\bin" + QByteArray::number(bin.size()) + " " + bin + "}z}", db);
    EXPECT_EQ(Imagenes(db).size(), 1u);
    EXPECT_TRUE(db.toPlainText().endsWith("z"));
}

TEST(RichText, BrokenOrOversizedPicturesAreLeftOut) {
    // Not a PNG at all, a truncated one, an unsupported format: no picture, text goes on.
    const QByteArray png = PngHex(4, 4, Qt::green);
    for (const QByteArray& pict :
         {QByteArray("\\pngblip 0102030405"), QByteArray("\\pngblip ") + png.left(40),
          QByteArray("\\emfblip ") + png, QByteArray("\\jpegblip ") + png}) {
        QTextDocument doc;
        Leer("{\\rtf1 a{\\pict" + pict + "}b}", doc);
        EXPECT_TRUE(Imagenes(doc).empty()) << pict.left(20).toStdString();
        EXPECT_EQ(doc.toPlainText(), "ab");
    }
    // A PNG header claiming a huge picture is refused before anything is decoded.
    QImage grande(1, 1, QImage::Format_RGB32);
    grande.fill(Qt::red);
    QByteArray datos;
    QBuffer b(&datos);
    b.open(QIODevice::WriteOnly);
    grande.save(&b, "PNG");
    // Width and height live at bytes 16..23, inside the IHDR chunk (type and data at 12..28,
    // its CRC at 29..32, recomputed so that the header is a valid one).
    const quint32 lado = qToBigEndian<quint32>(100000);
    datos.replace(16, 4, reinterpret_cast<const char*>(&lado), 4);
    datos.replace(20, 4, reinterpret_cast<const char*>(&lado), 4);
    const quint32 crc = qToBigEndian<quint32>(Crc32(datos.mid(12, 17)));
    datos.replace(29, 4, reinterpret_cast<const char*>(&crc), 4);
    QImageReader lector(&b);
    b.close();
    b.setBuffer(&datos);
    b.open(QIODevice::ReadOnly);
    ASSERT_EQ(lector.size(), QSize(100000, 100000)) << "the forged header itself is well formed";
    QTextDocument doc;
    Leer("{\\rtf1 a{\\pict\\pngblip " + datos.toHex() + "}b}", doc);
    EXPECT_TRUE(Imagenes(doc).empty());
    EXPECT_EQ(doc.toPlainText(), "ab");
}

TEST(RichText, DamagedInputIsReadAsFarAsItGoes) {
    // Cut short: no closing braces at all.
    EXPECT_EQ(Texto("{\\rtf1 uno\\par {\\b dos"), "uno\ndos");
    // Extra closing braces: the document ends at its own closing brace.
    EXPECT_EQ(Texto("{\\rtf1 uno}}} fuera"), "uno");
    // A broken hex escape (dropped, what follows is text), a control word with a huge
    // parameter, a trailing backslash.
    EXPECT_EQ(Texto("{\\rtf1 a\\'zb\\fs99999999999999 c\\"), "azbc");
    // Nesting far deeper than any document: read without saving state, text kept.
    QByteArray hondo = "{\\rtf1 ";
    hondo += QByteArray(100000, '{') + "hondo" + QByteArray(100000, '}') + " fin}";
    EXPECT_EQ(Texto(hondo), "hondo fin");
    // A picture cut short at the end of the file.
    EXPECT_EQ(Texto("{\\rtf1 a{\\pict\\pngblip 89504e"), "a");
}
