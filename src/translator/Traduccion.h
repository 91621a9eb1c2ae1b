#pragma once
// Word-by-word translation of a text.
//
// A text is cut into words and separators by the characters' codes in Windows code page 1252:
// codes 10-13, 32-64, 91-95 and 123-191 separate; every other code belongs to a word (the tab
// joins two words into one; the letters the code page puts between 128 and 159, such as œ, š
// and Ÿ, separate). Characters the code page cannot hold are classified by our own rule: letters
// and combining marks of any script join words (so Greek, Cyrillic or Japanese words stay whole
// and an accent typed as a combining mark stays with its letter); everything else (emoji,
// symbols, other punctuation and controls) separates. Each separator is copied through
// unchanged; each word is replaced by its translation.
#include <QString>
#include <functional>

namespace traduccion {

// The code page 1252 code of a Unicode code point, or -1 when the code page cannot hold it.
int CodigoCp1252(char32_t c);
bool EsSeparador(char32_t c);
// Translates `texto`, calling `buscar` once per word in text order. The result is built whole.
QString Traducir(const QString& texto, const std::function<QString(const QString&)>& buscar);

// The translation keeps the word's capitalisation: "Casa" -> "House", "CASA" -> "HOUSE"; a word
// in lower case takes the translation as stored ("españa" -> "Spain"). A single capital letter is
// a capitalised word ("I" -> "Yo"), not one in capitals.
QString ConservarMayusculas(const QString& original, const QString& traduccion);

} // namespace traduccion
