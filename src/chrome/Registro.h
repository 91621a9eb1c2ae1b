#pragma once
// Where the tabs and options lead. A window names the window it opens; the start says once how
// each is made (startup's RegistrarVentanas). So no window needs another window's header, and
// the exit sequence, which puts the guide away and closes the database, stays with the start.
#include <functional>

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

} // namespace registro
