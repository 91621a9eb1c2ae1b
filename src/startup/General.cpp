#include "startup/General.h"

#include "about/frmAcercaDe.h"
#include "chrome/Registro.h"
#include "chrome/VerificarDrive.h"
#include "dictionary_data/BaseDatos.h"
#include "dictionary_window/frmPrincipal.h"
#include "guide/MSAgent.h"
#include "notes/frmPropiedades.h"
#include "platform/Form.h"
#include "platform/Notices.h"
#include "platform/Screen.h"
#include "platform/SingleInstance.h"
#include "platform/Sound.h"
#include "startup/PrimeraPintura.h"
#include "startup/frmPresentacion.h"
#include "startup/frmVerDrive.h"
#include "translator/frmTraductor.h"

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

bool PasosPrograma::InstanciaPrevia() {
    return single_instance::AnotherInstanceRunning();
}
void PasosPrograma::LocalizarDatos() {
    ::LocalizarDatos();
}
void PasosPrograma::PunteroEspera() {
    Screen::SetMousePointer(Screen::vbHourglass);
}
void PasosPrograma::MostrarPresentacion() {
    // Making the sound back end (a plug-in scan on a first start) would keep the splash off the
    // screen: its sound waits until the splash has painted, and then plays.
    sound::Hold();
    TrasPrimeraPintura(&sound::Resume);
    (new frmPresentacion)->Show();
}
void PasosPrograma::MostrarPrincipal() {
    (new frmPrincipal)->Show();
    // The splash stays in front. Where no window manager honours its stay-on-top hint it raises
    // itself at each tick, and the first one may come only after the work left for the first paint.
    if (auto* splash = Forms::Find<frmPresentacion>()) splash->raise();
}
void PasosPrograma::CargarAgente(const QString& nombre) {
    // Reading the character and making its windows waits until the first window is on the screen.
    TrasPrimeraPintura([nombre] {
        ::CargarAgente(nombre);
        // The dictionary window greets when it is activated; when that came before the guide, it
        // greets now.
        auto* principal = Forms::Find<frmPrincipal>();
        if (AgenteActivo && !SaludoDado && principal && principal->isActiveWindow())
            principal->Form_Activate();
    });
}
void PasosPrograma::AbrirBaseDatos() {
    ::AbrirBaseDatos();
}
void PasosPrograma::InformarError(const QString& mensaje) {
    // The splash stays on top of everything; with no window manager to raise the message over
    // it, the user would see the logo and never the reason the program ends.
    if (auto* splash = Forms::Find<frmPresentacion>()) splash->Unload();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Palavrix"), mensaje, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

void RegistrarVentanas() {
    registro::Registrar(Destino::Diccionario, [] { return new frmPrincipal; });
    registro::Registrar(Destino::Traductor, [] { return new frmTraductor; });
    registro::Registrar(Destino::Notas, [] { return new frmPropiedades; });
    registro::Registrar(Destino::AcercaDe, [] { return new frmAcercaDe; });
    registro::RegistrarSalida(SecuenciaSalida);
    FijarPreguntaDrive([] { (new frmVerDrive)->ShowModal(); });
}

void SecuenciaSalida(Form* ventana) {
    if (AgenteActivo) DescargarAgente();
    CerrarBaseDatos();
    // A notice still on the screen would keep the program alive after its last window.
    notices::CloseAll();
    ventana->Unload();
    Screen::SetMousePointer(Screen::vbDefault);
}
