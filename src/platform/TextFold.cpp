#include "platform/TextFold.h"

#include <QByteArray>
#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <numeric>
#include <vector>

namespace textfold {

QString FoldCase(const QString& s) {
    return s.toCaseFolded();
}

QString SearchKey(const QString& s) {
    const QString decomposed = s.toCaseFolded().normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (QChar c : decomposed) {
        const auto cat = c.category();
        if (cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining ||
            cat == QChar::Mark_Enclosing)
            continue;
        out.append(c);
    }
    return out;
}

int Compare(const QString& a, const QString& b) {
    const int primary = SearchKey(a).compare(SearchKey(b));
    if (primary != 0) return primary;
    return FoldCase(a).compare(FoldCase(b));
}

namespace {
inline unsigned char lowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}
} // namespace

namespace {

// For the Latin letters (below U+0250) each character folds on its own, so the two keys of the
// order can be read from a table instead of normalising whole strings: that is every word of the
// Spanish, Portuguese, French and English dictionaries. Zero marks a character that needs the
// general path.
struct LatinTable {
    char16_t base[0x250];
    char16_t folded[0x250];
    LatinTable() {
        for (char16_t c = 0; c < 0x250; ++c) {
            const QString s(QChar{c});
            const QString k = SearchKey(s), f = FoldCase(s);
            base[c] = k.size() == 1 ? k[0].unicode() : 0;
            folded[c] = f.size() == 1 ? f[0].unicode() : 0;
        }
    }
};

const LatinTable& latinTable() {
    static const LatinTable t;
    return t;
}

// Decodes UTF-8 into code points below U+0250; false when another character is met.
bool decodeLatin(const char* s, int n, char16_t* out, int& len) {
    const LatinTable& t = latinTable();
    len = 0;
    for (int i = 0; i < n;) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        char16_t cp;
        if (b0 < 0x80) {
            cp = b0;
            i += 1;
        } else if ((b0 & 0xE0) == 0xC0 && i + 1 < n) {
            cp = static_cast<char16_t>(((b0 & 0x1F) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3F));
            i += 2;
        } else {
            return false;
        }
        if (cp >= 0x250 || t.base[cp] == 0 || t.folded[cp] == 0) return false;
        out[len++] = cp;
    }
    return true;
}

int compareLatin(const char16_t* a, int na, const char16_t* b, int nb) {
    const LatinTable& t = latinTable();
    const int n = std::min(na, nb);
    for (int i = 0; i < n; ++i)
        if (t.base[a[i]] != t.base[b[i]]) return t.base[a[i]] < t.base[b[i]] ? -1 : 1;
    if (na != nb) return na < nb ? -1 : 1;
    for (int i = 0; i < n; ++i)
        if (t.folded[a[i]] != t.folded[b[i]]) return t.folded[a[i]] < t.folded[b[i]] ? -1 : 1;
    return 0;
}

} // namespace

int CompareUtf8(const char* a, int na, const char* b, int nb) {
    // Fast path: plain ASCII on both sides folds to lower case and needs no decomposition.
    bool ascii = true;
    for (int i = 0; i < na && ascii; ++i)
        ascii = static_cast<unsigned char>(a[i]) < 0x80;
    for (int i = 0; i < nb && ascii; ++i)
        ascii = static_cast<unsigned char>(b[i]) < 0x80;
    if (ascii) {
        const int n = std::min(na, nb);
        for (int i = 0; i < n; ++i) {
            const unsigned char x = lowerAscii(static_cast<unsigned char>(a[i]));
            const unsigned char y = lowerAscii(static_cast<unsigned char>(b[i]));
            if (x != y) return x < y ? -1 : 1;
        }
        return na == nb ? 0 : (na < nb ? -1 : 1);
    }
    if (na <= 256 && nb <= 256) {
        char16_t x[256], y[256];
        int lx = 0, ly = 0;
        if (decodeLatin(a, na, x, lx) && decodeLatin(b, nb, y, ly)) return compareLatin(x, lx, y, ly);
    }
    const int r = Compare(QString::fromUtf8(a, na), QString::fromUtf8(b, nb));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

namespace {

// Text that takes every road the folding has: each character below U+0250 alone (the ASCII fast
// path and the Latin table), and beyond it the classes the general path treats differently:
// case pairs of other scripts and outside the Basic Multilingual Plane, characters whose folding
// is not one character, compatibility and titlecase forms, the three kinds of combining mark,
// canonically equivalent spellings, Hangul (which decomposition splits), characters without
// case, words of the four languages with and without accents, and words longer than the table
// path takes.
QStringList probes() {
    QStringList s;
    for (char16_t c = 0; c < 0x250; ++c)
        s << QString(QChar{c});
    const char16_t* const singles[] = {
        u"\u0391",
        u"\u03B1",
        u"\u03A3",
        u"\u03C3",
        u"\u03C2",
        u"\u0390",
        u"\u1F88",
        u"\u0401",
        u"\u0451",
        u"\u0419",
        u"\u0439",
        u"\u0531",
        u"\u0561",
        u"\u10A0",
        u"\u2D00",
        u"\u13A0",
        u"\uAB70",
        u"\u1E9E",
        u"\u0130",
        u"\u0131",
        u"\u212A",
        u"\u212B",
        u"\u2126",
        u"\uFB01",
        u"\uFB03",
        u"\uFF21",
        u"\uFF41",
        u"\u216B",
        u"\u217B",
        u"\u24B6",
        u"\u24D0",
        u"\u01C4",
        u"\u01C5",
        u"\u01C6",
        u"\u0149",
        u"\u1E9B",
        u"e\u0301",
        u"E\u0301",
        u"\u00E9",
        u"n\u0303",
        u"\u00F1",
        u"a\u20DD",
        u"\u0915\u0903",
        u"\u0915",
        u"\u0301",
        u"\uAC00",
        u"\u1100\u1161",
        u"\u6F22",
        u"\u3042",
        u"\u30A2",
        u"\U0001F600",
        u"\U00010400",
        u"\U00010428",
        u"\U0001E900",
        u"\U0001E922",
        u"\u0660",
        u"\u00B2",
        u"arbol",
        u"\u00E1rbol",
        u"\u00C1rbol",
        u"\u00C1RBOL",
        u"arbolado",
        u"papa",
        u"pap\u00E1",
        u"Papa",
        u"ni\u00F1o",
        u"nino",
        u"NI\u00D1O",
        u"\u00F1and\u00FA",
        u"stra\u00DFe",
        u"STRASSE",
        u"c\u0153ur",
        u"C\u0152UR",
        u"\u00E6on",
        u"\u00C6on",
        u"a\u00E7\u00E3o",
        u"A\u00C7\u00C3O",
        u"\u00EAtre",
        u"\u00CATRE",
        u"co\u00F6perate",
        u"\u0130stanbul",
        u"\u0131spanak",
        u"\u039F\u0394\u039F\u03A3",
        u"\u03BF\u03B4\u03BF\u03C2",
        u"\u041C\u043E\u0441\u043A\u0432\u0430",
        u"self-service",
        u"it's",
        u"p\u00E2te",
        u"p\u00E2t\u00E9",
        u"pate",
        u"",
        u" ",
        u"0",
        u"10",
        u"9",
    };
    for (const char16_t* t : singles)
        s << QString::fromUtf16(t);
    // Past the 256 bytes the table path reads, in ASCII, Latin and mixed.
    s << QString(300, QLatin1Char('A')) << QString(300, QLatin1Char('a')) << QString(200, QChar(0x00E1))
      << QString(200, QChar(0x00C1)) << QString(200, QLatin1Char('a')) + QChar(0x03A3)
      << QString(200, QLatin1Char('a')) + QChar(0x03C3);
    return s;
}

// FNV-1a, 64 bits: fixed by its definition, the same on every machine and in every run.
struct Fingerprint {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    void add(const QByteArray& b) {
        for (char c : b) {
            h ^= static_cast<unsigned char>(c);
            h *= 0x100000001b3ULL;
        }
        h ^= 0xff; // ends each field, so that ("ab", "c") and ("a", "bc") differ
        h *= 0x100000001b3ULL;
    }
};

QString computeVersion() {
    const QStringList s = probes();
    std::vector<QByteArray> utf8;
    utf8.reserve(static_cast<size_t>(s.size()));
    Fingerprint fingerprint;
    for (const QString& t : s) {
        utf8.push_back(t.toUtf8());
        fingerprint.add(FoldCase(t).toUtf8());
        fingerprint.add(SearchKey(t).toUtf8());
    }
    // The collation itself: the order it puts the probes in and which neighbours it finds equal
    // fix the result of every comparison between them.
    const auto cmp = [&](int a, int b) {
        const QByteArray& x = utf8[static_cast<size_t>(a)];
        const QByteArray& y = utf8[static_cast<size_t>(b)];
        return CompareUtf8(x.constData(), static_cast<int>(x.size()), y.constData(),
                           static_cast<int>(y.size()));
    };
    std::vector<int> order(utf8.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return cmp(a, b) < 0; });
    for (size_t i = 0; i < order.size(); ++i) {
        QByteArray entry = QByteArray::number(order[i]);
        if (i > 0) entry += cmp(order[i - 1], order[i]) == 0 ? '=' : '<';
        fingerprint.add(entry);
    }
    return QStringLiteral("%1").arg(fingerprint.h, 16, 16, QLatin1Char('0'));
}

} // namespace

QString Version() {
    static const QString version = computeVersion();
    return version;
}

} // namespace textfold
