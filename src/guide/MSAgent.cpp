#include "guide/MSAgent.h"

// The character engine is not part of the program yet: loading always fails, so the program
// runs without its guide, as it does when a character file is missing.
void CargarAgente(const QString&) { AgenteActivo = false; }

void DescargarAgente() { Personaje = nullptr; }

void AgenteReposo(bool omitir) {
    if (!omitir && Personaje) Personaje->Play(QStringLiteral("Idle3_2"));
}
