#pragma once
// From the pairs of a bilingual dictionary to the rows of one table of PALAVRIX.MDB.
//
// One row per (headword, translation). The rows of a headword (headwords that differ only by case
// are one headword, as lookups see them) come in this order, so that the first is the default
// translation shown by a lookup and used by the translator:
//   1. common words before proper nouns;
//   2. source analyses (house<n>, house<vblex>) that have an unrestricted translation (the pair
//      also exists the other way round) before those that have none, then as first met;
//   3. within one analysis, unrestricted translations before one-way ones: "house" -> "casa"
//      (casa -> house too) before "house" -> "cámara" (cámara -> camera), then in the order
//      Apertium offers them.
#include "Analizador.h"
#include "Bilingue.h"
#include "dictionary_data/Esquema.h"

#include <QHash>
#include <QSet>
#include <functional>
#include <vector>

namespace generador {

struct Insumos {
    int direccion = 0;                      // 0..5, as kDirecciones
    std::vector<Par> pares;                 // LeerBilingue of this direction
    QSet<QString> inversos;                 // ClavesInversas of the opposite direction
    QHash<QString, Rasgos> rasgosOrigen;    // nouns of the headword language
    QHash<QString, Rasgos> rasgosDestino;   // nouns of the translation language
};

// The keys by which the pairs of the opposite direction mark an entry as unrestricted.
QSet<QString> ClavesInversas(const std::vector<Par>& paresOpuestos);

// Noun lemmas of one side (source or translation) whose gender or number the entry leaves open.
QStringList SustantivosAbiertos(const std::vector<Par>& pares, bool destino);

// The rows of the table, in insertion order. Pronunciacion is left false: see MarcarGrabaciones.
std::vector<esquema::Fila> ConstruirFilas(const Insumos& insumos);

// Sets Pronunciacion on every row whose translation has a recording.
void MarcarGrabaciones(std::vector<esquema::Fila>& filas, const std::function<bool(const QString&)>& hayGrabacion);

// Figures printed after generation, per table.
struct Resumen {
    int palabras = 0;         // distinct headwords (case-insensitive)
    int filas = 0;
    int conTipo = 0;          // rows whose Tipo is not empty
    int sustantivos = 0;      // rows whose Tipo is "n"
    int sustantivosConGenero = 0;
    int conAcepciones = 0;    // rows with a non-empty Acepcion1
    int conPronunciacion = 0; // rows with Pronunciacion true
};
Resumen Resumir(const std::vector<esquema::Fila>& filas);

} // namespace generador
