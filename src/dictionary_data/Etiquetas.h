#pragma once
// From Apertium analyses to the dictionary's grammatical codes.
//
// An analysis is a lemma followed by tags, as the transducers print it: "casa<n><f>". The first
// tag is the part of speech; gender and number tags may follow in any order. The codes are the
// ones the dictionary window decodes: Tipo "n", "v", "aj", "av", "ar", "pr", "pro", "cj", "ij";
// Genero "m", "f", "n"; Numero "s", "p". A tag the window has no name for gives the empty code,
// never a guess.
#include <QString>
#include <QStringList>

namespace etiquetas {

struct Analisis {
    QString lema;          // as shown to the user: the lemma-queue mark '#' removed
    QStringList etiquetas; // without the angle brackets: {"n", "f"}
};

// Parses "set# off<vblex><sep>" into {"set off", {"vblex", "sep"}}. Backslash escapes of the
// stream format ("AC\/DC") are undone.
Analisis LeerAnalisis(const QString& texto);
// The lemmas of a reading, parts joined by '+': "a+el" for "a<pr>+el<det><def><m><sg>".
QString LemasDe(const QString& lectura);

// Part of speech code of the first tag.
QString CodigoTipo(const QStringList& etiquetas);
// "m", "f" or "n" for masculine, feminine or neuter; empty for common (<mf>), undetermined (<GD>)
// or absent gender.
QString CodigoGenero(const QStringList& etiquetas);
// "s" for <sg>, "p" for <pl>; empty for invariable (<sp>), undetermined (<ND>) or absent number.
QString CodigoNumero(const QStringList& etiquetas);

// True when the entry leaves the gender to the word itself: a <GD> or <mf> tag, or no gender tag
// at all. The builder then asks the language's analyser.
bool GeneroAbierto(const QStringList& etiquetas);
// True when no number tag fixes the number (<ND> or none).
bool NumeroAbierto(const QStringList& etiquetas);

// Proper nouns (<np>) are left out of the dictionary unless they translate to something else.
bool EsNombrePropio(const QStringList& etiquetas);

} // namespace etiquetas
