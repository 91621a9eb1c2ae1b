#pragma once
// The guide's process-wide state and its host procedures.
//
// Every caller in the program tests AgenteActivo first; these procedures then only queue
// requests on the character and return at once.
#include "platform/Agent.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

// True once the character has loaded; every guide call in the program is guarded by it.
inline bool AgenteActivo = false;
// Which window the guide explains: 0 none (About open), 1 dictionary, 2 translator, 3 notes.
inline uint8_t VentanaActiva = 0;
// The welcome has been given in this run.
inline bool SaludoDado = false;
// The loaded character (owned by the agent control of the host), or nullptr.
inline agent::Character* Personaje = nullptr;

// Loads the character `nombre` from nombre + ".ACS" beside the executable and registers its menu
// ("Explicar", "Ayuda", "Salir"); on any failure leaves AgenteActivo false, silently, and
// removes whatever the attempt created.
void CargarAgente(const QString& nombre);
// Hides the character, destroys its host and releases it. AgenteActivo keeps its value.
void DescargarAgente();
// Plays the idle animation "Idle3_2" unless `omitir` is true.
void AgenteReposo(bool omitir);

// What makes the agent control of the host (our character engine unless a test installed a
// recording one); nullptr restores the engine.
using FabricaAgente = std::function<std::unique_ptr<agent::AgentControl>()>;
void InstalarFabricaAgente(FabricaAgente fabrica);

// The random draw of the scripts: reseeds from the clock and returns r in [0, 1). A test may
// install its own source; nullptr restores the clock-seeded one.
using FuenteAzar = std::function<double()>;
void InstalarAzar(FuenteAzar fuente);
double Azar();
