#pragma once
// The guide's process-wide state and its host procedures.
#include "platform/Agent.h"

#include <QString>
#include <cstdint>

// True once the character has loaded; every guide call in the program is guarded by it.
inline bool AgenteActivo = false;
// Which window the guide explains: 0 none (About open), 1 dictionary, 2 translator, 3 notes.
inline uint8_t VentanaActiva = 0;
// The welcome has been given in this run.
inline bool SaludoDado = false;
// The loaded character (owned by the agent control of the host), or nullptr.
inline agent::Character* Personaje = nullptr;

// Loads the character `nombre` from nombre + ".ACS" beside the executable and registers its menu;
// on any failure leaves AgenteActivo false, silently.
void CargarAgente(const QString& nombre);
// Hides the character, destroys its host and releases it.
void DescargarAgente();
// Plays the idle animation "Idle3_2" unless `omitir` is true.
void AgenteReposo(bool omitir);
