#pragma once
// The six dictionary directions, numbered as DiccionarioActual numbers them everywhere.
#include <QString>
#include <array>
#include <cstdint>

struct Direccion {
    const char* tabla;    // table name
    const char* consulta; // stored query
    const char* idiomaPalabra;
    const char* idiomaTraduccion;
    bool pronunciacion; // the query returns Pronunciacion (Spanish to English only)
    bool acepciones;    // the query returns Acepcion1 and Acepcion2 (into Spanish)
};

// Language names exactly as the windows show them ("Portugués" without its accent, as designed).
inline constexpr std::array<Direccion, 6> kDirecciones{{
    {"EspIng", "qryBuscarEspIng", "Español", "Inglés", true, false},
    {"IngEsp", "qryBuscarIngEsp", "Inglés", "Español", false, true},
    {"EspPor", "qryBuscarEspPor", "Español", "Portugués", false, false},
    {"PorEsp", "qryBuscarPorEsp", "Portugués", "Español", false, true},
    {"EspFra", "qryBuscarEspFra", "Español", "Francés", false, false},
    {"FraEsp", "qryBuscarFraEsp", "Francés", "Español", false, true},
}};

inline bool DireccionValida(int codigo) {
    return codigo >= 0 && codigo < static_cast<int>(kDirecciones.size());
}

// "Inglés → Español": how the windows name a direction.
inline QString NombreDireccion(int codigo) {
    if (!DireccionValida(codigo)) return {};
    return QString::fromUtf8(kDirecciones[static_cast<size_t>(codigo)].idiomaPalabra) +
           QStringLiteral(" → ") +
           QString::fromUtf8(kDirecciones[static_cast<size_t>(codigo)].idiomaTraduccion);
}
