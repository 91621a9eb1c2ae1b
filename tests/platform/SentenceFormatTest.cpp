// Our text deformatter and reformatter against Apertium's own programs (apertium-destxt and
// apertium-retxt, installed with the apertium package the build needs), and the cutting of long
// texts into pieces.
#include "platform/SentenceFormat.h"

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using sentences::Deformat;
using sentences::kMarcaAbre;
using sentences::kMarcaCierra;
using sentences::Pieces;
using sentences::Reformat;
using sentences::SplitLongWords;
using sentences::Stretch;

namespace {

// What one of Apertium's format programs writes for `entrada`.
QByteArray Programa(const QString& programa, const QByteArray& entrada) {
    QProcess p;
    p.start(programa, {});
    if (!p.waitForStarted(10000)) {
        ADD_FAILURE() << programa.toStdString() << " did not start (the apertium package holds it)";
        return {};
    }
    p.write(entrada);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << programa.toStdString() << " did not finish";
        return {};
    }
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << programa.toStdString();
    return p.readAllStandardOutput();
}

QByteArray Destxt(const QString& texto) {
    return Programa(QStringLiteral("apertium-destxt"), texto.toUtf8());
}

QByteArray Retxt(const QString& flujo) {
    return Programa(QStringLiteral("apertium-retxt"), flujo.toUtf8());
}

// Our stream with what we do beyond apertium-destxt undone: a typed '*' is escaped ("\*"), and a
// typed mark character travels escaped in a superblank of its own ("[\<mark>]").
QString ComoDestxt(const QString& flujo) {
    QString r;
    for (qsizetype i = 0; i < flujo.size(); ++i) {
        const QChar c = flujo[i];
        const bool marca = i + 3 < flujo.size() && c == QLatin1Char('[') &&
                           flujo[i + 1] == QLatin1Char('\\') &&
                           (flujo[i + 2] == QChar(kMarcaAbre) || flujo[i + 2] == QChar(kMarcaCierra)) &&
                           flujo[i + 3] == QLatin1Char(']');
        if (marca) {
            r += flujo[i + 2];
            i += 3;
        } else if (c == QLatin1Char('\\') && i + 1 < flujo.size()) {
            if (flujo[i + 1] != QLatin1Char('*')) r += c;
            r += flujo[++i];
        } else {
            r += c;
        }
    }
    return r;
}

QString Visible(QString s) {
    s.replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r"))
        .replace(QLatin1Char('\t'), QLatin1String("\\t"))
        .replace(QChar(0), QLatin1String("\\0"));
    return s;
}

// Random strings from a seeded generator, built from the fragments that matter to the format:
// words, every kind of white space and line break, the reserved characters.
class Azar {
public:
    explicit Azar(unsigned semilla) : gen_(semilla) {}
    QString Texto(const QStringList& fragmentos, int maximo) {
        QString s;
        const int n = std::uniform_int_distribution<int>(0, maximo)(gen_);
        std::uniform_int_distribution<qsizetype> cual(0, fragmentos.size() - 1);
        for (int i = 0; i < n; ++i)
            s += fragmentos[cual(gen_)];
        return s;
    }
    int Entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen_); }

private:
    std::mt19937 gen_;
};

const QStringList kFragmentosTexto{"casa",
                                   "Ñandú",
                                   "l'eau",
                                   "x",
                                   "7",
                                   " ",
                                   " ",
                                   "  ",
                                   "\n",
                                   "\n\n",
                                   "\r\n",
                                   "\r\n\r\n",
                                   "\t",
                                   "~",
                                   "\r",
                                   "[",
                                   "]",
                                   "\\",
                                   "/",
                                   "@",
                                   "<",
                                   ">",
                                   "^",
                                   "$",
                                   "{",
                                   "}",
                                   "*",
                                   "?",
                                   ".",
                                   ". ",
                                   "!\n",
                                   "😀",
                                   "\u00a0",
                                   "\v",
                                   "\f",
                                   "\u2028",
                                   ".[]",
                                   "\\n",
                                   "é",
                                   QString(QChar(kMarcaAbre)),
                                   QString(QChar(kMarcaCierra))};

bool EsBlanco(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\n') || c == QLatin1Char('\t') ||
           c == QLatin1Char('\r') || c == QLatin1Char('~');
}

} // namespace

TEST(SentenceFormat, DeformatWritesWhatApertiumDestxtWritesOnTheEdgeCases) {
    const QStringList casos{"",
                            "hola",
                            "hola\n",
                            "hola\n\n",
                            "hola.\n",
                            " ",
                            "  ",
                            "\t",
                            "\n\n\n",
                            "a  b",
                            "a\tb\t\tc",
                            "a\r\nb\r\n",
                            "a\r\n\r\nb",
                            "a\n\nb",
                            "a\n \nb",
                            "a \n\n b",
                            "a\n\r\nb",
                            "\r",
                            "línea\rsola",
                            "~",
                            "a~b",
                            "a ~ b",
                            "[]\\/@<>^${}",
                            "a[b]c\\d",
                            "*",
                            "a*b **",
                            ".[]",
                            "¿Qué?\n",
                            "😀 x 😀",
                            "a\u00a0b",
                            "x\vy\fz",
                            "\uFEFFa",
                            QString("a%1b %2").arg(QChar(kMarcaAbre)).arg(QChar(kMarcaCierra)),
                            QString("%1\n\n%2").arg(QChar(kMarcaAbre)).arg(QChar(kMarcaCierra))};
    for (const QString& x : casos)
        EXPECT_EQ(ComoDestxt(Deformat(x)).toUtf8(), Destxt(x)) << Visible(x).toStdString();
    // What we do beyond it, seen in the stream itself.
    EXPECT_EQ(Deformat(u"a*b"), "a\\*b.[]");
    EXPECT_EQ(Deformat(QString(QChar(kMarcaAbre))), QString("[\\%1].[]").arg(QChar(kMarcaAbre)));
}

TEST(SentenceFormat, DeformatDropsNulAsIfItWereNotThere) {
    const QStringList casos{QString("a%1b").arg(QChar(0)),     QString(QChar(0)),
                            QString("fin%1").arg(QChar(0)),    QString("%1a").arg(QChar(0)),
                            QString("a %1 b").arg(QChar(0)),   QString("a\n%1\nb").arg(QChar(0)),
                            QString("a.%1\n\n").arg(QChar(0)), QString("%1%1 %1").arg(QChar(0))};
    for (const QString& x : casos) {
        QString sin = x;
        sin.remove(QChar(0));
        const QString d = Deformat(x);
        EXPECT_FALSE(d.contains(QChar(0))) << Visible(x).toStdString();
        EXPECT_EQ(d, Deformat(sin)) << Visible(x).toStdString();
        EXPECT_EQ(ComoDestxt(d).toUtf8(), Destxt(sin)) << Visible(x).toStdString();
    }
    // Where no NUL stands in white space, apertium-destxt reads it the same way.
    for (const QString& x : casos.mid(0, 4))
        EXPECT_EQ(ComoDestxt(Deformat(x)).toUtf8(), Destxt(x)) << Visible(x).toStdString();
    // A NUL inside a blank line still leaves a paragraph break: a sentence end goes before it.
    EXPECT_EQ(Deformat(QString("a\n%1\nb").arg(QChar(0))), "a.[][\n\n]b.[]");
}

TEST(SentenceFormat, DeformatWritesWhatApertiumDestxtWritesOnRandomText) {
    Azar azar(20240611);
    for (int i = 0; i < 300; ++i) {
        const QString x = azar.Texto(kFragmentosTexto, 12);
        const QByteArray esperado = Destxt(x);
        ASSERT_EQ(ComoDestxt(Deformat(x)).toUtf8(), esperado)
            << "case " << i << ": " << Visible(x).toStdString();
    }
}

TEST(SentenceFormat, ReformatWritesWhatApertiumRetxtWritesOnStreams) {
    // The streams apertium-destxt makes of the edge cases, and streams no deformatter makes.
    QStringList flujos;
    for (const char* x : {"", "hola\n", "a\r\n\r\nb\t c", "[]\\/@<>^${}", "¿Qué?\n\n~😀", "a ~ b  "})
        flujos << QString::fromUtf8(Destxt(QString::fromUtf8(x)));
    flujos << "a[b"
           << "a]b"
           << "[.[]]"
           << "a\\"
           << "\\n\\q"
           << "[\\]]x"
           << "a.[]b"
           << ".["
           << "[a]]b"
           << "^a$ ^b/c$"
           << "[ \\[ ]"
           << "x\\.y"
           << "fin.[][\n\n]" << QString("x%1y").arg(QChar(0));
    for (const QString& s : flujos)
        EXPECT_EQ(Reformat(s).toUtf8(), Retxt(s)) << Visible(s).toStdString();

    // A word-bound blank goes whole, where retxt (which never sees one: the command detaches them
    // before the generator) would leave its contents.
    EXPECT_EQ(Reformat(u"[[t:b:1]]^a$[[/]] b"), "^a$ b");

    // Random streams: anything but a bare '*' or a bare '@' (retxt takes "[@name]" as the name of
    // a file to copy in, which we never do; the deformatter escapes every '@'), our marks, and
    // two opening brackets together.
    const QStringList fragmentos{"a",   "é",   " ",    "\n",  "\\",  "[",   "]",   ".",   ".[]",
                                 "\\[", "\\]", "\\\\", "\\/", "\\@", "\\<", "\\>", "\\^", "\\$",
                                 "\\{", "\\}", "~",    "\t",  "\\n", "/",   "^",   "$",   "<",
                                 ">",   "{",   "}",    ".[",  "\\.", "#",   "😀",   "\r\n"};
    Azar azar(7);
    for (int i = 0; i < 300; ++i) {
        QString s = azar.Texto(fragmentos, 10);
        while (s.contains(u"[["))
            s = azar.Texto(fragmentos, 10);
        ASSERT_EQ(Reformat(s).toUtf8(), Retxt(s)) << "case " << i << ": " << Visible(s).toStdString();
    }
}

TEST(SentenceFormat, ReformatUndoesTheEscapesWeAddAndWritesUnknownWordsInAngleBrackets) {
    EXPECT_EQ(Reformat(u"x\\*y.[]"), "x*y");
    // apertium-retxt leaves the escape, since apertium-destxt never writes it.
    EXPECT_EQ(Retxt("x\\*y.[]"), "x\\*y");
    const QString marcada =
        QString("The %1xyzzy%2 house.[][\n]").arg(QChar(kMarcaAbre)).arg(QChar(kMarcaCierra));
    EXPECT_EQ(Reformat(marcada), "The <xyzzy> house\n");
    EXPECT_EQ(Reformat(QString("[\\%1]a\\%2").arg(QChar(kMarcaAbre)).arg(QChar(kMarcaCierra))),
              QString("%1a%2").arg(QChar(kMarcaAbre)).arg(QChar(kMarcaCierra)));
}

TEST(SentenceFormat, ReformatOfDeformatGivesTheTextBackLessItsNuls) {
    // Any characters at all: those of the format, NULs, surrogate pairs and lone halves, the
    // marks, and random code units of the Basic Multilingual Plane.
    QStringList fragmentos = kFragmentosTexto;
    fragmentos << QString(QChar(0)) << QString(QChar(0xD800)) << QString(QChar(0xDC00)) << "\\*"
               << "*casa";
    std::mt19937 gen(99);
    std::uniform_int_distribution<int> unidad(1, 0xFFFF);
    Azar azar(1234);
    for (int i = 0; i < 3000; ++i) {
        QString x = azar.Texto(fragmentos, 16);
        for (int k = azar.Entre(0, 3); k > 0; --k)
            x.insert(azar.Entre(0, static_cast<int>(x.size())), QChar(static_cast<char16_t>(unidad(gen))));
        QString esperado = x;
        esperado.remove(QChar(0));
        ASSERT_EQ(Reformat(Deformat(x)), esperado) << "case " << i << ": " << Visible(x).toStdString();
    }
}

TEST(SentencePieces, JoinedPiecesAreTheTextAndNoneIsLongerThanTheLimit) {
    QStringList fragmentos = kFragmentosTexto;
    fragmentos << "palabralarguísima" << QString(40, QLatin1Char('x')) << QString(30, QLatin1Char(' '))
               << "\n\n" + QString(25, QLatin1Char(' ')) << "😀😀😀";
    Azar azar(5);
    for (int i = 0; i < 2000; ++i) {
        const QString x = azar.Texto(fragmentos, 60);
        const qsizetype limite = azar.Entre(16, 120);
        const QList<QStringView> piezas = Pieces(x, limite);
        ASSERT_FALSE(piezas.isEmpty());
        QString juntas;
        for (qsizetype k = 0; k < piezas.size(); ++k) {
            const QStringView p = piezas[k];
            juntas += p;
            ASSERT_LE(p.size(), limite) << "case " << i;
            if (k + 1 == piezas.size()) continue;
            ASSERT_FALSE(p.isEmpty()) << "case " << i;
            // Never between the halves of a surrogate pair.
            ASSERT_FALSE(p.back().isHighSurrogate() && piezas[k + 1].front().isLowSurrogate())
                << "case " << i;
            // A piece that does not end in white space was cut where its window had no boundary:
            // no space and no line break after its first character.
            if (!EsBlanco(p.back())) {
                const QStringView ventana = QStringView(x).mid(p.data() - x.constData(), limite);
                ASSERT_GE(p.size(), limite - 1) << "case " << i;
                ASSERT_LT(ventana.lastIndexOf(QLatin1Char(' ')), 1) << "case " << i;
                ASSERT_LT(ventana.lastIndexOf(QLatin1Char('\n')), 1) << "case " << i;
            }
        }
        ASSERT_EQ(juntas, x) << "case " << i;
    }
}

TEST(SentencePieces, APieceEndsAfterAParagraphElseALineElseASentenceElseASpace) {
    const auto primera = [](const QString& texto, qsizetype limite) {
        return Pieces(texto, limite).first().toString();
    };
    const QString relleno = QStringLiteral(" uno dos tres cuatro cinco seis siete ocho nueve diez");
    EXPECT_EQ(primera("Uno dos.\n\nTres. Cuatro\ncinco seis." + relleno, 40), "Uno dos.\n\n");
    EXPECT_EQ(primera("Uno dos.\r\n\r\nTres. Cuatro\r\ncinco seis." + relleno, 40), "Uno dos.\r\n\r\n");
    EXPECT_EQ(primera("Uno dos\ntres. Cuatro cinco. Seis" + relleno, 40), "Uno dos\n");
    EXPECT_EQ(primera("Uno dos. Tres cuatro? Cinco seis" + relleno, 40), "Uno dos. Tres cuatro? ");
    EXPECT_EQ(primera("Uno dos tres cuatro cinco" + relleno, 30), "Uno dos tres cuatro cinco uno ");
    // The white run after the boundary goes with the piece, up to the limit.
    EXPECT_EQ(primera("Uno.\n\n   \t  Dos" + relleno, 30), "Uno.\n\n   \t  ");
    EXPECT_EQ(primera("Uno.\n\n" + QString(60, QLatin1Char(' ')) + "Dos", 30),
              "Uno.\n\n" + QString(24, QLatin1Char(' ')));
    // No boundary: cut at the limit, a surrogate pair kept whole.
    EXPECT_EQ(Pieces(QString(100, QLatin1Char('x')), 16).size(), 7);
    const QList<QStringView> caras = Pieces(QString("😀").repeated(50), 17);
    for (const QStringView p : caras)
        EXPECT_EQ(p.size() % 2, 0);
    EXPECT_EQ(caras.first().size(), 16);
    // Short and empty texts are one piece.
    EXPECT_EQ(Pieces(u"corto", 100), QList<QStringView>{u"corto"});
    ASSERT_EQ(Pieces(u"", 100).size(), 1);
    EXPECT_TRUE(Pieces(u"", 100).first().isEmpty());
}

TEST(SentenceLongWords, EveryRunTooLongStandsAloneAndTheStretchesJoinedAreTheText) {
    constexpr qsizetype kPalabra = 12, kTira = 30;
    const auto deLetra = [](QChar c) { return c.isLetterOrNumber() || c.isMark() || c.isSurrogate(); };
    // The longest run of letters and the longest run without blanks in a piece of text.
    const auto mayores = [&](QStringView t) {
        qsizetype letras = 0, tira = 0, l = 0, b = 0;
        for (const QChar c : t) {
            l = deLetra(c) ? l + 1 : 0;
            b = c.isSpace() || c.category() == QChar::Other_Control ? 0 : b + 1;
            letras = std::max(letras, l);
            tira = std::max(tira, b);
        }
        return std::pair{letras, tira};
    };
    QStringList fragmentos = kFragmentosTexto;
    fragmentos << QString(13, QLatin1Char('x')) << QString("ab-").repeated(6) << "palabrísimas"
               << "😀😀😀😀😀😀😀" << QString(20, QLatin1Char('-')) << QString(QChar(0)) << QString(QChar(7));
    Azar azar(11);
    for (int i = 0; i < 3000; ++i) {
        const QString x = azar.Texto(fragmentos, 30);
        const QList<Stretch> tramos = SplitLongWords(x, kPalabra, kTira);
        ASSERT_FALSE(tramos.isEmpty());
        QString juntos;
        qsizetype fin = 0;
        for (const Stretch& t : tramos) {
            ASSERT_EQ(t.start, fin) << "case " << i;
            const QStringView parte = QStringView(x).mid(t.start, t.length);
            juntos += parte;
            fin = t.start + t.length;
            const auto [letras, tira] = mayores(parte);
            if (t.tooLong) {
                // One run, too long by either measure, with nothing of its neighbours.
                ASSERT_TRUE(letras > kPalabra || tira > kTira) << "case " << i;
                ASSERT_TRUE(t.start == 0 || !deLetra(x[t.start - 1])) << "case " << i;
                ASSERT_TRUE(fin == x.size() || !deLetra(x[fin])) << "case " << i;
            } else {
                // What goes to the analyser can be read in linear time and whole.
                ASSERT_LE(letras, kPalabra) << "case " << i;
                ASSERT_LE(tira, kTira) << "case " << i;
            }
        }
        ASSERT_EQ(juntos, x) << "case " << i;
    }
    ASSERT_EQ(SplitLongWords(u"", 5, 10).size(), 1);
    EXPECT_FALSE(SplitLongWords(u"", 5, 10).first().tooLong);
    const QList<Stretch> tres = SplitLongWords(u"la palabrota es", 5, 100);
    ASSERT_EQ(tres.size(), 3);
    EXPECT_TRUE(tres[1].tooLong);
    EXPECT_EQ(tres[1].start, 3);
    EXPECT_EQ(tres[1].length, 9);
}
