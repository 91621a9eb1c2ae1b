#include "chrome/Registro.h"

#include "dictionary_data/Direcciones.h"
#include "platform/Form.h"

#include <map>

namespace registro {
namespace {

std::map<Destino, Fabrica>& fabricas() {
    static std::map<Destino, Fabrica> f;
    return f;
}

Salida& salida() {
    static Salida s;
    return s;
}

std::optional<PalabraPedida>& pedida() {
    static std::optional<PalabraPedida> p;
    return p;
}

} // namespace

void Registrar(Destino destino, Fabrica fabrica) {
    fabricas()[destino] = std::move(fabrica);
}

Form* Crear(Destino destino) {
    const auto it = fabricas().find(destino);
    if (it == fabricas().end() || !it->second) return nullptr;
    return it->second();
}

void RegistrarSalida(Salida s) {
    salida() = std::move(s);
}

void Salir(Form* ventana) {
    if (salida())
        salida()(ventana);
    else
        ventana->Unload();
}

bool PedirPalabra(int direccion, const QString& palabra) {
    if (!DireccionValida(direccion) || palabra.isEmpty()) return false;
    pedida() = PalabraPedida{direccion, palabra};
    return true;
}

std::optional<PalabraPedida> TomarPalabraPedida() {
    std::optional<PalabraPedida> p;
    p.swap(pedida());
    return p;
}

void OlvidarPalabraPedida() {
    pedida().reset();
}

} // namespace registro
