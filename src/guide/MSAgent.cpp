#include "guide/MSAgent.h"

#include "guide/frmAgentServer.h"
#include "platform/AgentEngine.h"
#include "platform/Paths.h"

#include <chrono>
#include <random>

namespace {

FabricaAgente& Fabrica() {
    static FabricaAgente f;
    return f;
}

FuenteAzar& Fuente() {
    static FuenteAzar f;
    return f;
}

} // namespace

void InstalarFabricaAgente(FabricaAgente fabrica) {
    Fabrica() = std::move(fabrica);
}

std::unique_ptr<agent::AgentControl> CrearControlAgente() {
    if (Fabrica()) return Fabrica()();
    return std::make_unique<agent::EngineControl>();
}

void InstalarAzar(FuenteAzar fuente) {
    Fuente() = std::move(fuente);
}

double Azar() {
    if (Fuente()) return Fuente()();
    // Reseeded from the clock on every call, as each script starts its own draw.
    static std::mt19937_64 generador;
    generador.seed(
        static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    return std::uniform_real_distribution<double>(0.0, 1.0)(generador);
}

void CargarAgente(const QString& nombre) {
    frmAgentServer* host = nullptr;
    try {
        const QString ruta = paths::AppPath() + QStringLiteral("/") + nombre + QStringLiteral(".ACS");
        host = frmAgentServer::Anfitrion();
        host->agtAgente->CharactersLoad(nombre, ruta);
        agent::Character* personaje = host->agtAgente->CharactersItem(nombre);
        personaje->Commands().Add(QStringLiteral("Explicar"), QStringLiteral("Explicar"));
        personaje->Commands().Add(QStringLiteral("Ayuda"), QStringLiteral("Abrir archivo de Ayuda"));
        personaje->Commands().Add(QStringLiteral("Salir"), QStringLiteral("Salir del programa"));
        Personaje = personaje;
        AgenteActivo = true;
    } catch (...) {
        // The guide is simply absent: no message, no retry, and no host left behind.
        AgenteActivo = false;
        Personaje = nullptr;
        if (host) host->Unload();
    }
}

void DescargarAgente() {
    if (Personaje) Personaje->Hide();
    if (auto* host = Forms::Find<frmAgentServer>()) host->Unload();
    Personaje = nullptr;
}

void AgenteReposo(bool omitir) {
    if (!omitir && Personaje) Personaje->Play(QStringLiteral("Idle3_2"));
}
