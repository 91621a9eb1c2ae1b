#include "dictionary_data/Decodificadores.h"

#include <array>
#include <utility>

namespace {
template <size_t N>
QString buscar(const std::array<std::pair<const char*, const char*>, N>& tabla, const QString& c) {
    for (const auto& [codigo, nombre] : tabla)
        if (c == QLatin1String(codigo)) return QString::fromUtf8(nombre);
    return QString();
}
} // namespace

QString DescribirTipo(const QString& codigo) {
    static constexpr std::array<std::pair<const char*, const char*>, 9> tabla{{
        {"n", "Sustantivo"},
        {"v", "Verbo"},
        {"aj", "Adjetivo"},
        {"av", "Adverbio"},
        {"ar", "Artículo"},
        {"pr", "Preposición"},
        {"pro", "Pronombre"},
        {"cj", "Conjunción"},
        {"ij", "Interjección"},
    }};
    return buscar(tabla, codigo);
}

QString DescribirGenero(const QString& codigo) {
    static constexpr std::array<std::pair<const char*, const char*>, 3> tabla{{
        {"m", "Masculino"},
        {"f", "Femenino"},
        {"n", "Neutro"},
    }};
    return buscar(tabla, codigo);
}

QString DescribirNumero(const QString& codigo) {
    static constexpr std::array<std::pair<const char*, const char*>, 2> tabla{{
        {"s", "Singular"},
        {"p", "Plural"},
    }};
    return buscar(tabla, codigo);
}
