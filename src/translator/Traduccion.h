#pragma once
// Word-by-word translation of a text.
//
// A text is cut into words and separators by the characters' codes in Windows code page 1252:
// codes 0-64, 91-95 and 123-191 separate (control characters such as the tab and NUL included,
// so no word is lost to them); every other code belongs to a word, and so do "œ" and "Œ", which
// French words need although the code page puts them among its signs (the other letters it puts
// between 128 and 159, such as š and Ÿ, separate). Characters the code page cannot hold are classified by our
// own rule: letters and combining marks of any script join words (so Greek, Cyrillic or Japanese words stay
// whole and an accent typed as a combining mark stays with its letter); everything else (emoji, symbols,
// other punctuation and controls) separates. Each separator is copied through unchanged; each word is
// replaced by its translation.
#include <QString>
#include <functional>

namespace traduccion {

// The code page 1252 code of a Unicode code point, or -1 when the code page cannot hold it.
int CodigoCp1252(char32_t c);
bool EsSeparador(char32_t c);
// Translates `texto`, calling `buscar` once per word in text order. The result is built whole.
// (The translator reads whole texts with the direction's analyser, Buscador.h; this cut serves
// when that cannot load, and tells which word a position of a box belongs to.)
QString Traducir(const QString& texto, const std::function<QString(const QString&)>& buscar);

// The translation keeps the word's capitalisation: "Casa" -> "House", "CASA" -> "HOUSE"; a word
// in lower case takes the translation as stored ("españa" -> "Spain"). A single capital letter is
// a capitalised word ("I" -> "Yo"), not one in capitals.
QString ConservarMayusculas(const QString& original, const QString& traduccion);

// A word of a text: where it starts and how many UTF-16 units it takes; `largo` 0 for none.
struct Tramo {
    qsizetype inicio = 0;
    qsizetype largo = 0;
    bool Vacio() const { return largo == 0; }
    QString De(const QString& texto) const { return texto.mid(inicio, largo); }
};

// The word the character at `posicion` (a UTF-16 index; either half of a surrogate pair) belongs
// to, cut by the same rule Traducir cuts by, so it is the word the translator looked up or wrote.
// A character that separates belongs to no word, except the angle brackets of a word the
// translator did not know ("<xyz>"): either bracket gives the word between them, without the
// brackets. A position outside the text gives none.
Tramo PalabraEn(const QString& texto, qsizetype posicion);

// The translator's two boxes.
enum class Caja { Texto, Traduccion };
// The direction a word of a box is looked up in: the text's words in the direction it is
// translated in, the translation's words in the opposite one (English to Spanish for a translation
// from Spanish to English), so each word is looked up in its own language. -1 for a direction
// outside 0..5.
int DireccionDeCaja(int direccion, Caja caja);

} // namespace traduccion
