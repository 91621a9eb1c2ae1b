// Counting lemmas by part of speech in running text: the reader of the tagger's stream, the cache
// file, and the real programs on the English model the build uses.
#include "Frecuencias.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace generador;

namespace {

bool Escribir(const QString& archivo, const QByteArray& datos) {
    QFile f(archivo);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(datos) == datos.size();
}

QByteArray Leer(const QString& archivo) {
    QFile f(archivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(Frecuencias, EachUnitCountsForItsLemmaAndPartOfSpeech) {
    Frecuencias f;
    ContarEtiquetado(QStringLiteral("^we<prn><subj><p1><mf><pl>$ ^build<vblex><pri>$ ^the<det><def><sp>$ "
                                    "^package<n><sg>$^.<sent>$\n^a<det><ind><sg>$ ^build<n><sg>$ "
                                    "^build<vblex><past>$^.<sent>$ ^*xyzzy$ ^take<vblex><inf># off$ "
                                    "^de<pr>+el<det><def><m><sg>$ ^AC\\/DC<np><al>$"),
                     f);
    EXPECT_EQ(f.value(QStringLiteral("build<vblex>")), 2);
    EXPECT_EQ(f.value(QStringLiteral("build<n>")), 1);
    EXPECT_EQ(Usos(f, QStringLiteral("build"), {QStringLiteral("vblex"), QStringLiteral("inf")}), 2);
    EXPECT_EQ(Usos(f, QStringLiteral("build"), {QStringLiteral("adj")}), 0);
    EXPECT_EQ(Usos(f, QStringLiteral("build"), {}), 0);
    // A multiword keeps its queue; a joined unit counts for each part; escapes are undone.
    EXPECT_EQ(f.value(QStringLiteral("take off<vblex>")), 1);
    EXPECT_EQ(f.value(QStringLiteral("de<pr>")), 1);
    EXPECT_EQ(f.value(QStringLiteral("el<det>")), 1);
    EXPECT_EQ(f.value(QStringLiteral(".<sent>")), 2);
    EXPECT_EQ(f.value(QStringLiteral("AC/DC<np>")), 1);
    // An unknown word counts as its form, apart from the lemmas.
    EXPECT_EQ(f.value(QStringLiteral("*xyzzy")), 1);
    EXPECT_EQ(Usos(f, QStringLiteral("xyzzy"), {QStringLiteral("n")}), 0);
    EXPECT_EQ(f.size(), 12);
    // What the text has, lemmas and unknown forms alike, compared as lookups compare words.
    const QSet<QString> vistas = Vistas(f);
    EXPECT_TRUE(vistas.contains(QStringLiteral("build")));
    EXPECT_TRUE(vistas.contains(QStringLiteral("xyzzy")));
    EXPECT_TRUE(vistas.contains(QStringLiteral("take off")));
    EXPECT_TRUE(vistas.contains(QStringLiteral("ac/dc")));
    EXPECT_FALSE(vistas.contains(QStringLiteral("house")));

    // The stream's reserved characters never reach the analyser from the text.
    EXPECT_EQ(TextoAnalizable("a^b$c/d<e>f[g]h{i}j\\k@l*m#n"), QByteArray("a b c d e f g h i j k l m n"));
}

TEST(Frecuencias, CacheHoldsTheCountsOfItsInputsOnly) {
    const Frecuencias f{{QStringLiteral("casa<n>"), 12}, {QStringLiteral("a través de<pr>"), 3}};
    const QByteArray escrito = EscribirCuentas(f, "abc123");
    Frecuencias leidas;
    ASSERT_TRUE(LeerCuentas(escrito, "abc123", leidas));
    EXPECT_EQ(leidas, f);
    // Other inputs, or a damaged file, are not these counts.
    Frecuencias otras{{QStringLiteral("x<n>"), 1}};
    EXPECT_FALSE(LeerCuentas(escrito, "def456", otras));
    EXPECT_FALSE(LeerCuentas("# abc123\ncasa<n>\tdoce\n", "abc123", otras));
    EXPECT_FALSE(LeerCuentas("# abc123\ncasa<n>\t-4\n", "abc123", otras));
    EXPECT_FALSE(LeerCuentas("", "abc123", otras));
    EXPECT_EQ(otras.value(QStringLiteral("x<n>")), 1);
}

TEST(Frecuencias, RealTaggerCountsRunningTextAndCachesIt) {
    const QString carpeta = QStringLiteral("/usr/share/apertium/apertium-eng-spa");
    const QString automorf = carpeta + QStringLiteral("/eng-spa.automorf.bin");
    const QString prob = carpeta + QStringLiteral("/eng-spa.prob");
    if (!QFileInfo::exists(prob)) GTEST_SKIP() << "apertium-eng-spa is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString texto = dir.filePath(QStringLiteral("eng.txt"));
    const QString cache = dir.filePath(QStringLiteral("eng.cuentas"));
    ASSERT_TRUE(Escribir(texto, "We build the packages every night. They build a new house.\n"
                                "The last build failed. I will die/<here> [now].\n"));
    QString aviso;
    const Frecuencias f = ContarTexto(texto, automorf, prob, cache, &aviso);
    EXPECT_TRUE(aviso.isEmpty()) << aviso.toStdString();
    EXPECT_EQ(f.value(QStringLiteral("build<vblex>")), 2);
    EXPECT_EQ(f.value(QStringLiteral("build<n>")), 1);
    EXPECT_EQ(f.value(QStringLiteral("house<n>")), 1);
    EXPECT_EQ(f.value(QStringLiteral("die<vblex>")), 1);
    EXPECT_EQ(f.value(QStringLiteral("here<adv>")), 1);

    // The next run reads the cache instead of tagging again: a count put there by hand shows.
    ASSERT_TRUE(Escribir(cache, Leer(cache) + "zzz<n>\t7\n"));
    EXPECT_EQ(ContarTexto(texto, automorf, prob, cache).value(QStringLiteral("zzz<n>")), 7);
    // Another text is counted afresh.
    ASSERT_TRUE(Escribir(texto, "The house is red.\n"));
    const Frecuencias nueva = ContarTexto(texto, automorf, prob, cache);
    EXPECT_FALSE(nueva.contains(QStringLiteral("zzz<n>")));
    EXPECT_FALSE(nueva.contains(QStringLiteral("build<vblex>")));
    EXPECT_EQ(nueva.value(QStringLiteral("house<n>")), 1);

    // Without its text or its model, nothing, and a notice why.
    EXPECT_TRUE(ContarTexto(dir.filePath(QStringLiteral("no.txt")), automorf, prob, cache, &aviso).isEmpty());
    EXPECT_FALSE(aviso.isEmpty());
    aviso.clear();
    EXPECT_TRUE(
        ContarTexto(texto, automorf, QStringLiteral("/nonexistent/eng-spa.prob"), cache, &aviso).isEmpty());
    EXPECT_FALSE(aviso.isEmpty());
}
