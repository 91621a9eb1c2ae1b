// libFuzzer target for the translator's word splitter. The bytes are read twice, as UTF-8 and as
// raw UTF-16 (unpaired surrogates included), and each text is translated with stand-in lookups:
// - the identity gives back the text itself: nothing lost, reordered or duplicated;
// - a recording lookup sees every word once, in order, each one non-empty, made only of word
//   characters and as long as it can be (the walk below, one code point at a time, agrees);
// - a lookup that brackets each word lengthens the text by exactly two characters per word.
#include "translator/Traduccion.h"

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

namespace {

// The code point at i (a well-formed surrogate pair is one code point) and its length.
char32_t CodePoint(const QString& t, qsizetype i, qsizetype& largo) {
    largo = 1;
    const char16_t a = t[i].unicode();
    if (QChar::isHighSurrogate(a) && i + 1 < t.size() && QChar::isLowSurrogate(t[i + 1].unicode())) {
        largo = 2;
        return QChar::surrogateToUcs4(a, t[i + 1].unicode());
    }
    return a;
}

// The words of the text as maximal runs of non-separators.
QStringList Palabras(const QString& t) {
    QStringList out;
    QString actual;
    for (qsizetype i = 0, largo = 0; i < t.size(); i += largo) {
        const char32_t c = CodePoint(t, i, largo);
        if (traduccion::EsSeparador(c)) {
            if (!actual.isEmpty()) out << actual;
            actual.clear();
        } else {
            actual += t.mid(i, largo);
        }
    }
    if (!actual.isEmpty()) out << actual;
    return out;
}

// The word at a position is the word the splitter cut there: at up to 64 positions spread over the
// text (each answer walks the whole word, and a word may be the whole input), the answer is either
// nothing on a separator, or one of the words the splitter saw, made only of word characters, with
// a separator or the text's edge on each side (or the brackets of "<word>" around it).
void ProbarPalabraEn(const QString& texto, const QStringList& vistas) {
    const qsizetype n = texto.size();
    const qsizetype paso = n / 64 + 1;
    for (qsizetype p = -1; p <= n; p += paso) {
        const traduccion::Tramo t = traduccion::PalabraEn(texto, p);
        if (t.Vacio()) continue;
        if (t.inicio < 0 || t.largo < 0 || t.inicio + t.largo > n) __builtin_trap();
        const QString w = t.De(texto);
        if (!vistas.contains(w)) __builtin_trap();
        qsizetype largo = 0;
        if (t.inicio > 0) {
            const qsizetype i = t.inicio - 1;
            // The unit before the word ends a separator (the second half of a pair is looked at
            // with its first).
            const qsizetype j =
                texto[i].isLowSurrogate() && i > 0 && texto[i - 1].isHighSurrogate() ? i - 1 : i;
            if (!traduccion::EsSeparador(CodePoint(texto, j, largo))) __builtin_trap();
        }
        if (t.inicio + t.largo < n && !traduccion::EsSeparador(CodePoint(texto, t.inicio + t.largo, largo)))
            __builtin_trap();
        // Pointed at from inside, or from the bracket of a mark around it.
        const bool dentro = p >= t.inicio && p < t.inicio + t.largo;
        const bool corchete = (p == t.inicio - 1 && texto[p] == QLatin1Char('<')) ||
                              (p == t.inicio + t.largo && texto[p] == QLatin1Char('>'));
        if (!dentro && !corchete) __builtin_trap();
    }
}

void Probar(const QString& texto) {
    if (traduccion::Traducir(texto, [](const QString& w) { return w; }) != texto) __builtin_trap();

    QStringList vistas;
    const QString sinPalabras = traduccion::Traducir(texto, [&](const QString& w) {
        vistas << w;
        return QString();
    });
    if (vistas != Palabras(texto)) __builtin_trap();
    qsizetype letras = 0;
    for (const QString& w : vistas) {
        if (w.isEmpty()) __builtin_trap();
        for (qsizetype i = 0, largo = 0; i < w.size(); i += largo)
            if (traduccion::EsSeparador(CodePoint(w, i, largo))) __builtin_trap();
        letras += w.size();
    }
    if (sinPalabras.size() != texto.size() - letras) __builtin_trap();

    const QString entreCorchetes =
        traduccion::Traducir(texto, [](const QString& w) { return QLatin1Char('[') + w + QLatin1Char(']'); });
    if (entreCorchetes.size() != texto.size() + 2 * vistas.size()) __builtin_trap();

    ProbarPalabraEn(texto, vistas);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Probar(QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    QString utf16(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    for (size_t i = 0; i + 1 < size; i += 2)
        utf16[qsizetype(i / 2)] = QChar(char16_t(data[i] | data[i + 1] << 8));
    Probar(utf16);
    return 0;
}
