#include "startup/General.h"

#include "dictionary_data/BaseDatos.h"
#include "dictionary_window/frmPrincipal.h"
#include "guide/MSAgent.h"
#include "platform/Notices.h"
#include "platform/Form.h"
#include "platform/Screen.h"
#include "platform/SingleInstance.h"
#include "startup/VerificarDrive.h"
#include "startup/frmPresentacion.h"

#include <QMessageBox>

ResultadoMain Main(PasosArranque& pasos) {
    if (pasos.InstanciaPrevia()) return ResultadoMain::InstanciaRepetida;
    pasos.LocalizarDatos();
    pasos.PunteroEspera();
    pasos.MostrarPresentacion();
    pasos.MostrarPrincipal();
    pasos.CargarAgente(QStringLiteral("Genie"));
    try {
        pasos.AbrirBaseDatos();
    } catch (const dao::DaoError& e) {
        Screen::SetMousePointer(Screen::vbDefault);
        pasos.InformarError(MensajeErrorBaseDatos(RutaBaseDatos(), e.Number(), e.Description()));
        return ResultadoMain::ErrorBaseDatos;
    }
    return ResultadoMain::Continuar;
}

QString MensajeErrorBaseDatos(const QString& ruta, int numero, const QString& descripcion) {
    return QStringLiteral("No se pudo abrir la base de datos del diccionario:\n%1\n\nError %2: %3\n\n"
                          "Palavrix se cerrará.")
        .arg(ruta)
        .arg(numero)
        .arg(descripcion);
}

bool PasosPrograma::InstanciaPrevia() { return single_instance::AnotherInstanceRunning(); }
void PasosPrograma::LocalizarDatos() { ::LocalizarDatos(); }
void PasosPrograma::PunteroEspera() { Screen::SetMousePointer(Screen::vbHourglass); }
void PasosPrograma::MostrarPresentacion() { (new frmPresentacion)->Show(); }
void PasosPrograma::MostrarPrincipal() { (new frmPrincipal)->Show(); }
void PasosPrograma::CargarAgente(const QString& nombre) { ::CargarAgente(nombre); }
void PasosPrograma::AbrirBaseDatos() { ::AbrirBaseDatos(); }
void PasosPrograma::InformarError(const QString& mensaje) {
    // The splash stays on top of everything; with no window manager to raise the message over
    // it, the user would see the logo and never the reason the program ends.
    if (auto* splash = Forms::Find<frmPresentacion>()) splash->Unload();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Palavrix"), mensaje, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

void SecuenciaSalida(Form* ventana) {
    if (AgenteActivo) DescargarAgente();
    CerrarBaseDatos();
    // A notice still on the screen would keep the program alive after its last window.
    notices::CloseAll();
    ventana->Unload();
    Screen::SetMousePointer(Screen::vbDefault);
}
