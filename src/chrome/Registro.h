#pragma once
// Where the tabs and options lead. A window names the window it opens; the start says once how
// each is made (startup's RegistrarVentanas). So no window needs another window's header, and
// the exit sequence, which puts the guide away and closes the database, stays with the start.
#include <QString>
#include <functional>
#include <optional>

class Form;

enum class Destino { Diccionario, Traductor, Notas, AcercaDe };

namespace registro {

using Fabrica = std::function<Form*()>;
using Salida = std::function<void(Form*)>;

void Registrar(Destino destino, Fabrica fabrica);
// A new window of that kind, not yet loaded; nullptr when nothing is registered for it.
Form* Crear(Destino destino);

void RegistrarSalida(Salida salida);
// The exit sequence of a main window's exit button. With none registered the window is only
// unloaded.
void Salir(Form* ventana);

// A word the dictionary window is to look up when it next loads, for a window that sends the
// reader there to see one ("Ver en el diccionario" in the translator's word panel). There is one
// request at a time, for the whole program: a new one replaces the last, and the dictionary window
// takes it once, so a later visit opens as usual.
struct PalabraPedida {
    int direccion = 0; // 0..5, as DiccionarioActual
    QString palabra;
};
// Asks for `palabra` in `direccion`; a direction outside 0..5 or an empty word asks for nothing
// and answers false.
bool PedirPalabra(int direccion, const QString& palabra);
// The request, handed over once; nothing when none is pending.
std::optional<PalabraPedida> TomarPalabraPedida();
// Withdraws a pending request (the move it was made for did not happen).
void OlvidarPalabraPedida();

} // namespace registro
