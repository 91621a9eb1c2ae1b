#include "dictionary_data/BaseDatos.h"
#include "platform/Dao.h"
#include "platform/Form.h"
#include "platform/Notices.h"
#include "platform/Paths.h"
#include "platform/Screen.h"
#include "platform/SingleInstance.h"
#include "platform/Sound.h"
#include "startup/General.h"
#include "startup/frmPresentacion.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class RecordingSteps : public PasosArranque {
public:
    QStringList log;
    bool previous = false;
    bool dbFails = false;
    QString message;
    bool InstanciaPrevia() override {
        log << "InstanciaPrevia";
        return previous;
    }
    void LocalizarDatos() override { log << "LocalizarDatos"; }
    void PunteroEspera() override {
        log << "PunteroEspera";
        Screen::SetMousePointer(Screen::vbHourglass);
    }
    void MostrarPresentacion() override { log << "MostrarPresentacion"; }
    void MostrarPrincipal() override { log << "MostrarPrincipal"; }
    void CargarAgente(const QString& n) override { log << "CargarAgente " + n; }
    void AbrirBaseDatos() override {
        log << "AbrirBaseDatos";
        if (dbFails) throw dao::DaoError(dao::errFileNotFound, "No se encuentra el archivo.");
    }
    void InformarError(const QString& m) override {
        log << "InformarError";
        message = m;
    }
};

} // namespace

TEST(Main, TakesItsStepsInOrderAndOpensTheDatabaseLast) {
    RecordingSteps steps;
    EXPECT_EQ(Main(steps), ResultadoMain::Continuar);
    EXPECT_EQ(steps.log,
              (QStringList{"InstanciaPrevia", "LocalizarDatos", "PunteroEspera", "MostrarPresentacion",
                           "MostrarPrincipal", "CargarAgente Genie", "AbrirBaseDatos"}));
}

TEST(Main, ASecondInstanceStopsBeforeAnythingElse) {
    RecordingSteps steps;
    steps.previous = true;
    EXPECT_EQ(Main(steps), ResultadoMain::InstanciaRepetida);
    EXPECT_EQ(steps.log, QStringList{"InstanciaPrevia"});
}

TEST(Main, ADatabaseThatWillNotOpenIsReportedInSpanishAndTheHourglassGoes) {
    RecordingSteps steps;
    steps.dbFails = true;
    EXPECT_EQ(Main(steps), ResultadoMain::ErrorBaseDatos);
    EXPECT_EQ(steps.log.last(), "InformarError");
    EXPECT_TRUE(steps.message.contains(RutaBaseDatos()));
    EXPECT_TRUE(steps.message.contains("Error 3024"));
    EXPECT_TRUE(steps.message.contains("No se encuentra el archivo"));
    EXPECT_EQ(Screen::MousePointer(), Screen::vbDefault);
}

TEST(Main, TheDatabaseMessageComesInFrontOfTheSplashWhichIsGone) {
    QTemporaryDir dir;
    paths::SetAppPath(dir.path());
    PasosPrograma real;
    real.MostrarPresentacion();
    ASSERT_NE(Forms::Find<frmPresentacion>(), nullptr);
    bool splashVisible = true, encima = false;
    QString texto;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        auto* splash = Forms::Find<frmPresentacion>();
        splashVisible = splash && splash->isVisible();
        encima = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        texto = box->text();
        box->accept();
    });
    real.InformarError(QStringLiteral("No se pudo abrir la base de datos del diccionario"));
    EXPECT_FALSE(splashVisible);
    EXPECT_TRUE(encima);
    EXPECT_EQ(texto, "No se pudo abrir la base de datos del diccionario");
    Forms::FlushUnloaded();
    sound::Resume(); // the splash held sound until a window painted
    paths::SetAppPath(QString());
}

TEST(Main, ANoticeThatOpensWhileTheSplashIsUpEndsTheSplashInsteadOfHidingUnderIt) {
    // After the drive question, a data folder without pictures brings a notice; the splash,
    // above everything at the screen's corner, covered it.
    QTemporaryDir dir;
    paths::SetAppPath(dir.path());
    notices::Install(nullptr);
    PasosPrograma real;
    real.MostrarPresentacion();
    auto* splash = Forms::Find<frmPresentacion>();
    ASSERT_NE(splash, nullptr);
    ASSERT_TRUE(splash->isVisible());
    notices::Notify(QStringLiteral("No se pudo leer la imagen de la ventana"));
    // The notice shows once the event loop turns, and the splash ends at the turn after.
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    Forms::FlushUnloaded();
    EXPECT_EQ(Forms::Find<frmPresentacion>(), nullptr);
    notices::CloseAll();
    sound::Resume();
    paths::SetAppPath(QString());
}

TEST(Main, RealStepsReportAMissingDatabaseFileWithItsNumber) {
    QTemporaryDir dir;
    paths::SetAppPath(dir.path());
    PasosPrograma real;
    try {
        real.AbrirBaseDatos();
        FAIL() << "opened a database that is not there";
    } catch (const dao::DaoError& e) {
        EXPECT_EQ(e.Number(), dao::errFileNotFound);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("PALAVRIX.MDB")));
    paths::SetAppPath(QString());
}

TEST(Main, ASecondProcessEndsAtOnceWhileTheFirstRuns) {
    QProcess first;
    first.start(PALAVRIX_EXECUTABLE, {});
    ASSERT_TRUE(first.waitForStarted(5000));
    QThread::msleep(1500); // let it take the instance lock
    ASSERT_EQ(first.state(), QProcess::Running);

    QProcess second;
    second.start(PALAVRIX_EXECUTABLE, {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished(5000);
}

TEST(Main, OnlyALockHeldByALiveCopyMeansAnotherIsRunning) {
    QTemporaryDir dir;
    // A folder that cannot hold the lock: its path goes through a plain file.
    QFile archivo(dir.filePath("archivo"));
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.close();
    EXPECT_EQ(single_instance::TakeLock(dir.filePath("archivo/palavrix.lock")),
              single_instance::Lock::Impossible);

    // A file left by a copy that is gone, whatever it holds and however old, is taken.
    const QString viejo = dir.filePath("viejo.lock");
    {
        QFile f(viejo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("999999999\npalavrix\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    EXPECT_EQ(single_instance::TakeLock(viejo), single_instance::Lock::Taken);
    const QString vacio = dir.filePath("vacio.lock");
    QFile(vacio).open(QIODevice::WriteOnly);
    EXPECT_EQ(single_instance::TakeLock(vacio), single_instance::Lock::Taken);

    // A live copy: another open file holding the lock, the way a running program does.
    const QString ocupado = dir.filePath("ocupado.lock");
    const int vivo = ::open(QFile::encodeName(ocupado).constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(vivo, 0);
    ASSERT_EQ(::flock(vivo, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(single_instance::TakeLock(ocupado), single_instance::Lock::Held);
    ::close(vivo); // as when that copy ends, however it ends
    EXPECT_EQ(single_instance::TakeLock(ocupado), single_instance::Lock::Taken);
}

TEST(Main, WhatElseStandsAtTheLocksNameIsTakenAwayAndNeverFollowed) {
    QTemporaryDir dir;
    const QByteArray destino = QFile::encodeName(dir.filePath("de-otro.txt"));
    {
        QFile f(QFile::decodeName(destino));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("no tocar");
    }
    const auto lock = [&](const char* nombre) { return QFile::encodeName(dir.filePath(nombre)); };
    ASSERT_EQ(::mkdir(lock("carpeta.lock").constData(), 0700), 0);
    ASSERT_EQ(::symlink(destino.constData(), lock("enlace.lock").constData()), 0);
    ASSERT_EQ(::symlink("/no/existe/nada", lock("colgante.lock").constData()), 0);
    ASSERT_EQ(::mkfifo(lock("fifo.lock").constData(), 0600), 0);
    // Before, a FIFO here kept the start waiting in open() for ever, and each of the others made
    // every start end at once as if another copy were running.
    for (const char* nombre : {"carpeta.lock", "enlace.lock", "colgante.lock", "fifo.lock"}) {
        EXPECT_EQ(single_instance::TakeLock(QFile::decodeName(lock(nombre))), single_instance::Lock::Taken)
            << nombre;
        struct stat st {};
        ASSERT_EQ(::lstat(lock(nombre).constData(), &st), 0) << nombre;
        EXPECT_TRUE(S_ISREG(st.st_mode)) << nombre;
    }
    QFile f(QFile::decodeName(destino));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "no tocar") << "the file a link named was written";
    // A folder with things in it is not emptied: the lock is impossible, the program starts.
    ASSERT_TRUE(QDir(dir.path()).mkpath("llena.lock/algo"));
    EXPECT_EQ(single_instance::TakeLock(dir.filePath("llena.lock")), single_instance::Lock::Impossible);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("llena.lock/algo")));
}

TEST(Main, TheLockLivesInTheUsersRuntimeFolderOrInAClosedFolderOfItsOwn) {
    QTemporaryDir xdg, tmp;
    ASSERT_TRUE(QFile::setPermissions(xdg.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner));
    const QByteArray antesXdg = qgetenv("XDG_RUNTIME_DIR"), antesTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tmp.path()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(xdg.path()));
    EXPECT_EQ(single_instance::LockPath(), QDir(xdg.path()).filePath("palavrix.lock"));
    // A runtime folder others may enter, or a relative one, is not trusted.
    ASSERT_TRUE(QFile::setPermissions(xdg.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                      QFileDevice::WriteOther | QFileDevice::ExeOther));
    const QString propia = QDir(tmp.path()).filePath(QStringLiteral("palavrix-%1").arg(::getuid()));
    EXPECT_EQ(single_instance::LockPath(), propia + "/palavrix.lock");
    qputenv("XDG_RUNTIME_DIR", "relativa");
    EXPECT_EQ(single_instance::LockPath(), propia + "/palavrix.lock");

    // Its own folder is made closed; one left open is closed; a file in its place is taken away.
    QString por;
    ASSERT_TRUE(single_instance::PrepareFolder(propia, &por)) << por.toStdString();
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(propia).constData(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::chmod(QFile::encodeName(propia).constData(), 0777), 0);
    ASSERT_TRUE(single_instance::PrepareFolder(propia, &por));
    ASSERT_EQ(::lstat(QFile::encodeName(propia).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_TRUE(QDir(propia).removeRecursively());
    ASSERT_EQ(::symlink("/tmp", QFile::encodeName(propia).constData()), 0);
    ASSERT_TRUE(single_instance::PrepareFolder(propia, &por)) << por.toStdString();
    ASSERT_EQ(::lstat(QFile::encodeName(propia).constData(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode)) << "a link in place of the folder was followed";

    qputenv("XDG_RUNTIME_DIR", antesXdg);
    if (antesXdg.isNull()) qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", antesTmp);
    if (antesTmp.isNull()) qunsetenv("TMPDIR");
}

TEST(Main, JunkWhereTheLockGoesNeitherStopsTheStartNorPassesInSilence) {
    // Before, an empty folder at the lock's name made every start end at once, showing nothing.
    QTemporaryDir xdg;
    ASSERT_TRUE(QFile::setPermissions(xdg.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner));
    ASSERT_TRUE(QDir(xdg.path()).mkdir("palavrix.lock"));
    QProcess programa;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", xdg.path());
    programa.setProcessEnvironment(env);
    programa.start(PALAVRIX_EXECUTABLE, {});
    ASSERT_TRUE(programa.waitForStarted(5000));
    EXPECT_FALSE(programa.waitForFinished(4000)) << "ended with status " << programa.exitCode();
    const QString error = QString::fromUtf8(programa.readAllStandardError());
    EXPECT_TRUE(error.contains("una carpeta en lugar del archivo de bloqueo")) << error.toStdString();

    // A second copy started now finds the first and ends at once, showing nothing.
    QProcess segunda;
    segunda.setProcessEnvironment(env);
    segunda.start(PALAVRIX_EXECUTABLE, {});
    ASSERT_TRUE(segunda.waitForFinished(10000));
    EXPECT_EQ(segunda.exitCode(), 0);
    EXPECT_EQ(programa.state(), QProcess::Running);
    programa.kill();
    programa.waitForFinished(5000);
}

TEST(Main, WithATemporaryFolderThatCannotHoldTheLockTheProgramStartsAndSaysWhy) {
    QTemporaryDir dir;
    QFile archivo(dir.filePath("archivo"));
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.close();
    QProcess programa;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", dir.filePath("archivo/tmp"));
    env.remove("XDG_RUNTIME_DIR");
    programa.setProcessEnvironment(env);
    // Started from a folder it can write in: the lock must not fall back to it.
    QTemporaryDir desde;
    programa.setWorkingDirectory(desde.path());
    programa.start(PALAVRIX_EXECUTABLE, {});
    ASSERT_TRUE(programa.waitForStarted(5000));
    // Before, it took the failure for another copy and ended at once with status 0.
    EXPECT_FALSE(programa.waitForFinished(4000)) << "ended with status " << programa.exitCode();
    EXPECT_EQ(programa.state(), QProcess::Running);
    const QString error = QString::fromUtf8(programa.readAllStandardError());
    EXPECT_TRUE(error.contains("no se pudo crear el archivo de bloqueo")) << error.toStdString();
    EXPECT_TRUE(QDir(desde.path()).entryList(QDir::Files).isEmpty())
        << "a lock in the folder it was started from";
    programa.kill();
    programa.waitForFinished(5000);
}
