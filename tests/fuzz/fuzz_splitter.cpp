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
