// palavrix-cli as a script uses it: its output, exit codes and Spanish errors.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kCli = QStringLiteral(PALAVRIX_BUILD_DIR "/palavrix-cli");

struct Salida {
    int codigo = -1;
    QString out, err;
};

Salida Correr(const QStringList& args, const QByteArray& entrada = {}, const QString& programa = kCli) {
    QProcess p;
    // No display: the command line must not need one.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.start(programa, args);
    EXPECT_TRUE(p.waitForStarted(10000));
    p.write(entrada);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(PalavrixCli, BuscarPrintsTheEntryTheWindowShowsOneFieldALine) {
    const Salida s = Correr({"buscar", "EspIng", "libros"});
    EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
    const QStringList lineas = s.out.split('\n', Qt::SkipEmptyParts);
    QStringList campos;
    for (const QString& l : lineas)
        campos << l.section(": ", 0, 0);
    EXPECT_EQ(campos, (QStringList{"Palabra", "Lema", "Tipo", "Genero", "Numero", "Traduccion", "TipoT",
                                   "GeneroT", "NumeroT", "Acepcion1", "Acepcion2", "Pronunciacion"}));
    EXPECT_TRUE(lineas.contains("Lema: libro"));
    EXPECT_TRUE(lineas.contains("Tipo: Sustantivo"));
    EXPECT_TRUE(lineas.contains("Numero: Plural"));
    EXPECT_TRUE(lineas.contains("Traduccion: books"));

    const Salida into = Correr({"buscar", "IngEsp", "house"});
    EXPECT_EQ(into.codigo, 0);
    EXPECT_TRUE(into.out.contains("Lema: house\n"));
}

TEST(PalavrixCli, AWordWithoutItsAccentsPrintsTheHeadwordItFound) {
    const Salida s = Correr({"buscar", "EspIng", "arbol"});
    EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
    EXPECT_TRUE(s.out.contains("Palabra: arbol\nLema: árbol\n")) << s.out.toStdString();
}

TEST(PalavrixCli, ANotFoundWordExitsOne) {
    const Salida s = Correr({"buscar", "FraEsp", "xqzwv"});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_TRUE(s.out.contains("<Palabra no encontrada>"));
    // Nothing is close to it: no suggestions line at all.
    EXPECT_FALSE(s.out.contains("Sugerencias")) << s.out.toStdString();
}

TEST(PalavrixCli, ANotFoundWordListsTheWordsItMayHaveMeantAndStillExitsOne) {
    const Salida s = Correr({"buscar", "EspIng", "libors"});
    EXPECT_EQ(s.codigo, 1) << s.err.toStdString();
    const QStringList lineas = s.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 3) << s.out.toStdString();
    EXPECT_EQ(lineas[0], "Palabra: libors");
    EXPECT_EQ(lineas[1], "Traduccion: <Palabra no encontrada>");
    ASSERT_TRUE(lineas[2].startsWith("Sugerencias: libros")) << lineas[2].toStdString();
    const QStringList sugeridas = lineas[2].mid(QString("Sugerencias: ").size()).split(", ");
    EXPECT_GE(sugeridas.size(), 2);
    EXPECT_LE(sugeridas.size(), 5);
    // Each one is found when looked up.
    for (const QString& p : sugeridas)
        EXPECT_EQ(Correr({"buscar", "EspIng", p}).codigo, 0) << p.toStdString();
}

TEST(PalavrixCli, HelpPrintsTheUsageOnStandardOutputAndExitsZero) {
    for (const char* opcion : {"--help", "-h"}) {
        const Salida s = Correr({opcion});
        EXPECT_EQ(s.codigo, 0) << opcion;
        EXPECT_TRUE(s.out.startsWith("uso: palavrix-cli buscar")) << s.out.toStdString();
        EXPECT_TRUE(s.out.contains("traducir --frases")) << s.out.toStdString();
        EXPECT_TRUE(s.err.isEmpty()) << s.err.toStdString();
    }
    // Wrong usage keeps its channel and its code.
    const Salida mal = Correr({"--ayuda"});
    EXPECT_EQ(mal.codigo, 2);
    EXPECT_TRUE(mal.out.isEmpty());
    EXPECT_TRUE(mal.err.contains("uso:"));
    // An option among other words is no request for help.
    EXPECT_EQ(Correr({"buscar", "--help"}).codigo, 2);
}

TEST(PalavrixCli, TraducirTranslatesStandardInputAsTheTranslatorWindowDoes) {
    const Salida s =
        Correr({"traducir", "EspIng"}, QString("Los libros, CASA xqzwv.\nSegunda línea").toUtf8());
    EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
    EXPECT_EQ(s.out, "The books, HOME <xqzwv>.\nSecond line");
    EXPECT_EQ(Correr({"traducir", "PorEsp"}, {}).out, "");
}

TEST(PalavrixCli, BadUsageBadInputAndAMissingDictionaryExitTwoWithASpanishMessage) {
    const Salida direccion = Correr({"buscar", "EspAle", "casa"});
    EXPECT_EQ(direccion.codigo, 2);
    EXPECT_TRUE(direccion.err.contains("dirección desconocida")) << direccion.err.toStdString();
    EXPECT_TRUE(direccion.out.isEmpty());

    EXPECT_EQ(Correr({}).codigo, 2);
    EXPECT_EQ(Correr({"buscar", "EspIng"}).codigo, 2);
    EXPECT_EQ(Correr({"traducir", "EspIng", "de más"}).codigo, 2);
    EXPECT_TRUE(Correr({"borrar", "EspIng"}).err.contains("uso:"));

    const Salida binario = Correr({"traducir", "EspIng"}, QByteArray("casa \xff\xfe roja", 12));
    EXPECT_EQ(binario.codigo, 2);
    EXPECT_TRUE(binario.err.contains("UTF-8"));

    // A copy of the program in a folder with no dictionary beside it.
    QTemporaryDir carpeta;
    const QString copia = carpeta.filePath("palavrix-cli");
    ASSERT_TRUE(QFile::copy(kCli, copia));
    const Salida sinBase = Correr({"buscar", "EspIng", "casa"}, {}, copia);
    EXPECT_EQ(sinBase.codigo, 2);
    EXPECT_TRUE(sinBase.err.contains("no se encuentra el diccionario")) << sinBase.err.toStdString();
}

TEST(PalavrixCli, AnOutputThatCannotBeWrittenExitsTwoInsteadOfPassingForDone) {
    for (const QStringList& args :
         {QStringList{"buscar", "EspIng", "casa"}, QStringList{"traducir", "EspIng"},
          QStringList{"traducir", "--frases", "EspIng"}}) {
        QProcess p;
        // A full disk: every write fails.
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
        p.start(kCli, args);
        ASSERT_TRUE(p.waitForStarted(10000));
        p.write("La casa roja.\n");
        p.closeWriteChannel();
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(
            QString::fromUtf8(p.readAllStandardError()).contains(QString::fromUtf8("no se puede escribir")))
            << args.join(' ').toStdString();
    }
}

TEST(PalavrixCli, AClosedOrFolderStandardInputExitsTwoInsteadOfTranslatingNothing) {
    // The shell closes standard input or puts a folder in its place, as a script might by mistake.
    for (const QString& redireccion : {QStringLiteral("<&-"), QStringLiteral("< /")}) {
        for (const QStringList& args :
             {QStringList{"traducir", "EspIng"}, QStringList{"traducir", "--frases", "EspIng"}}) {
            const QString que = redireccion + ' ' + args.join(' ');
            QProcess p;
            p.start(QStringLiteral("/bin/sh"),
                    QStringList{"-c", QStringLiteral("exec \"$0\" \"$@\" %1").arg(redireccion), kCli} + args);
            ASSERT_TRUE(p.waitForStarted(10000));
            ASSERT_TRUE(p.waitForFinished(30000));
            EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << que.toStdString();
            EXPECT_EQ(p.exitCode(), 2) << que.toStdString();
            const QString err = QString::fromUtf8(p.readAllStandardError());
            EXPECT_EQ(err, QString::fromUtf8("palavrix-cli: no se puede leer la entrada estándar\n"))
                << que.toStdString();
            EXPECT_TRUE(p.readAllStandardOutput().isEmpty()) << que.toStdString();
        }
    }
}

// A program that writes its text in pieces, with pauses, into the pipe: the reader waits for the
// rest instead of taking a pause for a fault.
TEST(PalavrixCli, TextThatArrivesInPiecesThroughAPipeIsReadWhole) {
    for (const QStringList& args :
         {QStringList{"traducir", "EspIng"}, QStringList{"traducir", "--frases", "EspIng"}}) {
        QProcess p;
        p.start(QStringLiteral("/bin/sh"),
                QStringList{
                    "-c", QStringLiteral("(printf 'el libro '; sleep 0.3; printf 'rojo\n') | \"$0\" \"$@\""),
                    kCli} +
                    args);
        ASSERT_TRUE(p.waitForStarted(10000));
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << args.join(' ').toStdString() << p.readAllStandardError().toStdString();
        const QString salida = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_TRUE(salida.contains("book") && salida.contains("red")) << salida.toStdString();
    }
}

TEST(PalavrixCli, ADamagedTransducerIsNotReadTheHeadwordsStillAnswerAndItSaysSoOnce) {
    // A copy of the program beside the build's dictionary and a copy of its transducers, the
    // Spanish analyser with one byte changed (lttoolbox would read it and end the program).
    QTemporaryDir carpeta;
    const QString copia = carpeta.filePath("palavrix-cli");
    ASSERT_TRUE(QFile::copy(kCli, copia));
    ASSERT_TRUE(
        QFile::link(QStringLiteral(PALAVRIX_BUILD_DIR "/PALAVRIX.MDB"), carpeta.filePath("PALAVRIX.MDB")));
    const QDir morfologia(QStringLiteral(PALAVRIX_BUILD_DIR "/Morfologia"));
    ASSERT_TRUE(QDir(carpeta.path()).mkdir("Morfologia"));
    for (const QString& nombre : morfologia.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(morfologia.filePath(nombre), carpeta.filePath("Morfologia/" + nombre)));
    const QString analizador = carpeta.filePath("Morfologia/spa-eng.automorf.bin");
    EXPECT_EQ(Correr({"buscar", "EspIng", "libros"}, {}, copia).codigo, 0);
    {
        QFile f(analizador);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek(100));
        ASSERT_EQ(f.write("\xff", 1), 1);
    }

    const QString aviso = QString::fromUtf8("Falta o está dañado el archivo «spa-eng.automorf.bin»");
    const Salida forma = Correr({"buscar", "EspIng", "libros"}, {}, copia);
    EXPECT_EQ(forma.codigo, 1) << forma.err.toStdString();
    EXPECT_TRUE(forma.out.contains("<Palabra no encontrada>"));
    EXPECT_EQ(forma.err.count(aviso), 1) << forma.err.toStdString();
    EXPECT_EQ(forma.err.count('\n'), 1) << forma.err.toStdString();

    const Salida lema = Correr({"buscar", "EspIng", "libro"}, {}, copia);
    EXPECT_EQ(lema.codigo, 0);
    EXPECT_TRUE(lema.out.contains("Traduccion: book\n")) << lema.out.toStdString();

    // Many words that are no headwords, one notice.
    const Salida texto =
        Correr({"traducir", "EspIng"}, QString("Los libros y las casas, el libro.").toUtf8(), copia);
    EXPECT_EQ(texto.codigo, 0);
    EXPECT_TRUE(texto.out.contains("<libros>")) << texto.out.toStdString();
    EXPECT_TRUE(texto.out.contains("book")) << texto.out.toStdString();
    EXPECT_EQ(texto.err.count(aviso), 1) << texto.err.toStdString();

    // A transducer that is missing altogether is said once in the same words.
    ASSERT_TRUE(QFile::remove(analizador));
    const Salida falta = Correr({"buscar", "EspIng", "libros"}, {}, copia);
    EXPECT_EQ(falta.codigo, 1);
    EXPECT_EQ(falta.err.count(aviso), 1) << falta.err.toStdString();
}
