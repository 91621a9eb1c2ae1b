#pragma once
// The lookups behind a text translation, shared by the translator window and the command line.
#include "platform/Dao.h"
#include "translator/Traduccion.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <memory>
#include <optional>

namespace traduccion {

// The lookups of one translation. The table of the direction is opened once as a dynaset; each
// word is searched from its first record, and its first row gives the translation. A word that is
// no headword is translated in its own form through the direction's transducers ("libros" ->
// "books"); a word neither knows comes back as "<palabra>". Each distinct word is looked up once
// per translation. Throws dao::DaoError when the table cannot be read.
//
// A whole text (TraducirTexto) is read first by the direction's analyser and tagger (the first
// stages of its sentence pipeline, Frases.h), which cut it into words as the language writes them
// (elisions, words of several tokens, verbs with their pronouns) and choose each word's reading
// in context: "sé" in "No lo sé" is "know", "saw" in "I saw it" the past of "see". Then:
//   - the longest headword of up to four words the text spells, words joined by a space or a
//     hyphen, is one word ("sin embargo" -> "however", "arc-en-ciel" -> "arco iris");
//   - a capitalised word inside a sentence that is a name (the analyser reads a proper noun, or
//     knows it only in lower case as something other than a noun: "Claire", "Marta") stays as
//     written, unless the dictionary gives the name another spelling ("Londres" -> "London");
//   - a word whose chosen reading is its own headword takes the headword's first row of that part
//     of speech; any other word is put into its form from the chosen reading, its other readings
//     after it;
//   - everything between words (blanks, tabs and other control characters, punctuation, digits)
//     is copied as it stands, so no character of the text is lost.
// When the pipeline cannot be loaded, the text is cut by Traducir's rule instead.
class Buscador {
public:
    Buscador(dao::Database& db, int direccion);
    ~Buscador();
    Buscador(const Buscador&) = delete;
    Buscador& operator=(const Buscador&) = delete;
    QString BuscarTraduccion(const QString& palabra);
    void Cerrar();

    // One stretch of a translated text: a word (and its translation) or what stands between words.
    struct Segmento {
        qsizetype inicio = 0, largo = 0; // in the text
        bool palabra = false;
        QString traduccion; // for a word: its translation, or "<word>"; otherwise the stretch itself
    };
    // The text cut and translated; the segments cover it whole, in order.
    QList<Segmento> Segmentar(const QString& texto);
    QString TraducirTexto(const QString& texto);

private:
    struct Unidad;
    QString Buscar(const QString& palabra);
    // The first row of `palabra` whose part of speech is `tipo`, else its first row; null when the
    // word is no headword.
    QString BuscarDeTipo(const QString& palabra, const QString& tipo);
    QString TraducirUnidad(const Unidad& u, const QString& escrita, bool inicioDeFrase);
    bool EsCompuesta(const QString& palabras);
    dao::Database& db_;
    std::unique_ptr<dao::Recordset> rs_;
    int direccion_;
    QHash<QString, QString> vistas_;
    QHash<QString, QString> unidades_;
    std::optional<QSet<QString>> compuestas_; // headwords of several words, folded to lower case
};

// The whole translation of a text in a direction: what "Traducir ahora" shows and the command
// line prints.
QString TraducirTexto(dao::Database& db, int direccion, const QString& texto);

} // namespace traduccion
