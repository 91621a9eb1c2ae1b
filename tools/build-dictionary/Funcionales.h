#pragma once
// The function words of each language (articles, pronouns, prepositions, conjunctions, common
// adverbs and determiners, the commonest forms of the commonest verbs), from our own lists in
// funcionales/<idioma>.txt.
//
// The bilingual dictionaries know lemmas, and Apertium's lemma of "yo", "me" or "lo" is an
// internal name ("prpers"), of "la" the article "el", of "es" the verb "ser": the words a reader
// meets most would be missing or wrong. Each listed form becomes a headword of its own, its row
// made from the form's own analysis by formas::Morfologia (so "la" is the feminine singular
// article and translates as "the"), and filed before the rows of the lemma of the same spelling.
//
// A line of a list: "forma | categoría | eng=traducción | ...", fields after the form optional.
// A form that ends in an apostrophe ("l'", "qu'") is the elided word, filed without it ("l").
// The category is the Apertium part of speech (first tag), perhaps followed by further tags the
// reading must have ("vblex pri"), whose readings are tried first; a translation of our own
// stands where the word has none out of context ("se", "would").
#include "dictionary_data/Esquema.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace formas {
class Morfologia;
}

namespace generador {

struct Funcional {
    QString forma;
    QString categoria;               // "det", "prn", "vblex pri"...; empty: the analyser's order
    QHash<QString, QString> propias; // target language code ("eng", "spa", "por", "fra") -> translation
};

// One line; false for blank lines and comments ('#').
bool LeerLineaFuncional(const QString& linea, Funcional& funcional);
// The whole list. Throws std::runtime_error when the file cannot be read.
std::vector<Funcional> LeerFuncionales(const QString& archivo);

// Whether a determiner lemma is one of the language's articles (definite or indefinite): Apertium
// tags "cierto", "cada" and "otro" <det><ind> too. `idioma` is "spa", "eng", "por" or "fra".
bool EsArticulo(const QString& lema, const QString& idioma);

// The language code of each side of a direction (0..5): "spa", "eng", "por", "fra".
QString IdiomaOrigen(int direccion);
QString IdiomaDestino(int direccion);

// The rows of the listed forms for one direction, in list order; forms that neither translate nor
// carry a translation of their own are left out (and named in `sinFila`, for the report).
// `directa` translates the direction; `lecturasDestino` gives the readings of a word of the
// target language, for the codes of our own translations.
std::vector<esquema::Fila> FilasFuncionales(const std::vector<Funcional>& lista, int direccion,
                                            formas::Morfologia& directa,
                                            const std::function<QStringList(const QString&)>& lecturasDestino,
                                            QStringList* sinFila = nullptr);

} // namespace generador
