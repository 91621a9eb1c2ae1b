#pragma once
// What the translator keeps beyond one visit of its window, and the one choice it keeps between
// runs.
//
// The window is made anew on every visit, as every main window is; a reader who looks a word up
// in the dictionary and comes back still finds the text typed and its translation. The mode
// ("Palabra por palabra" or "Frases completas") is saved in the settings store, so the next run
// starts in the mode the reader last chose; word by word until one is chosen.
#include <QString>

namespace traductor {

enum class Modo { PalabraPorPalabra, FrasesCompletas };

Modo ModoGuardado();
// False when the settings store could not be written (the mode still holds for this run).
bool GuardarModo(Modo modo);

struct Sesion {
    QString texto;
    QString traduccion;
    // A sentence translation was under way when the window closed: it is asked again on return.
    bool retraducir = false;
    // The text and direction the sentence translation shown was made from.
    QString origen;
    int direccionOrigen = -1;
};

// The session of this run (the user-interface thread's only).
Sesion& SesionActual();
// A new run's state: no text, the mode as saved (tests start each case from here).
void Olvidar();

} // namespace traductor
