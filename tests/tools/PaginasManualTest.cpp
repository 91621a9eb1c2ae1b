// The manual pages of palavrix and palavrix-cli: they render without a warning and name what the
// commands really take.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

const QString kPaginas = QStringLiteral(PALAVRIX_SOURCE_DIR "/packaging/man/");

struct Salida {
    int codigo = -1;
    QString out, err;
};

Salida Correr(const QString& programa, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    p.setProcessEnvironment(env);
    p.start(programa, args);
    EXPECT_TRUE(p.waitForFinished(30000)) << programa.toStdString();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// The page's source with troff's escaped hyphens as the reader sees them.
QString Fuente(const QString& pagina) {
    QFile f(kPaginas + pagina);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << pagina.toStdString();
    return QString::fromUtf8(f.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
}

} // namespace

TEST(PaginasManual, RenderWithoutAWarning) {
    const QString groff = QStandardPaths::findExecutable(QStringLiteral("groff"));
    if (groff.isEmpty()) GTEST_SKIP() << "groff is not installed";
    for (const QString pagina : {"palavrix.1", "palavrix-cli.1"}) {
        // -k: the pages are UTF-8 (Spanish), read through preconv as man does; -ww: every warning.
        const Salida s = Correr(groff, {"-k", "-man", "-Tutf8", "-ww", "-z", kPaginas + pagina});
        EXPECT_EQ(s.codigo, 0) << pagina.toStdString();
        EXPECT_TRUE(s.err.isEmpty()) << pagina.toStdString() << ": " << s.err.toStdString();
        // Plain text: no overstriking for bold, no escape sequences.
        const Salida texto = Correr(groff, {"-k", "-man", "-Tutf8", "-P-cbou", kPaginas + pagina});
        for (const char* seccion : {"NOMBRE", "SINOPSIS", "DESCRIPCIÓN", "ESTADO DE SALIDA", "ARCHIVOS"})
            EXPECT_TRUE(texto.out.contains(QString::fromUtf8(seccion)))
                << pagina.toStdString() << " " << seccion;
    }
}

TEST(PaginasManual, TheCommandLinePageNamesEveryCommandAndOptionItsHelpGives) {
    const Salida ayuda = Correr(QStringLiteral(PALAVRIX_BUILD_DIR "/palavrix-cli"), {"--help"});
    ASSERT_EQ(ayuda.codigo, 0);
    const QString pagina = Fuente("palavrix-cli.1");
    QStringList nombres{"buscar", "traducir", "Sugerencias:"};
    const QRegularExpression opcion(QStringLiteral("(?<![\\w-])--?[a-z]+"));
    for (auto m = opcion.globalMatch(ayuda.out); m.hasNext();)
        nombres << m.next().captured();
    EXPECT_TRUE(nombres.contains("--frases") && nombres.contains("-h")) << nombres.join(' ').toStdString();
    for (const QString& n : nombres)
        EXPECT_TRUE(pagina.contains(n)) << n.toStdString();
    for (const char* d : {"EspIng", "IngEsp", "EspPor", "PorEsp", "EspFra", "FraEsp"})
        EXPECT_TRUE(pagina.contains(d) && ayuda.out.contains(d)) << d;
    // The exit codes the command uses, each with its meaning.
    for (const char* codigo : {".B 0\n", ".B 1\n", ".B 2\n"})
        EXPECT_TRUE(pagina.contains(codigo)) << codigo;
}
