#pragma once
// Text folding shared by the database collation and the word list's type-ahead.
//
// Words that differ only by case are the same headword ("Árbol", "ÁRBOL" and "árbol"), in every
// script Unicode knows; words that differ by an accent are different words ("papa" and "papá").
// That is the equality of the database collation PXNOCASE. Its order puts a word next to its
// unaccented neighbours (arbol, árbol, arbolado), which is what a Spanish reader scanning the
// list expects, and lets the list find "árbol" when the user types "arbol".
#include <QString>

namespace textfold {

// Full Unicode case folding (simple folding per character), accents kept.
QString FoldCase(const QString& s);
// Case folded and stripped of combining marks after canonical decomposition: "Árbol" -> "arbol".
QString SearchKey(const QString& s);
// The collation order: by SearchKey, then by FoldCase. Returns <0, 0, >0.
// Zero exactly when FoldCase(a) == FoldCase(b).
int Compare(const QString& a, const QString& b);
// The same on UTF-8 bytes, as SQLite hands them to a collation.
int CompareUtf8(const char* a, int na, const char* b, int nb);

// A fingerprint of the folding as it behaves in this build (16 hexadecimal digits). An index built
// with one folding is out of order for another, and lookups through it miss words that are there;
// the dictionary records the fingerprint its index was built with, and the program refuses a
// dictionary of another. Derived from the behaviour, not a number someone has to remember to
// bump: any change in the code above or in Qt's case and decomposition tables that moves a probe
// changes it. Computed on first use, in a millisecond or two.
QString Version();

} // namespace textfold
