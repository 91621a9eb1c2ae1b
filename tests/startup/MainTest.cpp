#include "dictionary_data/BaseDatos.h"
#include "platform/Dao.h"
#include "platform/Form.h"
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

#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

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
    // A temporary folder that cannot hold the lock: its path goes through a plain file.
    QFile archivo(dir.filePath("archivo"));
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.close();
    EXPECT_EQ(single_instance::TakeLock(dir.filePath("archivo/palavrix.lock")),
              single_instance::Lock::Impossible);

    // A lock left by a process that is gone is taken over; one held by a live process is not.
    const QString viejo = dir.filePath("viejo.lock");
    {
        QFile f(viejo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("999999999\npalavrix\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    // A live copy: this very process, holding the lock the way the program does.
    const QString ocupado = dir.filePath("ocupado.lock");
    QLockFile vivo(ocupado);
    ASSERT_TRUE(vivo.tryLock(0));
    EXPECT_EQ(single_instance::TakeLock(ocupado), single_instance::Lock::Held);
    EXPECT_EQ(single_instance::TakeLock(viejo), single_instance::Lock::Taken);
}

TEST(Main, WithATemporaryFolderThatCannotHoldTheLockTheProgramStartsAndSaysWhy) {
    QTemporaryDir dir;
    QFile archivo(dir.filePath("archivo"));
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.close();
    QProcess programa;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", dir.filePath("archivo/tmp"));
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
