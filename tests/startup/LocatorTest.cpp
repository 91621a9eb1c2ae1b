#include "Grabadores.h"
#include "chrome/VerificarDrive.h"
#include "platform/Drives.h"
#include "platform/Notices.h"
#include "platform/Settings.h"
#include "startup/frmVerDrive.h"

#include <QComboBox>
#include <QLabel>
#include <QSettings>
#include <gtest/gtest.h>

TEST(Locator, FirstStartWithTheFolderOnCAsksNothingAndSavesNothing) {
    EntornoPrueba entorno;
    int preguntas = 0;
    FijarPreguntaDrive([&] { ++preguntas; });
    LocalizarDatos();
    EXPECT_EQ(preguntas, 0);
    EXPECT_EQ(RutaDatos, "C:\\Palavrix");
    EXPECT_TRUE(entorno.ajustes->valores.isEmpty());
    FijarPreguntaDrive(nullptr);
}

TEST(Locator, AMissingFolderIsAskedForUntilADriveThatHasItIsChosen) {
    EntornoPrueba entorno;
    QTemporaryDir usb, vacio;
    QDir(usb.path()).mkpath("Palavrix");
    entorno.tabla->unidades.push_back({QLatin1Char('D'), vacio.path(), "VACIO"});
    entorno.tabla->unidades.push_back({QLatin1Char('E'), usb.path(), "PALAVRIX"});
    GuardarDrive("D");
    QStringList respuestas{"d", "e"};
    int preguntas = 0;
    FijarPreguntaDrive([&] {
        ++preguntas;
        GuardarDrive(respuestas.takeFirst());
    });
    LocalizarDatos();
    EXPECT_EQ(preguntas, 2); // D has no folder, asked again; E has it
    EXPECT_EQ(RutaDatos, "e:\\Palavrix");
    EXPECT_EQ(entorno.ajustes->valores.value("DriveCD"), "e");
    EXPECT_EQ(drives::NativePath(RutaDatos + "\\SONIDOS\\CLICK.WAV"),
              usb.path() + "/Palavrix/SONIDOS/CLICK.WAV");

    // A folder that exists but is a file cannot be entered: 75; a letter nobody has: 76.
    QFile(vacio.filePath("Palavrix")).open(QIODevice::WriteOnly);
    EXPECT_EQ(EntrarCarpeta("D:\\Palavrix"), 75);
    EXPECT_EQ(EntrarCarpeta("Q:\\Palavrix"), 76);
    FijarPreguntaDrive(nullptr);
}

TEST(Locator, TheDialogSaysWhatIsMissingAndSavesTheChosenLetter) {
    EntornoPrueba entorno;
    QTemporaryDir usb;
    QDir(usb.path()).mkpath("Palavrix");
    entorno.tabla->unidades[0].root = QDir::tempPath() + "/no-existe-palavrix";
    entorno.tabla->unidades.push_back({QLatin1Char('D'), usb.path(), "PALAVRIX"});
    auto* dlg = new frmVerDrive;
    dlg->Load();
    EXPECT_EQ(dlg->windowTitle(), "Seleccionar Drive");
    EXPECT_EQ(dlg->lblInfo->text(), "Palavrix no encuentra la información en el drive especificado.");
    EXPECT_EQ(dlg->lblIndi->text(),
              "Asegúrese que Palavrix esté buscando en el drive correcto o que el CD-ROM de "
              "Palavrix esté colocado en el siguiente drive.");
    ASSERT_EQ(dlg->Drive1->count(), 2);
    EXPECT_EQ(dlg->Drive1->itemText(1), "d: [PALAVRIX]");
    EXPECT_EQ(dlg->Drive1->currentIndex(), 1); // the drive that holds the folder is offered
    dlg->cmdAceptar_Click();
    EXPECT_EQ(entorno.ajustes->valores.value("DriveCD"), "d");
    Forms::FlushUnloaded();
}

TEST(LocatorDeathTest, CancelEndsTheProcessAtOnce) {
    EntornoPrueba entorno;
    EXPECT_EXIT(
        {
            frmVerDrive dlg;
            dlg.Load();
            dlg.cmdCancelar_Click();
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(Locator, ADriveChoiceThatCannotBeSavedIsToldWithWhereAndHoldsForThisRun) {
    EntornoPrueba entorno;
    settings::Install(nullptr); // the real settings file, made unwritable below
    QTemporaryDir usb;
    QDir(usb.path()).mkpath("Palavrix");
    entorno.tabla->unidades[0].root = QDir::tempPath() + "/no-existe-palavrix";
    entorno.tabla->unidades.push_back({QLatin1Char('D'), usb.path(), "PALAVRIX"});
    auto& avisos = entorno.avisos;
    // The settings file cannot be written: a folder stands where it would be.
    const QString archivo = QSettings().fileName();
    QFile::remove(archivo);
    ASSERT_TRUE(QDir().mkpath(archivo));

    auto* dlg = new frmVerDrive;
    dlg->Load();
    dlg->Drive1->setCurrentIndex(1);
    dlg->cmdAceptar_Click();
    Forms::FlushUnloaded();
    ASSERT_EQ(avisos->textos.size(), 1);
    EXPECT_TRUE(avisos->textos[0].contains("No se pudo guardar la unidad elegida (D:)"))
        << avisos->textos[0].toStdString();
    EXPECT_TRUE(avisos->textos[0].contains(QDir::toNativeSeparators(archivo)))
        << avisos->textos[0].toStdString();

    // The choice holds for the rest of the run: the folder is found without asking again.
    int preguntas = 0;
    FijarPreguntaDrive([&] { ++preguntas; });
    LocalizarDatos();
    EXPECT_EQ(preguntas, 0);
    EXPECT_EQ(RutaDatos, "d:\\Palavrix");

    // Once the settings can be written again, a saved choice is saved and nothing is told.
    ASSERT_TRUE(QDir(archivo).removeRecursively());
    EXPECT_TRUE(GuardarDrive("C"));
    EXPECT_EQ(avisos->textos.size(), 1);
    EXPECT_EQ(LeerDrive(), "C");
    QSettings().remove("DriveCD");
    FijarPreguntaDrive(nullptr);
}

TEST(Locator, AStoreThatRefusesTheChoiceIsReportedByItsLocationAndTheChoiceHolds) {
    EntornoPrueba entorno;
    QTemporaryDir usb;
    QDir(usb.path()).mkpath("Palavrix");
    entorno.tabla->unidades.push_back({QLatin1Char('E'), usb.path(), "PALAVRIX"});
    entorno.ajustes->valores["DriveCD"] = "C";
    entorno.ajustes->soloLectura = true;

    EXPECT_FALSE(GuardarDrive("e"));
    ASSERT_EQ(entorno.avisos->textos.size(), 1);
    EXPECT_TRUE(entorno.avisos->textos[0].contains("No se pudo guardar la unidad elegida (E:)"));
    EXPECT_TRUE(entorno.avisos->textos[0].contains(entorno.ajustes->Location()))
        << entorno.avisos->textos[0].toStdString();
    EXPECT_EQ(entorno.ajustes->valores.value("DriveCD"), "C"); // nothing half-saved
    EXPECT_EQ(LeerDrive(), "e");                               // but this run goes on with it

    entorno.ajustes->soloLectura = false;
    EXPECT_TRUE(GuardarDrive("C"));
    EXPECT_EQ(LeerDrive(), "C");
    EXPECT_EQ(entorno.avisos->textos.size(), 1);
}
