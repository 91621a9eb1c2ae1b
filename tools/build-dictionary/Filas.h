#pragma once
// From the pairs of a bilingual dictionary to the rows of one table of PALAVRIX.MDB.
//
// One row per (headword, translation, part of speech): "poder" is "pouvoir" as a verb and as a
// noun. The rows of a headword (headwords that differ only by case are one headword, as lookups
// see them) come in this order, so that the first is the default translation shown by a lookup
// and used by the translator:
//   0. the rows of a function word (Funcionales.h), made from the form's own analysis;
//   1. the word's own entries before forms made from another lemma's ("Noruega" is Norway before
//      it is the feminine of "noruego"); common words before proper nouns; words written in lower
//      case before acronyms and names ("who" is "quién" before "OMS", "may" "poder" before "mayo");
//   2. source analyses (house<n>, house<vblex>) ranked by: the article before other readings of
//      the same spelling; the analyser knows the word in that part of speech ("time" is no
//      adjective); the part of speech running text of the headword's language uses far more than
//      any other ("die" the verb, not the cube; Frecuencias.h), or else the one whose commonest
//      translation the other language's text uses far more ("watch": "mirar" before "reloj");
//      some translation takes the word back as its own first choice ("run" -> "correr" -> "run",
//      but "carrera" -> "career"); some translation is unrestricted (the pair also exists the
//      other way round); the part of speech the language's tagger picks for the word on its own
//      ("bien" the adverb, "ser" the verb; not against an adjective, which alone looks like
//      anything else to it); part of speech (RangoTipo; an English adjective reading that
//      translates as none of the noun's words is the noun put before another, "student life",
//      and comes after the noun); singular before plural;
//   3. the translations of one part of speech: those of the headword's own part of speech first
//      ("car" the noun is "coche" before the "automovilístico" of "car industry"); then the one
//      the other language's text uses far more than the others ("make": "hacer" before
//      "realizar"), "far more" being at least ten uses and over three times any other's; then
//      by source analysis as first met; unrestricted translations before one-way ones: "house"
//      -> "casa" (casa -> house too) before "house" -> "cámara" (cámara -> camera); then in the
//      order Apertium offers them.
//
// Left out: pairs either side of which is a name internal to Apertium ("prpers", "Pole_person")
// or an abbreviation ("Ayto.", "uk."); headwords that are titles or sentences rather than words
// (EsCabezaValida); and headwords of the other language in this column: unknown to their own
// language's analyser, known to the other's (Insumos::ajenas), never met in their own language's
// text ("sustituto" as a Portuguese word). A noun's translation that is really an adjective
// ("vulgaridad" -> "vulgaire") ranks after the nouns, and French nouns take the gender their
// ending fixes (-tion, -sion, -té feminine; -isme, -ement, -age masculine).
//
// A side whose tags ask for a form other than its lemma is shown in that form, made by that
// language's generator: a gender-specific sense is filed under the headword of its gender
// ("hijo<n><f>" -> "daughter" is the headword "hija", and an entry of open gender gives its
// feminine a headword: "amiga" -> "friend"), a translation's fixed plural or a comparative is
// written out ("gente" -> "person<n><pl>" is "people", "mejor" -> "good<comp>" is "better").
// Gender and number are given only to nouns, articles and pronouns, and only the language's own
// articles are articles (EsArticulo).
#include "Analizador.h"
#include "Bilingue.h"
#include "Frecuencias.h"
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
    std::vector<esquema::Fila> funcionales; // rows of the function words (FilasFuncionales)
    QHash<QString, QString> etiquetado;     // headword -> part of speech its tagger picks (Etiquetar)
    Frecuencias usosOrigen, usosDestino;    // uses in running text of each side's language (ContarTexto)
    // Headword lemmas that the headword language's analyser does not know and the translation
    // language's analyser knows as lemmas: perhaps words of the other language in this column.
    QSet<QString> ajenas;
    // The word for a reading ("hijo<n><f><sg>" -> "hija") in the headword's language and in the
    // translation's, or empty when the generator cannot make it. Without them no form is made.
    std::function<QString(const QString&)> generarOrigen, generarDestino;
};

// Whether a lemma may be a headword: no sentence punctuation (, ; : ! ? quotes, parentheses) and
// at most four words. "a través de" and "take off" are; a prize's name is not.
bool EsCabezaValida(const QString& lema);

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
void MarcarGrabaciones(std::vector<esquema::Fila>& filas,
                       const std::function<bool(const QString&)>& hayGrabacion);

// Figures printed after generation, per table.
struct Resumen {
    int palabras = 0; // distinct headwords (case-insensitive)
    int filas = 0;
    int conTipo = 0;     // rows whose Tipo is not empty
    int sustantivos = 0; // rows whose Tipo is "n"
    int sustantivosConGenero = 0;
    int conAcepciones = 0;    // rows with a non-empty Acepcion1
    int conPronunciacion = 0; // rows with Pronunciacion true
};
Resumen Resumir(const std::vector<esquema::Fila>& filas);

} // namespace generador
