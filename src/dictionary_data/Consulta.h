#pragma once
// The lookup of one word in one direction, as the dictionary window shows it and the command line
// prints it: one code path for both.
//
// A headword is looked up by the direction's stored query and its first row is the entry, as it
// always was. A word that is no headword ("libros", "went") is taken through the direction's
// transducers (Formas.h), its readings tried from the one the pair's tagger finds likeliest for
// the word on its own: the entry is then its lemma's ("libro"), with the form's own codes, the
// translation in the same form ("books") and the lemma's further meanings. A word that is both a
// headword and a form of another word is decided by that reading too: "saw" is first the past of
// "see" ("vio"), its own row ("serrar") then a further meaning where the table has them; a form
// whose row says what the form says ("tiene" -> "has") keeps its row, with the hint and codes of
// the form ("presente de «tener»"). Prepositions, conjunctions and the like keep their rows.
// A word written with "œ" or "æ" is looked up as the dictionaries spell it ("cœur" is "coeur").
// When neither finds anything and exactly one headword is the word without its accents and case
// ("arbol", "ARBOL" -> "árbol"), that headword's entry is the answer; an exact match always wins.
#include "dictionary_data/Formas.h"
#include "platform/Dao.h"

#include <QString>
#include <QVariant>

namespace consulta {

// What a window shows, in red, where the translation goes when a word is not in the direction.
inline const QString kNoEncontrada = QStringLiteral("<Palabra no encontrada>");

struct Entrada {
    bool encontrada = false;
    QString palabra; // as asked
    QString lema;    // the headword whose entry is shown (the word itself for a headword)
    QString tipo, genero, numero;
    QString traduccion;
    QString tipoT, generoT, numeroT;
    QVariant acepcion1, acepcion2; // Null when the direction or the row has none
    bool pronunciacion = false;    // the stored flag (Spanish to English only)
    QString pista;                 // what the form is: "plural de «libro»"; empty for a headword
    bool sinAcentos = false;       // found as `lema` by leaving the accents aside
    bool esForma() const {
        return !sinAcentos && (!pista.isEmpty() || lema.compare(palabra, Qt::CaseInsensitive) != 0);
    }
    // Further meanings to offer: the first one is there and not empty.
    bool tieneAcepciones() const { return !acepcion1.isNull() && !acepcion1.toString().isEmpty(); }
};

// The word with "œ" and "æ" written as two letters, as the dictionaries spell them ("cœur" ->
// "coeur", "Œuvre" -> "Oeuvre"); the word itself when it has neither.
QString SinLigaduras(const QString& palabra);
// The two letters a ligature stands for ("œ" -> "oe"); empty for any other character.
QString Ligadura(QChar c);

// Looks `palabra` up, exactly as typed, in direction `direccion` (0..5). Throws dao::DaoError when
// the dictionary cannot be read.
Entrada Buscar(dao::Database& db, int direccion, const QString& palabra);

// The headword's first-row translation, through the stored query; empty when it is no headword.
QString TraduccionDe(dao::Database& db, int direccion, const QString& lema);

} // namespace consulta
