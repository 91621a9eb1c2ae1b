// Reading what is found on disk as if it could be anything: only regular files are read, never
// blocking, and never past the limit in bytes actually read; the settings file and the documents
// handed to the desktop are held to the same rule.
#include "platform/Files.h"
#include "platform/Settings.h"
#include "platform/Shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QString Escribir(const QTemporaryDir& dir, const QString& nombre, const QByteArray& datos) {
    QFile f(dir.filePath(nombre));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(datos);
    return f.fileName();
}

QString Fifo(const QTemporaryDir& dir, const QString& nombre) {
    const QString ruta = dir.filePath(nombre);
    EXPECT_EQ(::mkfifo(QFile::encodeName(ruta).constData(), 0600), 0);
    return ruta;
}

} // namespace

TEST(Files, OnlyARegularFileWithinTheLimitIsRead) {
    QTemporaryDir dir;
    const QString diez = Escribir(dir, "diez", "0123456789");
    EXPECT_EQ(files::ReadRegular(diez, 10).bytes, "0123456789");
    EXPECT_EQ(files::ReadRegular(diez, 10).status, files::Status::Ok);
    EXPECT_EQ(files::ReadRegular(diez, 9).status, files::Status::TooLarge);
    EXPECT_TRUE(files::ReadRegular(diez, 9).bytes.isEmpty());
    const files::Contents vacio = files::ReadRegular(Escribir(dir, "vacio", ""), 0);
    EXPECT_TRUE(vacio.ok());
    EXPECT_TRUE(vacio.bytes.isEmpty());

    ASSERT_TRUE(QFile::link(diez, dir.filePath("enlace")));
    EXPECT_EQ(files::ReadRegular(dir.filePath("enlace"), 100).bytes, "0123456789");
    EXPECT_EQ(files::ReadRegular(dir.filePath("nada"), 100).status, files::Status::Missing);
    ASSERT_TRUE(QFile::link(dir.filePath("nada"), dir.filePath("colgante")));
    EXPECT_EQ(files::ReadRegular(dir.filePath("colgante"), 100).status, files::Status::Missing);
    EXPECT_EQ(files::ReadRegular(diez + "/dentro", 100).status, files::Status::Missing);
    EXPECT_EQ(files::ReadRegular(QString(), 100).status, files::Status::Missing);

    // A folder, a FIFO (opening it would wait for a writer for ever), devices that report no size
    // and never end, and links to them: none is read.
    ASSERT_TRUE(QFile::link("/dev/zero", dir.filePath("cero")));
    for (const QString& ruta : {dir.path(), Fifo(dir, "fifo"), QString("/dev/zero"), QString("/dev/urandom"),
                                QString("/dev/null"), dir.filePath("cero")}) {
        EXPECT_EQ(files::ReadRegular(ruta, 1 << 20).status, files::Status::NotRegular) << ruta.toStdString();
        EXPECT_FALSE(files::IsRegular(ruta)) << ruta.toStdString();
    }
    EXPECT_TRUE(files::IsRegular(diez));
    EXPECT_TRUE(files::IsRegular(diez, 10));
    EXPECT_FALSE(files::IsRegular(diez, 9));
}

TEST(Files, ASettingsFileThatIsAStreamOrHugeIsNeitherReadNorWrittenOver) {
    settings::Install(nullptr);
    settings::Store& almacen = settings::Current();
    const QString archivo = QSettings().fileName();
    // Where the store says the values are is where Qt keeps them.
    EXPECT_EQ(almacen.Location(), QDir::toNativeSeparators(archivo));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(archivo).path()));
    QFile::remove(archivo);

    // Before, a FIFO here held the start in open() for ever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(archivo).constData(), 0600), 0);
    EXPECT_EQ(almacen.Value("DriveCD", "C"), "C");
    EXPECT_FALSE(almacen.SetValue("DriveCD", "E"));
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(archivo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "what stood there was replaced";
    QFile::remove(archivo);

    // A sparse gigabyte took seconds and gigabytes of memory at every start.
    {
        QFile f(archivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[General]\nDriveCD=E\n");
    }
    EXPECT_EQ(almacen.Value("DriveCD", "C"), "E");
    ASSERT_TRUE(QFile::resize(archivo, 1LL << 30));
    EXPECT_EQ(almacen.Value("DriveCD", "C"), "C");
    EXPECT_FALSE(almacen.SetValue("DriveCD", "D"));
    EXPECT_EQ(QFileInfo(archivo).size(), 1LL << 30);
    QFile::remove(archivo);
    EXPECT_TRUE(almacen.SetValue("DriveCD", "D"));
    EXPECT_EQ(almacen.Value("DriveCD", "C"), "D");
    QFile::remove(archivo);
}

TEST(Files, TheDesktopIsNeverHandedAStreamAsADocument) {
    QTemporaryDir dir;
    shell::Install(nullptr);
    EXPECT_FALSE(shell::Current().Open(Fifo(dir, "PalavrixHelp.htm")));
    EXPECT_FALSE(shell::Current().Open("/dev/zero"));
    EXPECT_FALSE(shell::Current().Open(dir.filePath("no-existe.htm")));
}
