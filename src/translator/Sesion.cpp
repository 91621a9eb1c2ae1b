#include "translator/Sesion.h"

#include "platform/Settings.h"

#include <optional>

namespace traductor {

namespace {
const QString kClave = QStringLiteral("Traductor/Modo");
const QString kFrases = QStringLiteral("frases");
const QString kPalabras = QStringLiteral("palabras");

struct Estado {
    Sesion sesion;
    // What the reader chose in this run, which holds even when the store could not be written.
    std::optional<Modo> elegido;
};

Estado& EstadoActual() {
    static Estado e;
    return e;
}
} // namespace

Modo ModoGuardado() {
    if (const auto m = EstadoActual().elegido) return *m;
    return settings::Current().Value(kClave, kPalabras) == kFrases ? Modo::FrasesCompletas
                                                                   : Modo::PalabraPorPalabra;
}

bool GuardarModo(Modo modo) {
    EstadoActual().elegido = modo;
    return settings::Current().SetValue(kClave, modo == Modo::FrasesCompletas ? kFrases : kPalabras);
}

Sesion& SesionActual() {
    return EstadoActual().sesion;
}

void Olvidar() {
    EstadoActual() = Estado{};
}

} // namespace traductor
