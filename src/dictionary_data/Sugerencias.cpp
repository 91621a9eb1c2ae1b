#include "dictionary_data/Sugerencias.h"

#include "dictionary_data/Consulta.h"
#include "dictionary_data/Direcciones.h"
#include "dictionary_data/Formas.h"
#include "platform/Paths.h"
#include "platform/TextFold.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <bit>
#include <memory>
#include <vector>

namespace sugerencias {

namespace {

// Longer keys are no words of the dictionary's, and the distance table stays small.
constexpr int kLargoMaximo = 64;
constexpr qint64 kTamanoMaximo = 8 * 1024 * 1024;
// Forms checked against the lookup before giving up: each costs a lookup.
constexpr int kComprobacionesMaximas = 40;
// The words whose every one-edit neighbour is asked of the analyser: a few hundred analyses.
constexpr int kLargoVecinos = 15;
constexpr int kUsosLetra = 20;

const char* IdiomaDe(int direccion) {
    static const char* const idiomas[] = {"spa", "eng", "spa", "por", "spa", "fra"};
    return idiomas[direccion];
}

// Which letters a key has, one bit per letter (others share bits): a word with too many letters
// the other lacks cannot be within the distance, and this is far cheaper to see than the distance.
uint32_t Letras(const std::u16string& clave) {
    uint32_t m = 0;
    for (char16_t c : clave)
        m |= 1u << ((c >= u'a' && c <= u'z') ? (c - u'a') : 26 + (c % 6));
    return m;
}

std::u16string Clave(const QString& palabra) {
    const QString k = textfold::SearchKey(consulta::SinLigaduras(palabra));
    return std::u16string(reinterpret_cast<const char16_t*>(k.utf16()), static_cast<size_t>(k.size()));
}

// How far a word may be from the typed one, by the typed one's length: one slip in a short word,
// a diminutive's or a plural's letters in a long one ("niñitas" -> "niña").
int Tope(size_t largo) {
    if (largo <= 3) return 1;
    if (largo <= 6) return 2;
    return 3;
}

struct Candidato {
    QString palabra;
    std::u16string clave;
    uint32_t letras = 0;
    int usos = 0;
    bool lema = false; // a headword: found by the lookup without asking
};

struct Indice {
    int direccion = -1;
    std::vector<std::vector<Candidato>> porLargo; // by the key's length
    QHash<QString, int> usos;                     // the common words' counts, by folded case
    QString alfabeto;                             // the letters the language's words are made of
};

std::unique_ptr<Indice>& Actual() {
    static std::unique_ptr<Indice> indice;
    return indice;
}

std::unique_ptr<Indice> Construir(dao::Database& db, int direccion) {
    auto indice = std::make_unique<Indice>();
    indice->direccion = direccion;
    indice->porLargo.resize(kLargoMaximo + 1);
    QHash<QString, Candidato> porPlegada;
    // The table's collation folds case, so grouping gives each headword once.
    auto consulta =
        db.CreateQueryDef(QStringLiteral("SELECT Palabra FROM %1 GROUP BY Palabra")
                              .arg(QLatin1String(kDirecciones.at(static_cast<size_t>(direccion)).tabla)));
    auto filas = consulta->OpenRecordset(dao::dbOpenForwardOnly);
    for (; !filas->Eof(); filas->MoveNext()) {
        Candidato c;
        c.palabra = filas->Fields(QStringLiteral("Palabra")).Value().toString();
        c.lema = true;
        porPlegada.insert(textfold::FoldCase(c.palabra), c);
    }
    filas->Close();
    QHash<QChar, int> letras;
    for (const Frecuente& f : LeerFrecuentes(RutaFrecuentes(direccion))) {
        const QString plegada = textfold::FoldCase(f.palabra);
        indice->usos.insert(plegada, f.usos);
        for (QChar c : plegada)
            if (c.isLetter()) ++letras[c];
        auto it = porPlegada.find(plegada);
        if (it != porPlegada.end()) {
            it->usos = std::max(it->usos, f.usos);
            continue;
        }
        Candidato c;
        c.palabra = f.palabra;
        c.usos = f.usos;
        porPlegada.insert(plegada, c);
    }
    // Letters met in a few words at least: a stray foreign one would only cost analyses.
    for (auto it = letras.cbegin(); it != letras.cend(); ++it)
        if (it.value() >= kUsosLetra) indice->alfabeto += it.key();
    for (Candidato& c : porPlegada) {
        c.clave = Clave(c.palabra);
        if (c.clave.empty() || c.clave.size() > static_cast<size_t>(kLargoMaximo)) continue;
        c.letras = Letras(c.clave);
        indice->porLargo[c.clave.size()].push_back(std::move(c));
    }
    return indice;
}

// Every word one edit away from `palabra` (a letter left out, swapped with the next, changed or
// added, from `alfabeto`), the word itself left out.
QSet<QString> Vecinas(const QString& palabra, const QString& alfabeto) {
    QSet<QString> v;
    const qsizetype n = palabra.size();
    for (qsizetype i = 0; i < n; ++i) {
        v.insert(QString(palabra).remove(i, 1));
        if (i + 1 < n) {
            QString t = palabra;
            std::swap(t[i], t[i + 1]);
            v.insert(t);
        }
        for (QChar c : alfabeto) {
            QString t = palabra;
            t[i] = c;
            v.insert(t);
        }
    }
    for (qsizetype i = 0; i <= n; ++i)
        for (QChar c : alfabeto)
            v.insert(QString(palabra).insert(i, c));
    v.remove(palabra);
    return v;
}

// The plain word a Spanish or Portuguese diminutive is made from ("niñitas" -> "niñas",
// "poquito" -> "poco", "livrinho" -> "livro"): a reader's word the dictionary has no reason to
// hold, and many letters away from its own. Empty when the word has no such ending.
QStringList SinDiminutivo(int direccion, const QString& palabra) {
    static const char* const espanol[][2] = {{"citos", "os"}, {"citas", "as"}, {"cito", "o"}, {"cita", "a"},
                                             {"itos", "os"},  {"itas", "as"},  {"ito", "o"},  {"ita", "a"},
                                             {"illos", "os"}, {"illas", "as"}, {"illo", "o"}, {"illa", "a"}};
    static const char* const portugues[][2] = {{"zinhos", "os"}, {"zinhas", "as"}, {"zinho", "o"},
                                               {"zinha", "a"},   {"inhos", "os"},  {"inhas", "as"},
                                               {"inho", "o"},    {"inha", "a"}};
    const bool por = direccion == 3;
    if (direccion != 0 && direccion != 2 && direccion != 4 && !por) return {};
    QStringList bases;
    const auto probar = [&](const char* const(&regla)[2]) {
        const QString fin = QString::fromUtf8(regla[0]);
        if (!palabra.endsWith(fin) || palabra.size() - fin.size() < 2) return;
        QString raiz = palabra.left(palabra.size() - fin.size());
        // The spelling the vowel before "i" asked for goes back: "poqu-ito" is "poco", "amigu-ito" "amigo".
        if (raiz.endsWith(QLatin1String("qu")))
            raiz.replace(raiz.size() - 2, 2, QStringLiteral("c"));
        else if (raiz.endsWith(QLatin1String("gu")))
            raiz.chop(1);
        bases << raiz + QString::fromUtf8(regla[1]);
    };
    if (por)
        for (const auto& r : portugues)
            probar(r);
    else
        for (const auto& r : espanol)
            probar(r);
    return bases;
}

} // namespace

QList<Frecuente> ContarPalabras(const QString& texto, int cuantas) {
    struct Cuenta {
        int usos = 0;
        bool enMinusculas = false;    // met written as its folded form
        QHash<QString, int> escritas; // otherwise, how it was written
    };
    QHash<QString, Cuenta> cuentas;
    const auto contar = [&](const QString& palabra) {
        const QString plegada = textfold::FoldCase(palabra);
        Cuenta& c = cuentas[plegada];
        ++c.usos;
        if (palabra == plegada)
            c.enMinusculas = true;
        else if (!c.enMinusculas)
            ++c.escritas[palabra];
    };
    const auto letra = [](QChar c) { return c.isLetter() || c.isMark(); };
    qsizetype inicio = -1;
    for (qsizetype i = 0; i <= texto.size(); ++i) {
        const bool dentro =
            i < texto.size() && (letra(texto[i]) || (texto[i] == QLatin1Char('-') && inicio >= 0 &&
                                                     i + 1 < texto.size() && letra(texto[i + 1])));
        if (dentro) {
            if (inicio < 0) inicio = i;
        } else if (inicio >= 0) {
            if (i - inicio <= kLargoMaximo) contar(texto.mid(inicio, i - inicio));
            inicio = -1;
        }
    }
    QList<Frecuente> lista;
    for (auto it = cuentas.cbegin(); it != cuentas.cend(); ++it) {
        if (it->usos < 2) continue;
        QString escrita = it.key();
        if (!it->enMinusculas) {
            int mas = 0;
            for (auto e = it->escritas.cbegin(); e != it->escritas.cend(); ++e)
                if (e.value() > mas || (e.value() == mas && e.key() < escrita)) {
                    mas = e.value();
                    escrita = e.key();
                }
        }
        lista.append({escrita, it->usos});
    }
    // Commonest first; ties by spelling, so the file is the same from the same text.
    std::sort(lista.begin(), lista.end(), [](const Frecuente& a, const Frecuente& b) {
        return a.usos != b.usos ? a.usos > b.usos : a.palabra < b.palabra;
    });
    if (lista.size() > cuantas) lista.resize(std::max(cuantas, 0));
    return lista;
}

QByteArray EscribirFrecuentes(const QList<Frecuente>& palabras) {
    QByteArray b;
    for (const Frecuente& f : palabras)
        b += f.palabra.toUtf8() + '\t' + QByteArray::number(f.usos) + '\n';
    return b;
}

QList<Frecuente> LeerFrecuentes(const QString& ruta) {
    QList<Frecuente> lista;
    QFile f(ruta);
    // A folder, a pipe or a device in its place is no list; checked again on the open file, which
    // may have been swapped in between.
    if (!QFileInfo(ruta).isFile() || !f.open(QIODevice::ReadOnly) || f.isSequential()) return lista;
    if (f.size() > kTamanoMaximo) return lista;
    const QByteArray contenido = f.read(kTamanoMaximo + 1);
    if (contenido.size() > kTamanoMaximo) return lista;
    for (const QByteArray& linea : contenido.split('\n')) {
        const qsizetype tab = linea.indexOf('\t');
        if (tab <= 0) continue;
        bool bien = false;
        const int usos = linea.mid(tab + 1).trimmed().toInt(&bien);
        const QString palabra = QString::fromUtf8(linea.left(tab));
        if (!bien || usos <= 0 || palabra.size() > kLargoMaximo ||
            palabra.contains(QChar::ReplacementCharacter))
            continue;
        if (std::any_of(palabra.cbegin(), palabra.cend(),
                        [](QChar c) { return !c.isPrint() || c.isSpace(); }))
            continue;
        lista.append({palabra, usos});
    }
    return lista;
}

QString RutaFrecuentes(int direccion) {
    if (!DireccionValida(direccion)) return {};
    return QDir(paths::AppPath())
        .filePath(QStringLiteral("Morfologia/%1.frecuentes").arg(QLatin1String(IdiomaDe(direccion))));
}

int Distancia(const std::u16string& a, const std::u16string& b, int tope) {
    const size_t n = a.size(), m = b.size();
    if ((n > m ? n - m : m - n) > static_cast<size_t>(tope)) return tope + 1;
    // Three rows of the table: two back for a swap.
    std::vector<int> antes(m + 1), previa(m + 1), fila(m + 1);
    for (size_t j = 0; j <= m; ++j)
        previa[j] = static_cast<int>(j);
    for (size_t i = 1; i <= n; ++i) {
        fila[0] = static_cast<int>(i);
        int menor = fila[0];
        for (size_t j = 1; j <= m; ++j) {
            const int cambio = a[i - 1] == b[j - 1] ? 0 : 1;
            int d = std::min({previa[j] + 1, fila[j - 1] + 1, previa[j - 1] + cambio});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d = std::min(d, antes[j - 2] + 1);
            fila[j] = d;
            menor = std::min(menor, d);
        }
        // Every later cell grows from one of this row's.
        if (menor > tope) return tope + 1;
        std::swap(antes, previa);
        std::swap(previa, fila);
    }
    return std::min(previa[m], tope + 1);
}

QStringList Sugerir(dao::Database& db, int direccion, const QString& palabra, int cuantas) {
    if (!DireccionValida(direccion) || cuantas <= 0) return {};
    const std::u16string clave = Clave(palabra);
    if (clave.size() < 2 || clave.size() > static_cast<size_t>(kLargoMaximo)) return {};
    // Punctuation alone, or a letter in it, is no misspelt word.
    if (std::count_if(palabra.cbegin(), palabra.cend(), [](QChar c) { return c.isLetter(); }) < 2) return {};
    QStringList ofrecidas;
    try {
        std::unique_ptr<Indice>& indice = Actual();
        if (!indice || indice->direccion != direccion) {
            indice.reset();
            indice = Construir(db, direccion);
        }
        const int tope = Tope(clave.size());
        const uint32_t letras = Letras(clave);
        const QString propia = textfold::FoldCase(palabra);
        struct Cerca {
            const Candidato* c;
            int distancia;
        };
        std::vector<Cerca> cerca;
        const size_t desde = clave.size() > static_cast<size_t>(tope) ? clave.size() - tope : 1;
        const size_t hasta = std::min(clave.size() + tope, static_cast<size_t>(kLargoMaximo));
        for (size_t largo = desde; largo <= hasta; ++largo) {
            for (const Candidato& c : indice->porLargo[largo]) {
                if (std::popcount(c.letras ^ letras) > 2 * tope) continue;
                const int d = Distancia(clave, c.clave, tope);
                if (d > tope || textfold::FoldCase(c.palabra) == propia) continue;
                cerca.push_back({&c, d});
            }
        }
        // The forms the analyser knows one edit away, common in the text or not ("libros" for
        // "libors"): the list of common words cannot hold every form of every word.
        std::vector<Candidato> vecinas;
        formas::Morfologia* m = formas::De(direccion);
        const bool deLetras =
            std::all_of(propia.cbegin(), propia.cend(), [](QChar c) { return c.isLetter() || c.isMark(); });
        if (deLetras && propia.size() <= kLargoVecinos && m && m->Disponible()) {
            const QSet<QString> todas = Vecinas(propia, indice->alfabeto);
            const QStringList bases = SinDiminutivo(direccion, propia);
            vecinas.reserve(static_cast<size_t>(todas.size() + bases.size()));
            for (const QString& v : todas + QSet<QString>(bases.cbegin(), bases.cend())) {
                if (m->Lecturas(v).isEmpty()) continue;
                Candidato c;
                c.palabra = v;
                c.clave = Clave(v);
                c.usos = indice->usos.value(v);
                vecinas.push_back(std::move(c));
            }
            for (const Candidato& c : vecinas) {
                // A diminutive's plain word is one step from it, however many letters it lost.
                const int d = bases.contains(c.palabra) ? 1 : Distancia(clave, c.clave, tope);
                // Already among the common words or headwords with its count.
                const bool yaEsta = std::any_of(cerca.begin(), cerca.end(), [&](const Cerca& x) {
                    return textfold::FoldCase(x.c->palabra) == c.palabra;
                });
                if (d <= tope && !yaEsta) cerca.push_back({&c, d});
            }
        }
        std::sort(cerca.begin(), cerca.end(), [](const Cerca& a, const Cerca& b) {
            if (a.distancia != b.distancia) return a.distancia < b.distancia;
            if (a.c->usos != b.c->usos) return a.c->usos > b.c->usos;
            if (a.c->lema != b.c->lema) return a.c->lema;
            return a.c->palabra < b.c->palabra;
        });
        int comprobadas = 0;
        for (const Cerca& x : cerca) {
            if (ofrecidas.size() >= cuantas) break;
            if (!x.c->lema) {
                // A form of the text is offered only when the lookup finds it as written.
                if (comprobadas++ >= kComprobacionesMaximas) continue;
                const consulta::Entrada e = consulta::Buscar(db, direccion, x.c->palabra);
                if (!e.encontrada || e.sinAcentos) continue;
            }
            ofrecidas << x.c->palabra;
        }
    } catch (const dao::DaoError&) {
        return {};
    }
    return ofrecidas;
}

void Olvidar() {
    Actual().reset();
}

} // namespace sugerencias
