#include "translator/Traduccion.h"

#include <QChar>

namespace traduccion {

int CodigoCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    // The five codes the code page leaves undefined round-trip to the matching C1 controls.
    if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) return static_cast<int>(c);
    switch (c) {
    case 0x20AC:
        return 0x80;
    case 0x201A:
        return 0x82;
    case 0x0192:
        return 0x83;
    case 0x201E:
        return 0x84;
    case 0x2026:
        return 0x85;
    case 0x2020:
        return 0x86;
    case 0x2021:
        return 0x87;
    case 0x02C6:
        return 0x88;
    case 0x2030:
        return 0x89;
    case 0x0160:
        return 0x8A;
    case 0x2039:
        return 0x8B;
    case 0x0152:
        return 0x8C;
    case 0x017D:
        return 0x8E;
    case 0x2018:
        return 0x91;
    case 0x2019:
        return 0x92;
    case 0x201C:
        return 0x93;
    case 0x201D:
        return 0x94;
    case 0x2022:
        return 0x95;
    case 0x2013:
        return 0x96;
    case 0x2014:
        return 0x97;
    case 0x02DC:
        return 0x98;
    case 0x2122:
        return 0x99;
    case 0x0161:
        return 0x9A;
    case 0x203A:
        return 0x9B;
    case 0x0153:
        return 0x9C;
    case 0x017E:
        return 0x9E;
    case 0x0178:
        return 0x9F;
    default:
        return -1;
    }
}

bool EsSeparador(char32_t c) {
    const int code = CodigoCp1252(c);
    if (code >= 0)
        return (code >= 10 && code <= 13) || (code >= 32 && code <= 64) || (code >= 91 && code <= 95) ||
               (code >= 123 && code <= 191);
    switch (QChar::category(c)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return false;
    default:
        return true;
    }
}

QString Traducir(const QString& texto, const std::function<QString(const QString&)>& buscar) {
    QString salida;
    salida.reserve(texto.size() * 2);
    QString palabra;
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n;) {
        // One character is one code point: a surrogate pair stays together.
        char32_t c = texto[i].unicode();
        qsizetype largo = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < n && texto[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(texto[i], texto[i + 1]);
            largo = 2;
        }
        if (EsSeparador(c)) {
            if (!palabra.isEmpty()) {
                salida += buscar(palabra);
                palabra.clear();
            }
            salida += QStringView(texto).mid(i, largo);
        } else {
            palabra += QStringView(texto).mid(i, largo);
        }
        i += largo;
    }
    if (!palabra.isEmpty()) salida += buscar(palabra);
    return salida;
}

QString ConservarMayusculas(const QString& original, const QString& traduccion) {
    if (original.isEmpty() || traduccion.isEmpty() || !original.at(0).isUpper()) return traduccion;
    qsizetype letras = 0;
    bool todas = true;
    for (QChar c : original) {
        if (!c.isLetter()) continue;
        ++letras;
        if (!c.isUpper()) todas = false;
    }
    if (todas && letras > 1) return traduccion.toUpper();
    // The first letter, wherever it stands ("¿qué" has none to lose, "l'eau" starts with one).
    QString r = traduccion;
    for (qsizetype i = 0; i < r.size(); ++i) {
        if (r[i].isLetter()) {
            const QString mayuscula = QString(r[i]).toUpper();
            r.replace(i, 1, mayuscula);
            break;
        }
    }
    return r;
}

} // namespace traduccion
