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
    const int r = Compare(QString::fromUtf8(a, na), QString::fromUtf8(b, nb));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

} // namespace textfold
