#pragma once
// Reading a compiled Apertium bilingual dictionary (an .autobil.bin file) with lttoolbox.
//
// The file holds the word lexicon and, in the same or further sections, patterns for numbers,
// money, times, dates and web addresses. Patterns loop ([0-9]+), so a plain path enumeration
// never ends; the lexicon is finite. The reader therefore walks every section but never enters a
// state that lies on a cycle. What remains is the lexicon plus the finite patterns (centuries in
// Roman numerals run to two hundred thousand paths), which EsPatron recognises on either side:
// "siglos XL y XX" translates as "40th and 20th centuries".
#include <QString>
#include <string>
#include <vector>

namespace generador {

struct Par {
    QString origen;  // the analysis as the transducer spells it: "house<n>"
    QString destino; // "casa<n><f>"
};

// Every lexicon path of the file, grouped by source analysis (groups in the order the walk first
// meets them), and within a group the translations in the order lttoolbox's bilingual lookup
// gives them, which is the order Apertium's own translator offers them. Patterns are left out.
// Throws std::runtime_error when the file cannot be read.
std::vector<Par> LeerBilingue(const std::string& archivo);

// Whether a lemma spells a pattern rather than a word: it holds a digit (numbers, money, dates,
// times, centuries in the other language) or looks like a web or mail address.
bool EsPatron(const QString& lema);

} // namespace generador
