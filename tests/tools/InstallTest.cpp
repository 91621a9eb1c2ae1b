// The installed layout (cmake --install) and the launcher in bin/.
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString kBuild = QStringLiteral(PALAVRIX_BUILD_DIR);
const QString kFuente = QStringLiteral(PALAVRIX_SOURCE_DIR);

// Relative path -> size of every file below `raiz`.
QMap<QString, qint64> Archivos(const QString& raiz) {
    QMap<QString, qint64> out;
    QDirIterator it(raiz, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        out.insert(QDir(raiz).relativeFilePath(it.filePath()), it.fileInfo().size());
    }
    return out;
}

QByteArray Huella(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(&f);
    return h.result();
}

// The keys of the [Desktop Entry] group of a .desktop file, read as UTF-8.
QMap<QString, QString> Entrada(const QString& ruta) {
    QMap<QString, QString> out;
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return out;
    const QStringList lineas = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    bool grupo = false;
    for (const QString& l : lineas) {
        if (l.startsWith(QLatin1Char('['))) grupo = l == QLatin1String("[Desktop Entry]");
        const qsizetype igual = l.indexOf(QLatin1Char('='));
        if (grupo && igual > 0) out.insert(l.left(igual), l.mid(igual + 1));
    }
    return out;
}

class Instalacion : public ::testing::Test {
protected:
    // One installation for all the tests: the data folder is a few hundred megabytes. Under ctest
    // a test of its own has made it (PALAVRIX_INSTALACION names it); run alone, the program makes
    // its own.
    static void SetUpTestSuite() {
        const QString hecha = qEnvironmentVariable("PALAVRIX_INSTALACION");
        if (!hecha.isEmpty()) {
            raiz_ = hecha;
            correcto_ = QFileInfo(Ruta(QStringLiteral("bin"))).isDir();
            salida_ = QStringLiteral("no installation in ") + hecha;
            return;
        }
        destino_ = new QTemporaryDir(kBuild + QStringLiteral("/instalacion-XXXXXX"));
        raiz_ = destino_->path();
        QProcess cmake;
        cmake.setProcessChannelMode(QProcess::MergedChannels);
        cmake.start(QStringLiteral(PALAVRIX_CMAKE),
                    {QStringLiteral("--install"), kBuild, QStringLiteral("--prefix"), raiz_});
        const bool fin = cmake.waitForFinished(300000);
        salida_ = QString::fromLocal8Bit(cmake.readAll());
        correcto_ = fin && cmake.exitStatus() == QProcess::NormalExit && cmake.exitCode() == 0;
    }
    static void TearDownTestSuite() {
        delete destino_;
        destino_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(correcto_) << salida_.toStdString(); }
    static QString Ruta(const QString& relativa) { return raiz_ + QLatin1Char('/') + relativa; }

    static inline QTemporaryDir* destino_ = nullptr;
    static inline QString raiz_;
    static inline QString salida_;
    static inline bool correcto_ = false;
};

} // namespace

TEST_F(Instalacion, ProgramFolderHoldsTheExecutableAndTheDataExactlyAsBuilt) {
    const QFileInfo programa(Ruta(QStringLiteral("lib/palavrix/palavrix")));
    ASSERT_TRUE(programa.isFile());
    EXPECT_TRUE(programa.isExecutable());
    for (const char* nombre : {"PALAVRIX.MDB", "Genie.ACS"}) {
        const QString instalado = Ruta(QStringLiteral("lib/palavrix/") + QLatin1String(nombre));
        const QByteArray huella = Huella(instalado);
        EXPECT_FALSE(huella.isEmpty()) << nombre;
        EXPECT_EQ(huella, Huella(kBuild + QLatin1Char('/') + QLatin1String(nombre))) << nombre;
    }

    // Every data file, in the same place and of the same size; only the build's own stamp stays.
    QMap<QString, qint64> construidos = Archivos(kBuild + QStringLiteral("/Palavrix"));
    construidos.remove(QStringLiteral("PRONUN/.grabaciones"));
    const QMap<QString, qint64> instalados = Archivos(Ruta(QStringLiteral("lib/palavrix/Palavrix")));
    ASSERT_FALSE(construidos.isEmpty());
    for (const char* carpeta : {"ENTORNO/IMAGENES/", "SONIDOS/", "PRONUN/", "PROPIEDADES/"}) {
        const bool hay = std::any_of(construidos.keyBegin(), construidos.keyEnd(),
                                     [&](const QString& k) { return k.startsWith(QLatin1String(carpeta)); });
        EXPECT_TRUE(hay) << carpeta;
    }
    EXPECT_EQ(instalados.size(), construidos.size());
    int distintos = 0;
    for (auto it = construidos.cbegin(); it != construidos.cend(); ++it)
        if (instalados.value(it.key(), -1) != it.value() && ++distintos <= 5)
            ADD_FAILURE() << "falta o difiere: " << it.key().toStdString();
}

TEST_F(Instalacion, SoftwareCentresFindAValidMetainfoThatLaunchesTheDesktopEntry) {
    const QString metainfo =
        Ruta(QStringLiteral("share/metainfo/com.norvento_programs.palavrix.metainfo.xml"));
    ASSERT_TRUE(QFileInfo::exists(metainfo));
    QFile f(metainfo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(f.readAll());
    // The id is the About window's web address read backwards.
    EXPECT_TRUE(xml.contains("<id>com.norvento_programs.palavrix</id>"));
    EXPECT_TRUE(xml.contains("<url type=\"homepage\">https://www.norvento-programs.com</url>"));
    EXPECT_TRUE(xml.contains("<launchable type=\"desktop-id\">palavrix.desktop</launchable>"));
    EXPECT_TRUE(QFileInfo::exists(Ruta(QStringLiteral("share/applications/palavrix.desktop"))));
    for (const QStringList& args : {QStringList{"validate", "--no-net", "--pedantic", metainfo},
                                    QStringList{"validate-tree", "--no-net", raiz_}}) {
        QProcess appstream;
        appstream.setProcessChannelMode(QProcess::MergedChannels);
        appstream.start(QStringLiteral("appstreamcli"), args);
        ASSERT_TRUE(appstream.waitForFinished(60000)) << "appstreamcli (package appstream) is needed";
        EXPECT_EQ(appstream.exitCode(), 0)
            << args.first().toStdString() << ": " << appstream.readAll().toStdString();
    }
}

TEST_F(Instalacion, DesktopEntryAndIconsAreWhereDesktopsLook) {
    const QMap<QString, QString> e = Entrada(Ruta(QStringLiteral("share/applications/palavrix.desktop")));
    EXPECT_EQ(e.value(QStringLiteral("Type")), QStringLiteral("Application"));
    EXPECT_EQ(e.value(QStringLiteral("Name")), QStringLiteral("Palavrix"));
    EXPECT_EQ(e.value(QStringLiteral("Comment")),
              QStringLiteral("Diccionario multilingüe para hispanohablantes"));
    // One main category, so that menus list the program once; "Dictionary" goes with "Office".
    EXPECT_EQ(e.value(QStringLiteral("Categories")), QStringLiteral("Office;Dictionary;"));
    static const QStringList principales{"AudioVideo", "Audio",    "Video",   "Development", "Education",
                                         "Game",       "Graphics", "Network", "Office",      "Science",
                                         "Settings",   "System",   "Utility"};
    int cuantas = 0;
    for (const QString& c : e.value(QStringLiteral("Categories")).split(';', Qt::SkipEmptyParts))
        cuantas += principales.contains(c);
    EXPECT_EQ(cuantas, 1);
    // The launcher's name, found on PATH, and the icon's theme name.
    EXPECT_EQ(e.value(QStringLiteral("Exec")), QStringLiteral("palavrix"));
    EXPECT_EQ(e.value(QStringLiteral("Icon")), QStringLiteral("palavrix"));
    EXPECT_TRUE(QFileInfo(Ruta(QStringLiteral("bin/palavrix"))).isExecutable());

    const QImage svg(Ruta(QStringLiteral("share/icons/hicolor/scalable/apps/palavrix.svg")));
    const QImage png(Ruta(QStringLiteral("share/icons/hicolor/128x128/apps/palavrix.png")));
    EXPECT_FALSE(svg.isNull());
    ASSERT_EQ(png.size(), QSize(128, 128));
    // Rounded corners are see-through, the middle is drawn.
    EXPECT_EQ(qAlpha(png.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(png.pixel(64, 64)), 255);

    QFile copyright(Ruta(QStringLiteral("share/doc/palavrix/copyright")));
    ASSERT_TRUE(copyright.open(QIODevice::ReadOnly));
    const QByteArray texto = copyright.readAll();
    EXPECT_TRUE(texto.contains("License: GPL-2")) << "the Apertium-derived database is GPL-2";
    EXPECT_TRUE(texto.contains("Files: usr/lib/palavrix/PALAVRIX.MDB"));
}

TEST_F(Instalacion, TheManualPagesAreWhereManLooksAndRead) {
    for (const QString pagina : {"palavrix", "palavrix-cli"}) {
        const QString ruta = Ruta(QStringLiteral("share/man/man1/%1.1.gz").arg(pagina));
        ASSERT_TRUE(QFileInfo(ruta).isFile()) << ruta.toStdString();
        const QString man = QStandardPaths::findExecutable(QStringLiteral("man"));
        if (man.isEmpty()) continue;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        env.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
        p.setProcessEnvironment(env);
        p.start(man, {QStringLiteral("--warnings"), QStringLiteral("-l"), ruta});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0);
        EXPECT_TRUE(p.readAllStandardError().isEmpty()) << pagina.toStdString();
        EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput()).contains(QStringLiteral("NOMBRE")));
    }
}

// The launcher, run through a symbolic link from elsewhere, starts the executable of its own
// installation with the arguments untouched, and prefers X11 only when nobody chose a platform.
TEST(Lanzador, StartsTheProgramBesideItWithItsArguments) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString raiz = dir.filePath(QStringLiteral("prefijo con espacio"));
    ASSERT_TRUE(QDir().mkpath(raiz + QStringLiteral("/bin")));
    ASSERT_TRUE(QDir().mkpath(raiz + QStringLiteral("/lib/palavrix")));
    ASSERT_TRUE(QFile::copy(kFuente + QStringLiteral("/packaging/palavrix.sh"),
                            raiz + QStringLiteral("/bin/palavrix")));
    const QString informe = dir.filePath(QStringLiteral("informe"));
    {
        // A stand-in program that reports where it runs from and what it received.
        QFile stub(raiz + QStringLiteral("/lib/palavrix/palavrix"));
        ASSERT_TRUE(stub.open(QIODevice::WriteOnly));
        stub.write("#!/bin/sh\n{ echo \"$0\"; for a in \"$@\"; do echo \"[$a]\"; done; "
                   "echo \"plataforma=${QT_QPA_PLATFORM:-}\"; } > \"$INFORME\"\n");
        stub.close();
        stub.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    QFile(raiz + QStringLiteral("/bin/palavrix"))
        .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString enlace = dir.filePath(QStringLiteral("enlace"));
    ASSERT_TRUE(QFile::link(raiz + QStringLiteral("/bin/palavrix"), enlace));

    auto lanzar = [&](const QStringList& entorno) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("INFORME"), informe);
        for (const QString& v : entorno)
            env.insert(v.section(QLatin1Char('='), 0, 0), v.section(QLatin1Char('='), 1));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(QDir::rootPath());
        p.start(enlace, {QStringLiteral("una palabra"), QString(), QStringLiteral("*")});
        EXPECT_TRUE(p.waitForFinished(10000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        QFile f(informe);
        if (!f.open(QIODevice::ReadOnly)) return QStringList();
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    };

    const QStringList sinPantalla = lanzar({});
    ASSERT_EQ(sinPantalla.size(), 5);
    EXPECT_EQ(QFileInfo(sinPantalla[0]).canonicalFilePath(),
              QFileInfo(raiz + QStringLiteral("/lib/palavrix/palavrix")).canonicalFilePath());
    EXPECT_EQ(sinPantalla.mid(1, 3), (QStringList{"[una palabra]", "[]", "[*]"}));
    EXPECT_EQ(sinPantalla[4], QStringLiteral("plataforma="));

    EXPECT_EQ(lanzar({QStringLiteral("DISPLAY=:7")}).value(4), QStringLiteral("plataforma=xcb"));
    EXPECT_EQ(lanzar({QStringLiteral("DISPLAY=:7"), QStringLiteral("QT_QPA_PLATFORM=wayland")}).value(4),
              QStringLiteral("plataforma=wayland"));
}
