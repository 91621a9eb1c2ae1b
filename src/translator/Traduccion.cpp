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
    // French writes "cœur" and "sœur" with a letter the code page files among its signs.
    if (c == U'œ' || c == U'Œ') return false;
    const int code = CodigoCp1252(c);
    if (code >= 0) return code <= 64 || (code >= 91 && code <= 95) || (code >= 123 && code <= 191);
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

namespace {

// The code point that starts at `i`, and how many units it takes (a lone surrogate is one).
char32_t DesdeAqui(const QString& t, qsizetype i, qsizetype& largo) {
    largo = 1;
    const char16_t c = t[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < t.size() && t[i + 1].isLowSurrogate()) {
        largo = 2;
        return QChar::surrogateToUcs4(t[i], t[i + 1]);
    }
    return c;
}

// The code point that ends just before `i`, and how many units it takes.
char32_t HastaAqui(const QString& t, qsizetype i, qsizetype& largo) {
    largo = 1;
    const char16_t c = t[i - 1].unicode();
    if (QChar::isLowSurrogate(c) && i >= 2 && t[i - 2].isHighSurrogate()) {
        largo = 2;
        return QChar::surrogateToUcs4(t[i - 2], t[i - 1]);
    }
    return c;
}

// The word that starts exactly at `inicio`, up to the next separator; empty when a separator or
// the end stands there.
Tramo PalabraDesde(const QString& t, qsizetype inicio) {
    qsizetype fin = inicio, largo = 0;
    while (fin < t.size() && !EsSeparador(DesdeAqui(t, fin, largo)))
        fin += largo;
    return {inicio, fin - inicio};
}

// The word that ends exactly at `fin`, back to the separator before it.
Tramo PalabraHasta(const QString& t, qsizetype fin) {
    qsizetype inicio = fin, largo = 0;
    while (inicio > 0 && !EsSeparador(HastaAqui(t, inicio, largo)))
        inicio -= largo;
    return {inicio, fin - inicio};
}

} // namespace

Tramo PalabraEn(const QString& texto, qsizetype posicion) {
    if (posicion < 0 || posicion >= texto.size()) return {};
    // The second half of a pair stands for the character the pair makes.
    if (texto[posicion].isLowSurrogate() && posicion > 0 && texto[posicion - 1].isHighSurrogate()) --posicion;
    qsizetype largo = 0;
    const char32_t c = DesdeAqui(texto, posicion, largo);
    if (!EsSeparador(c)) {
        const Tramo antes = PalabraHasta(texto, posicion);
        const Tramo despues = PalabraDesde(texto, posicion);
        return {antes.inicio, antes.largo + despues.largo};
    }
    // A word the translator did not know, "<xyz>", pointed at by one of its brackets.
    if (c == U'<') {
        const Tramo p = PalabraDesde(texto, posicion + 1);
        const qsizetype cierre = p.inicio + p.largo;
        if (!p.Vacio() && cierre < texto.size() && texto[cierre] == QLatin1Char('>')) return p;
    } else if (c == U'>') {
        const Tramo p = PalabraHasta(texto, posicion);
        if (!p.Vacio() && p.inicio > 0 && texto[p.inicio - 1] == QLatin1Char('<')) return p;
    }
    return {};
}

int DireccionDeCaja(int direccion, Caja caja) {
    if (direccion < 0 || direccion > 5) return -1;
    // The directions come in pairs, each followed by its opposite: 0 and 1, 2 and 3, 4 and 5.
    return caja == Caja::Texto ? direccion : direccion ^ 1;
}

} // namespace traduccion
