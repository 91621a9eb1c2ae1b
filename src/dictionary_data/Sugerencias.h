#pragma once
// What the reader may have meant when a word is not found ("libors" -> "libros", "arboles" ->
// "árboles"): the words of the direction closest to it, spelt as the dictionary spells them.
//
// The candidates are the headwords of the direction's table, the commonest words met in running
// text of its source language (Morfologia/<idioma>.frecuentes, counted at build time by
// tools/common-words from the same text that ranks the rows), the forms one edit away from the
// word that the direction's analyser knows, common or not ("libors" finds "libros", a form no
// list of common words can be sure to hold), and, for a Spanish or Portuguese diminutive, its
// plain word ("niñitas" -> "niñas", "livrinho" -> "livro"), as close as a one-letter slip. They
// are compared with accents and case left aside ("arboles" is "árboles" at no distance at all) by the edit
// distance that counts two letters swapped as one edit, and ranked by that distance, then by how often the
// text uses them. A form is offered only when the lookup finds it: a click on a suggestion always shows an
// entry.
//
// The index of a direction is made on its first miss (a few tens of milliseconds: the table's
// headwords and the list of forms) and kept until another direction asks; each miss after that
// scans it by length, with a cheap test on the letters each word has before any distance is
// worked out.
#include "platform/Dao.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <string>

namespace sugerencias {

// How many suggestions the window and the command line offer.
inline constexpr int kCuantas = 5;

// A word of running text and how many times it was met.
struct Frecuente {
    QString palabra;
    int usos = 0;
    bool operator==(const Frecuente&) const = default;
};

// The words of `texto` (runs of letters, with a hyphen inside a word kept: "grand-mère"), counted
// with case left aside and each written as the text writes it in lower case, or, for a word the
// text only ever capitalises ("París"), as it is most often written. The `cuantas` commonest met
// at least twice (a word met once is as likely a typing slip), commonest first.
QList<Frecuente> ContarPalabras(const QString& texto, int cuantas);
// The file's text: one "palabra<TAB>usos" a line, UTF-8.
QByteArray EscribirFrecuentes(const QList<Frecuente>& palabras);
// The list in the file `ruta`. A file that is missing, not a regular file or over 8 MB gives an
// empty list; lines that do not read as a word and a positive count are skipped.
QList<Frecuente> LeerFrecuentes(const QString& ruta);
// The list of the source language of direction `direccion`, beside the transducers.
QString RutaFrecuentes(int direccion);

// The edit distance between `a` and `b` (insertions, deletions, substitutions and two neighbours
// swapped, each one edit), or `tope` + 1 when it is over `tope`.
int Distancia(const std::u16string& a, const std::u16string& b, int tope);

// Up to `cuantas` words of direction `direccion` the reader may have meant by `palabra`, the
// likeliest first; never the word itself, nor one word twice. Empty for an empty word, a single
// letter, a word longer than any in the dictionary or one with nothing close. A dictionary that
// cannot be read gives no suggestions rather than an error: they are a comfort, not the answer.
QStringList Sugerir(dao::Database& db, int direccion, const QString& palabra, int cuantas = kCuantas);

// Drops the index kept (tests that change the dictionary or the program's folder).
void Olvidar();

} // namespace sugerencias
