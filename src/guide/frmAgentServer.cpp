#include "guide/frmAgentServer.h"

#include "chrome/Ventanas.h"
#include "guide/Explicaciones.h"
#include "guide/MSAgent.h"
#include "platform/Process.h"

namespace {

// The explanation of the window the user is in; nothing while the About window is open.
void ExplicarVentanaActiva() {
    switch (VentanaActiva) {
    case 1:
        ExplicarDiccionario();
        break;
    case 2:
        ExplicarTraductor();
        break;
    case 3:
        ExplicarPropiedades();
        break;
    default:
        break;
    }
}

} // namespace

frmAgentServer::frmAgentServer() {
    setObjectName(QStringLiteral("frmAgentServer"));
    // Never shown, and never a reason for the program to keep running.
    setAttribute(Qt::WA_QuitOnClose, false);
    control_ = CrearControlAgente();
    agtAgente = control_.get();
    connect(agtAgente, &agent::AgentControl::Click, this, &frmAgentServer::agtAgente_Click);
    connect(agtAgente, &agent::AgentControl::Command, this, &frmAgentServer::agtAgente_Command);
}

frmAgentServer::~frmAgentServer() = default;

frmAgentServer* frmAgentServer::Anfitrion() {
    if (auto* host = Forms::Find<frmAgentServer>()) return host;
    auto* host = new frmAgentServer;
    host->Load();
    return host;
}

void frmAgentServer::agtAgente_Click(const QString&, int button, int, int, int) {
    if (button == 1) ExplicarVentanaActiva();
}

void frmAgentServer::agtAgente_Command(const QString& name) {
    if (name == QLatin1String("Salir")) {
        process::End();
    } else if (name == QLatin1String("Ayuda")) {
        AbrirDocumento(this, DocumentoAyuda());
    } else if (name == QLatin1String("Explicar")) {
        ExplicarVentanaActiva();
    }
}
