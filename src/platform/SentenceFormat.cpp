#include "platform/SentenceFormat.h"

#include <algorithm>

namespace sentences {

namespace {

bool EsBlanco(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\n') || c == QLatin1Char('\t') ||
           c == QLatin1Char('\r') || c == QLatin1Char('~');
}

// What the text format escapes, and what we escape besides: the star the generator puts before an
// unknown word, and the two characters we mark unknown words with on the way out (a user may type
// them too, and they must come out as typed, not as '<' and '>'; see Deformat).
bool Reservado(QChar c) {
    switch (c.unicode()) {
    case '[':
    case ']':
    case '\\':
    case '/':
    case '@':
    case '<':
    case '>':
    case '^':
    case '$':
    case '{':
    case '}':
    case '*':
    case kMarcaAbre:
    case kMarcaCierra:
        return true;
    default:
        return false;
    }
}

bool FinDeParrafo(QStringView blanco) {
    return blanco.contains(u"\n\n") || blanco.contains(u"\r\n\r\n");
}

// The end of the white-space run that starts at or covers `i`.
qsizetype FinDelBlanco(QStringView t, qsizetype i) {
    while (i < t.size() && EsBlanco(t[i]))
        ++i;
    return i;
}

} // namespace

QString Deformat(QStringView text) {
    QString out;
    out.reserve(text.size() + text.size() / 8 + 8);
    const qsizetype n = text.size();
    bool terminaEnBlanco = false;
    QString blanco;
    for (qsizetype i = 0; i < n;) {
        const QChar c = text[i];
        if (c.isNull()) {
            ++i;
            continue;
        }
        if (EsBlanco(c)) {
            blanco.clear();
            qsizetype j = i;
            for (; j < n && (EsBlanco(text[j]) || text[j].isNull()); ++j)
                if (!text[j].isNull()) blanco += text[j];
            const bool alFinal = j == n;
            if (alFinal || FinDeParrafo(blanco)) out += QStringLiteral(".[]");
            if (blanco == QLatin1String(" "))
                out += blanco;
            else
                out += QLatin1Char('[') + blanco + QLatin1Char(']');
            terminaEnBlanco = alFinal;
            i = j;
            continue;
        }
        if (c == QChar(kMarcaAbre) || c == QChar(kMarcaCierra)) {
            // The analyser drops the escape of a character it does not reserve itself, so a typed
            // mark travels in a superblank of its own, which every stage copies as it is.
            out += QStringLiteral("[\\") + c + QLatin1Char(']');
            ++i;
            continue;
        }
        if (Reservado(c)) out += QLatin1Char('\\');
        out += c;
        ++i;
    }
    if (!terminaEnBlanco) out += QStringLiteral(".[]");
    return out;
}

QString Reformat(QStringView s) {
    return Reformat(s, nullptr);
}

QString Reformat(QStringView s, QList<WordBound>* bound) {
    // Read as apertium-retxt reads it: an escaped character is itself, and every other bracket
    // and every ".[]" goes, wherever it stands, so a stream whose brackets do not pair comes out
    // as the command would give it too. (retxt also takes "[@name]" as a file to copy in; the
    // deformatter escapes every '@' a user types, and nothing here ever reads a file.) Word-bound
    // blanks, which retxt never sees (the command detaches them before the generator), go whole.
    QString out;
    out.reserve(s.size());
    const qsizetype n = s.size();
    qsizetype abierta = -1;
    for (qsizetype i = 0; i < n;) {
        const QChar c = s[i];
        if (c == QLatin1Char('[') && i + 1 < n && s[i + 1] == QLatin1Char('[')) {
            // A word-bound blank: "[[/]]" closes the stretch the one before it opened.
            qsizetype j = i + 2;
            QString contenido;
            while (j < n && !(s[j] == QLatin1Char(']') && j + 1 < n && s[j + 1] == QLatin1Char(']'))) {
                if (s[j] == QLatin1Char('\\') && j + 1 < n) ++j;
                contenido += s[j++];
            }
            i = std::min(j + 2, n);
            if (!bound) continue;
            if (contenido == QLatin1String("/")) {
                if (abierta >= 0) (*bound)[abierta].length = out.size() - (*bound)[abierta].start;
                abierta = -1;
            } else {
                bound->append({contenido, out.size(), 0});
                abierta = bound->size() - 1;
            }
        } else if (c == QLatin1Char('\\') && i + 1 < n && Reservado(s[i + 1])) {
            out += s[i + 1];
            i += 2;
        } else if (c == QLatin1Char('.') && s.mid(i + 1, 2) == u"[]") {
            i += 3;
        } else if (c == QLatin1Char('[') || c == QLatin1Char(']') || c.isNull()) {
            ++i;
        } else if (c == QChar(kMarcaAbre)) {
            out += QLatin1Char('<');
            ++i;
        } else if (c == QChar(kMarcaCierra)) {
            out += QLatin1Char('>');
            ++i;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

QList<QStringView> Pieces(QStringView text, qsizetype limit) {
    QList<QStringView> pieces;
    if (limit < 16) limit = 16;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (n - start > limit) {
        const QStringView ventana = text.mid(start, limit);
        qsizetype corte = -1;
        // After a blank line, else a line break, else a sentence end, else a space: after the
        // white run that starts there, though never past the limit (a run longer than that is cut
        // inside, and both halves are still white space).
        const qsizetype parrafo = std::max(ventana.lastIndexOf(u"\n\n"), ventana.lastIndexOf(u"\r\n\r\n"));
        if (const qsizetype k = parrafo; k > 0) {
            corte = FinDelBlanco(text, start + k);
        } else if (const qsizetype k2 = ventana.lastIndexOf(QLatin1Char('\n')); k2 > 0) {
            corte = FinDelBlanco(text, start + k2);
        } else {
            for (qsizetype k3 = ventana.size() - 2; k3 > 0 && corte < 0; --k3) {
                const QChar c = ventana[k3];
                if ((c == QLatin1Char('.') || c == QLatin1Char('?') || c == QLatin1Char('!')) &&
                    ventana[k3 + 1] == QLatin1Char(' '))
                    corte = FinDelBlanco(text, start + k3 + 1);
            }
            if (corte < 0) {
                if (const qsizetype k4 = ventana.lastIndexOf(QLatin1Char(' ')); k4 > 0)
                    corte = FinDelBlanco(text, start + k4);
            }
        }
        corte = std::min(corte, start + limit);
        if (corte <= start) {
            corte = start + limit;
            // Never between the two halves of a character outside the Basic Multilingual Plane.
            if (text[corte - 1].isHighSurrogate()) --corte;
        }
        pieces << text.mid(start, corte - start);
        start = corte;
    }
    if (start < n || pieces.isEmpty()) pieces << text.mid(start);
    return pieces;
}

} // namespace sentences

namespace sentences {

QList<Stretch> SplitLongWords(QStringView text, qsizetype longestWord, qsizetype longestRun) {
    QList<Stretch> r;
    const auto deLetra = [](QChar c) { return c.isLetterOrNumber() || c.isMark() || c.isSurrogate(); };
    qsizetype desde = 0; // where the current ordinary stretch began
    const auto aparte = [&](qsizetype inicio, qsizetype fin) {
        if (inicio > desde) r.append({desde, inicio - desde, false});
        r.append({inicio, fin - inicio, true});
        desde = fin;
    };
    // Control characters too end a run: the deformatter drops NULs, and the analyser never joins
    // the others to a word.
    const auto blanco = [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        if (blanco(text[i])) {
            ++i;
            continue;
        }
        qsizetype fin = i;
        while (fin < n && !blanco(text[fin]))
            ++fin;
        if (fin - i > longestRun) {
            aparte(i, fin);
        } else {
            for (qsizetype k = i; k < fin;) {
                qsizetype f = k;
                while (f < fin && deLetra(text[f]))
                    ++f;
                if (f - k > longestWord) aparte(k, f);
                k = std::max(f, k + 1);
            }
        }
        i = fin;
    }
    if (desde < n || r.isEmpty()) r.append({desde, n - desde, false});
    return r;
}

} // namespace sentences
