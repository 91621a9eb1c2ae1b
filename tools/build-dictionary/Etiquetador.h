#pragma once
// The reading a language's own part-of-speech statistics prefer for a word on its own.
//
// Each Apertium pair ships a tagger model (<par>.prob) trained on running text of its source
// language. Given a headword as a one-word sentence it picks one of the analyser's readings:
// "bien" the adverb (not the noun "sake"), "ser" the verb, "will" the auxiliary. The builder ranks
// the readings it picks first. Apertium's own programs do the work (lt-proc -w to analyse,
// apertium-tagger -g -p to pick), in one pass over all the headwords.
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace generador {

// Word (as given) -> first tag of the reading picked ("bien" -> "adv"). Words with characters the
// stream format reserves, or that split into several units, are not asked. Empty, with `aviso`
// set, when the programs or files are missing: the ranking then does without.
QHash<QString, QString> Etiquetar(const QStringList& palabras, const QString& automorf, const QString& prob,
                                  QString* aviso = nullptr);

// Runs running text through the analyser (lt-proc -w `automorf`) and the tagger (apertium-tagger
// -g `prob`, with -p when `conFormas`: the surface form before each reading) and returns the
// tagger's stream. Empty, with `aviso` set, when the programs or files are missing or fail.
// Characters the stream format reserves must already be out of `entrada`.
std::optional<QByteArray> EtiquetarTexto(const QByteArray& entrada, const QString& automorf,
                                         const QString& prob, bool conFormas, QString* aviso = nullptr);

// One line of apertium-tagger -p output for a one-word sentence ("^bien/bien<adv>$^./.<sent>$"):
// the surface form and the first tag of its reading; false when the line holds anything else.
bool LeerEtiquetada(const QString& linea, QString& forma, QString& etiqueta);

} // namespace generador
