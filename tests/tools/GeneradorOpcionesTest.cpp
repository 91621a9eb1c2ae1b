// The command line of the dictionary generator: a mistyped option must stop it before it spends
// minutes generating a database that lacks what the option asked for.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kGenerador = QStringLiteral(PALAVRIX_BUILD_DIR "/tools/build-dictionary/build-dictionary");
const QByteArray kUso = "uso: build-dictionary --salida PALAVRIX.MDB";

struct Salida {
    int estado = -1;
    QByteArray out, err;
};

Salida Ejecutar(const QStringList& args) {
    QProcess p;
    p.start(kGenerador, args);
    Salida s;
    // A run that got past its options would generate for minutes: that alone is a failure here.
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return s;
    }
    s.estado = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    s.out = p.readAllStandardOutput();
    s.err = p.readAllStandardError();
    return s;
}

} // namespace

TEST(GeneradorOpciones, UnknownOrIncompleteOptionsFailWithTheUsageAndWriteNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString base = dir.filePath(QStringLiteral("PALAVRIX.MDB"));

    // A mistyped option, wherever it stands, is named in Spanish and the usage follows.
    struct Caso {
        QStringList args;
        QString erronea;
    };
    const Caso casos[] = {
        {{"--salida", base, "--pronunciaciones", dir.path()}, "--pronunciaciones"},
        {{"--pronun", dir.path(), "--salida", base, "-x"}, "-x"},
        {{"salida", base}, "salida"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Salida s = Ejecutar(c.args);
        EXPECT_EQ(s.estado, 2);
        EXPECT_TRUE(s.err.contains("opción desconocida: " + c.erronea.toUtf8())) << s.err.toStdString();
        EXPECT_TRUE(s.err.contains(kUso)) << s.err.toStdString();
        EXPECT_TRUE(s.out.isEmpty());
    }

    // An option whose value is missing.
    const Salida sinValor = Ejecutar({"--salida", base, "--pronun"});
    EXPECT_EQ(sinValor.estado, 2);
    EXPECT_TRUE(sinValor.err.contains("falta el valor de --pronun")) << sinValor.err.toStdString();
    EXPECT_TRUE(sinValor.err.contains(kUso));

    // Without --salida there is nowhere to write.
    const Salida sinSalida = Ejecutar({"--apertium", dir.path()});
    EXPECT_EQ(sinSalida.estado, 2);
    EXPECT_TRUE(sinSalida.err.startsWith(kUso)) << sinSalida.err.toStdString();

    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}
