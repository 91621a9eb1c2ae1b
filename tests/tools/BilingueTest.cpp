// Enumeration of a compiled bilingual dictionary, on a transducer compiled here with lt-comp.
#include "Bilingue.h"
#include "Analizador.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace generador;

namespace {

// Compiles `dix` (left to right) into a .bin in `dir`; the path, or empty on failure.
QString Compilar(const QTemporaryDir& dir, const QString& nombre, const QByteArray& dix) {
    const QString fuente = dir.filePath(nombre + QStringLiteral(".dix"));
    const QString bin = dir.filePath(nombre + QStringLiteral(".bin"));
    QFile f(fuente);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(dix);
    f.close();
    QProcess p;
    p.start(QStringLiteral("lt-comp"), {QStringLiteral("lr"), fuente, bin});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return bin;
}

// What lttoolbox's own bilingual lookup answers for one analysis: "casa<n><f>/cámara<n><f>".
QString LtProcBilingue(const QString& bin, const QString& analisis) {
    QProcess p;
    p.start(QStringLiteral("lt-proc"), {QStringLiteral("-b"), bin});
    p.write(("^" + analisis + "$\n").toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(60000);
    QString s = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    s.remove(0, s.indexOf(QLatin1Char('/')) + 1);
    s.chop(1);
    return s;
}

const QByteArray kBilingue = R"(<?xml version="1.0" encoding="UTF-8"?>
<dictionary>
  <alphabet/>
  <sdefs>
    <sdef n="n"/><sdef n="m"/><sdef n="f"/><sdef n="GD"/><sdef n="vblex"/><sdef n="num"/>
    <sdef n="np"/>
  </sdefs>
  <section id="main" type="standard">
    <e r="LR"><p><l>house<s n="n"/></l><r>cámara<s n="n"/><s n="f"/></r></p></e>
    <e><p><l>house<s n="n"/></l><r>casa<s n="n"/><s n="f"/></r></p></e>
    <e><p><l>house<s n="vblex"/></l><r>albergar<s n="vblex"/></r></p></e>
    <e><p><l>dog<s n="n"/></l><r>perro<s n="n"/><s n="GD"/></r></p></e>
    <e><p><l>take<g><b/>out</g><s n="vblex"/></l><r>sacar<s n="vblex"/></r></p></e>
    <e><p><l>AC/DC<s n="np"/></l><r>AC/DC<s n="np"/></r></p></e>
    <e r="RL"><p><l>home<s n="n"/></l><r>casa<s n="n"/><s n="f"/></r></p></e>
    <e><re>[0-9]+([.,][0-9]+)*</re><p><l><s n="num"/></l><r><s n="num"/></r></p></e>
  </section>
  <section id="final" type="standard">
    <e><re>www[.][a-z]+[.]com</re><p><l><s n="np"/></l><r><s n="np"/></r></p></e>
  </section>
</dictionary>
)";

} // namespace

TEST(Bilingue, EnumeratesTheLexiconAndSkipsPatterns) {
    QTemporaryDir dir;
    const QString bin = Compilar(dir, QStringLiteral("bil"), kBilingue);
    ASSERT_FALSE(bin.isEmpty()) << "lt-comp failed";

    const std::vector<Par> pares = LeerBilingue(QFile::encodeName(bin).toStdString());
    QStringList vistos;
    for (const Par& p : pares)
        vistos << p.origen + QStringLiteral(" -> ") + p.destino;

    // Every word entry of the left-to-right direction, each once; no number, no web address, and
    // the right-to-left-only entry is not in this direction.
    QStringList esperados{"house<n> -> casa<n><f>",           "house<n> -> cámara<n><f>",
                          "house<vblex> -> albergar<vblex>",  "dog<n> -> perro<n><GD>",
                          "take# out<vblex> -> sacar<vblex>", "AC/DC<np> -> AC/DC<np>"};
    QStringList ordenados = vistos;
    ordenados.sort();
    esperados.sort();
    EXPECT_EQ(ordenados.join(QLatin1Char('\n')).toStdString(),
              esperados.join(QLatin1Char('\n')).toStdString());

    // Translations of one analysis come in the order lttoolbox's bilingual lookup gives them.
    QStringList casa;
    for (const Par& p : pares)
        if (p.origen == QLatin1String("house<n>")) casa << p.destino;
    EXPECT_EQ(casa.join(QLatin1Char('/')), LtProcBilingue(bin, QStringLiteral("house<n>")));
}

TEST(Bilingue, MissingFileThrows) {
    EXPECT_THROW(LeerBilingue("/nonexistent/none.autobil.bin"), std::runtime_error);
    EXPECT_THROW(Analizador("/nonexistent/none.automorf.bin"), std::runtime_error);
}

TEST(Bilingue, PatternLemmas) {
    // Centuries in Roman numerals show as patterns by their translation: "siglo XX" -> "20th century".
    for (const char* patron :
         {"1st century", "3,5", "20th-22nd centuries BC", "www.example.com", "http://x.org", "a@b.c"})
        EXPECT_TRUE(EsPatron(QString::fromUtf8(patron))) << patron;
    // Words, including the English pronoun "I" and single capitals that happen to be numerals.
    for (const char* palabra : {"house", "I mean", "AC/DC", "Washington DC", "vía", "take out"})
        EXPECT_FALSE(EsPatron(QString::fromUtf8(palabra))) << palabra;
}

TEST(Analizador, NounReadingsFromACompiledAnalyser) {
    QTemporaryDir dir;
    const QByteArray monodix = R"(<?xml version="1.0" encoding="UTF-8"?>
<dictionary>
  <alphabet>abcdefghijklmnopqrstuvwxyzáéíóúñ</alphabet>
  <sdefs><sdef n="n"/><sdef n="m"/><sdef n="f"/><sdef n="mf"/><sdef n="sg"/><sdef n="pl"/><sdef n="sp"/><sdef n="vblex"/><sdef n="inf"/><sdef n="det"/><sdef n="def"/></sdefs>
  <section id="main" type="standard">
    <e><p><l>perro</l><r>perro<s n="n"/><s n="m"/><s n="sg"/></r></p></e>
    <e><p><l>perros</l><r>perro<s n="n"/><s n="m"/><s n="pl"/></r></p></e>
    <e><p><l>tijeras</l><r>tijeras<s n="n"/><s n="f"/><s n="pl"/></r></p></e>
    <e><p><l>crisis</l><r>crisis<s n="n"/><s n="f"/><s n="sp"/></r></p></e>
    <e><p><l>estudiante</l><r>estudiante<s n="n"/><s n="mf"/><s n="sg"/></r></p></e>
    <e><p><l>correr</l><r>correr<s n="vblex"/><s n="inf"/></r></p></e>
    <e><p><l>profesión</l><r>profesión<s n="n"/><s n="f"/><s n="sg"/></r></p></e>
    <e><p><l>el</l><r>el<s n="det"/><s n="def"/><s n="m"/><s n="sg"/></r></p></e>
  </section>
</dictionary>
)";
    const QString bin = Compilar(dir, QStringLiteral("mono"), monodix);
    ASSERT_FALSE(bin.isEmpty()) << "lt-comp failed";
    Analizador a(QFile::encodeName(bin).toStdString());
    const QHash<QString, Rasgos> r = a.Consultar(
        {"perro", "tijeras", "crisis", "estudiante", "correr", "xyzzy", "profesión de fe", "perros", "el"});

    ASSERT_TRUE(r.contains("perro"));
    EXPECT_EQ(r["perro"].genero, QStringLiteral("m"));
    EXPECT_EQ(r["perro"].numero, QStringLiteral("s"));
    EXPECT_EQ(r["tijeras"].genero, QStringLiteral("f"));
    EXPECT_EQ(r["tijeras"].numero, QStringLiteral("p"));
    EXPECT_EQ(r["crisis"].numero, QString()); // invariable
    ASSERT_TRUE(r.contains("estudiante"));
    EXPECT_EQ(r["estudiante"].genero, QString()); // common gender
    EXPECT_EQ(r["perro"].tipos, QStringList({"n"}));
    ASSERT_TRUE(r.contains("correr")); // a verb: no gender, no number
    EXPECT_EQ(r["correr"].tipos, QStringList({"vblex"}));
    EXPECT_TRUE(r["correr"].genero.isEmpty() && r["correr"].numero.isEmpty());
    ASSERT_TRUE(r.contains("el"));
    EXPECT_TRUE(r["el"].articulo);
    EXPECT_FALSE(r["perro"].articulo);
    EXPECT_FALSE(r.contains("xyzzy"));  // unknown
    EXPECT_FALSE(r.contains("perros")); // a plural form is not the lemma "perros"
    // A multiword takes its head's reading.
    ASSERT_TRUE(r.contains("profesión de fe"));
    EXPECT_EQ(r["profesión de fe"].genero, QStringLiteral("f"));
}

TEST(Analizador, ReadingsOfOneWord) {
    Rasgos r;
    EXPECT_TRUE(RasgosDeLecturas("sheep", {"sheep<n><sg>", "sheep<n><pl>"}, r));
    EXPECT_EQ(r.numero, QStringLiteral("s"));
    EXPECT_EQ(r.genero, QString());
    EXPECT_TRUE(RasgosDeLecturas("casa", {"casar<vblex><pri><p3><sg>", "casa<n><f><sg>"}, r));
    EXPECT_EQ(r.genero, QStringLiteral("f"));
    EXPECT_EQ(r.tipos, QStringList({"n"})); // casar's reading is another lemma's
    EXPECT_TRUE(RasgosDeLecturas("water", {"water<n><sg>", "water<vblex><inf>", "water<vblex><pres>"}, r));
    EXPECT_EQ(r.tipos, QStringList({"n", "vblex"}));
    // Case does not matter for the lemma; other lemmas' readings are ignored.
    EXPECT_TRUE(RasgosDeLecturas("Maison", {"maison<n><f><sg>"}, r));
    EXPECT_FALSE(RasgosDeLecturas("casas", {"casa<n><f><pl>"}, r));
    EXPECT_FALSE(RasgosDeLecturas("xyzzy", {"*xyzzy"}, r));
}
