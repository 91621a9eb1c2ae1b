#include "platform/TextFold.h"

#include <algorithm>

namespace textfold {

QString FoldCase(const QString& s) { return s.toCaseFolded(); }

QString SearchKey(const QString& s) {
    const QString decomposed = s.toCaseFolded().normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (QChar c : decomposed) {
        const auto cat = c.category();
        if (cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining || cat == QChar::Mark_Enclosing)
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
inline unsigned char lowerAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }
} // namespace

namespace {

// For the Latin letters (below U+0250) each character folds on its own, so the two keys of the
// order can be read from a table instead of normalising whole strings: that is every word of the
// Spanish, Portuguese, French and English dictionaries. Zero marks a character that needs the
// general path.
struct TablaLatina {
    char16_t base[0x250];
    char16_t plegado[0x250];
    TablaLatina() {
        for (char16_t c = 0; c < 0x250; ++c) {
            const QString s(QChar{c});
            const QString k = SearchKey(s), f = FoldCase(s);
            base[c] = k.size() == 1 ? k[0].unicode() : 0;
            plegado[c] = f.size() == 1 ? f[0].unicode() : 0;
        }
    }
};

const TablaLatina& tabla() {
    static const TablaLatina t;
    return t;
}

// Decodes UTF-8 into code points below U+0250; false when another character is met.
bool latinos(const char* s, int n, char16_t* out, int& len) {
    const TablaLatina& t = tabla();
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
        if (cp >= 0x250 || t.base[cp] == 0 || t.plegado[cp] == 0) return false;
        out[len++] = cp;
    }
    return true;
}

int compararLatinos(const char16_t* a, int na, const char16_t* b, int nb) {
    const TablaLatina& t = tabla();
    const int n = std::min(na, nb);
    for (int i = 0; i < n; ++i)
        if (t.base[a[i]] != t.base[b[i]]) return t.base[a[i]] < t.base[b[i]] ? -1 : 1;
    if (na != nb) return na < nb ? -1 : 1;
    for (int i = 0; i < n; ++i)
        if (t.plegado[a[i]] != t.plegado[b[i]]) return t.plegado[a[i]] < t.plegado[b[i]] ? -1 : 1;
    return 0;
}

} // namespace

int CompareUtf8(const char* a, int na, const char* b, int nb) {
    // Fast path: plain ASCII on both sides folds to lower case and needs no decomposition.
    bool ascii = true;
    for (int i = 0; i < na && ascii; ++i) ascii = static_cast<unsigned char>(a[i]) < 0x80;
    for (int i = 0; i < nb && ascii; ++i) ascii = static_cast<unsigned char>(b[i]) < 0x80;
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
        if (latinos(a, na, x, lx) && latinos(b, nb, y, ly)) return compararLatinos(x, lx, y, ly);
    }
    const int r = Compare(QString::fromUtf8(a, na), QString::fromUtf8(b, nb));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

} // namespace textfold
