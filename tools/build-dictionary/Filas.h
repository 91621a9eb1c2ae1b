#pragma once
// From the pairs of a bilingual dictionary to the rows of one table of PALAVRIX.MDB.
//
// One row per (headword, translation). The rows of a headword (headwords that differ only by case
// are one headword, as lookups see them) come in this order, so that the first is the default
// translation shown by a lookup and used by the translator:
//   1. common words before proper nouns;
//   2. source analyses (house<n>, house<vblex>) ranked by: the analyser knows the word in that
//      part of speech ("time" is no adjective); some translation takes the word back as its own
//      first choice ("run" -> "correr" -> "run", but "carrera" -> "career"); some translation
//      is unrestricted (the pair also exists the other way round); part of speech (RangoTipo);
//      then as first met;
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
    QSet<QString> predilectos;              // ClavesPredilectas of the opposite direction
    QHash<QString, Rasgos> rasgosOrigen;    // analyser of the headword language (Consultar)
    QHash<QString, Rasgos> rasgosDestino;   // analyser of the translation language
};

// The keys by which the pairs of the opposite direction mark an entry as unrestricted.
QSet<QString> ClavesInversas(const std::vector<Par>& paresOpuestos);

// The keys of the pairs that are the first choice of their source analysis in the opposite
// direction ("casa" -> "house" gives the key of "house" -> "casa").
QSet<QString> ClavesPredilectas(const std::vector<Par>& paresOpuestos);

// The distinct lemmas of one side (source or translation), for the analyser.
QStringList Lemas(const std::vector<Par>& pares, bool destino);

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
