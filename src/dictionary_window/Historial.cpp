#include "dictionary_window/Historial.h"

#include "dictionary_data/Direcciones.h"

namespace historial {

void Historial::Anotar(int direccion, const QString& palabra) {
    if (!DireccionValida(direccion) || palabra.isEmpty()) return;
    Lista& l = listas_[static_cast<size_t>(direccion)];
    if (l.posicion >= 0 && l.palabras[l.posicion] == palabra) return;
    l.palabras.erase(l.palabras.begin() + (l.posicion + 1), l.palabras.end());
    l.palabras << palabra;
    if (l.palabras.size() > kMaximo) l.palabras.removeFirst();
    l.posicion = static_cast<int>(l.palabras.size()) - 1;
}

std::optional<QString> Historial::Atras(int direccion) {
    if (!DireccionValida(direccion)) return std::nullopt;
    Lista& l = listas_[static_cast<size_t>(direccion)];
    if (l.posicion <= 0) return std::nullopt;
    return l.palabras[--l.posicion];
}

std::optional<QString> Historial::Adelante(int direccion) {
    if (!DireccionValida(direccion)) return std::nullopt;
    Lista& l = listas_[static_cast<size_t>(direccion)];
    if (l.posicion + 1 >= l.palabras.size()) return std::nullopt;
    return l.palabras[++l.posicion];
}

std::optional<QString> Historial::Actual(int direccion) const {
    if (!DireccionValida(direccion)) return std::nullopt;
    const Lista& l = listas_[static_cast<size_t>(direccion)];
    if (l.posicion < 0) return std::nullopt;
    return l.palabras[l.posicion];
}

QStringList Historial::Palabras(int direccion) const {
    if (!DireccionValida(direccion)) return {};
    return listas_[static_cast<size_t>(direccion)].palabras;
}

namespace {

struct Estado {
    Historial historial;
    std::optional<Vista> vista;
};

Estado& EstadoActual() {
    static Estado e;
    return e;
}

} // namespace

Historial& Actual() {
    return EstadoActual().historial;
}

void Dejar(const Vista& vista) {
    if (DireccionValida(vista.direccion) && !vista.palabra.isEmpty())
        EstadoActual().vista = vista;
    else
        EstadoActual().vista.reset();
}

std::optional<Vista> TomarVista() {
    std::optional<Vista> v;
    v.swap(EstadoActual().vista);
    return v;
}

void Olvidar() {
    EstadoActual() = Estado{};
}

} // namespace historial
