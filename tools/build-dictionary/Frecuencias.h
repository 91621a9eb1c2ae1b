#pragma once
// How often readers meet each lemma in each part of speech, counted in running text of its
// language.
//
// The text (gathered from Debian packages by scripts/frequency-text) goes through the language's
// own analyser and tagger, the programs and model of Etiquetador, and every unit the tagger
// settles on counts once for its lemma and first tag: "build" in "we build the package" counts
// for build<vblex>, in "a debug build" for build<n>. A joined unit ("del" = de<pr>+el<det>)
// counts for each of its parts; a word the analyser does not know, as its form marked "*". The
// counts rank a headword's parts of speech and its translations (Filas.h).
#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace generador {

// "lemma<first tag>" ("house<n>", "poder<vbmod>"), or "*form" for a word the analyser does not
// know ("*renderizar") -> the number of its uses.
using Frecuencias = QHash<QString, int>;

// The key of a lemma read with these tags (only the first, the part of speech, counts).
QString ClaveFrecuencia(const QString& lema, const QStringList& etiquetas);

// The uses of a reading in `frecuencias`: 0 when it is never met or has no tags.
int Usos(const Frecuencias& frecuencias, const QString& lema, const QStringList& etiquetas);

// Adds to `frecuencias` the units of apertium-tagger -g output ("^build<vblex><inf>$ ^the<det>...").
void ContarEtiquetado(const QString& salida, Frecuencias& frecuencias);

// The words met in the text, as lemmas or as unknown forms, case folded as lookups compare them.
QSet<QString> Vistas(const Frecuencias& frecuencias);

// Plain text made safe for lt-proc: the characters its stream format reserves become blanks.
QByteArray TextoAnalizable(const QByteArray& texto);

// The counts of the text file `texto`, tagged with `automorf` and `prob`. `cache` keeps them
// between builds: it is reused while it was made from the same bytes of all three files, and
// written again otherwise. Empty, with `aviso` set, when the text, the programs or the model are
// missing: the ranking then does without.
Frecuencias ContarTexto(const QString& texto, const QString& automorf, const QString& prob,
                        const QString& cache, QString* aviso = nullptr);

// The cache file's text, and back: a first line naming the inputs' digest, then "key<TAB>uses"
// lines in key order. LeerCuentas is false when the file does not hold that digest's counts.
QByteArray EscribirCuentas(const Frecuencias& frecuencias, const QByteArray& huella);
bool LeerCuentas(const QByteArray& contenido, const QByteArray& huella, Frecuencias& frecuencias);

} // namespace generador
