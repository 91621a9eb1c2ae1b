#include "Bilingue.h"

#include "dictionary_data/Etiquetas.h"

#include <lttoolbox/file_utils.h>
#include <lttoolbox/fst_processor.h>

#include <QHash>
#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <stdexcept>

namespace generador {

using namespace etiquetas;

namespace {

QString DeUString(const UString& s) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(s.data()), static_cast<qsizetype>(s.size()));
}

UString AUString(const QString& s) {
    return UString(reinterpret_cast<const UChar*>(s.utf16()), static_cast<size_t>(s.size()));
}

using Transiciones = std::map<int, std::multimap<int, std::pair<int, double>>>;

// States on a cycle (a strongly connected component of more than one state, or a state with a
// loop of its own), found with Tarjan's algorithm, iteratively: the lexicon is deep enough to
// make recursion a risk.
std::vector<bool> EstadosEnCiclo(const Transiciones& t, int estados) {
    std::vector<int> indice(estados, -1), bajo(estados, 0);
    std::vector<bool> enPila(estados, false), enCiclo(estados, false);
    std::vector<int> pila;
    int siguiente = 0;
    struct Marco {
        int estado;
        std::vector<int> sucesores;
        size_t i = 0;
    };
    auto sucesores = [&](int s) {
        std::vector<int> r;
        auto it = t.find(s);
        if (it != t.end())
            for (const auto& [simbolo, destino] : it->second) {
                if (destino.first == s) enCiclo[s] = true;
                r.push_back(destino.first);
            }
        return r;
    };
    for (int raiz = 0; raiz < estados; ++raiz) {
        if (indice[raiz] != -1) continue;
        std::vector<Marco> marcos;
        marcos.push_back({raiz, sucesores(raiz)});
        indice[raiz] = bajo[raiz] = siguiente++;
        pila.push_back(raiz);
        enPila[raiz] = true;
        while (!marcos.empty()) {
            Marco& m = marcos.back();
            if (m.i < m.sucesores.size()) {
                const int w = m.sucesores[m.i++];
                if (w < 0 || w >= estados) continue;
                if (indice[w] == -1) {
                    indice[w] = bajo[w] = siguiente++;
                    pila.push_back(w);
                    enPila[w] = true;
                    marcos.push_back({w, sucesores(w)});
                } else if (enPila[w]) {
                    bajo[m.estado] = std::min(bajo[m.estado], indice[w]);
                }
                continue;
            }
            const int v = m.estado;
            if (bajo[v] == indice[v]) {
                std::vector<int> componente;
                int w;
                do {
                    w = pila.back();
                    pila.pop_back();
                    enPila[w] = false;
                    componente.push_back(w);
                } while (w != v);
                if (componente.size() > 1)
                    for (int c : componente)
                        enCiclo[c] = true;
            }
            marcos.pop_back();
            if (!marcos.empty()) bajo[marcos.back().estado] = std::min(bajo[marcos.back().estado], bajo[v]);
        }
    }
    return enCiclo;
}

class Recorrido {
public:
    Recorrido(Alphabet& alfabeto, Transducer& t, std::vector<Par>& salida)
        : alfabeto_(alfabeto), transiciones_(t.getTransitions()), finales_(t.getFinals()), salida_(salida),
          inicial_(t.getInitial()) {
        enCiclo_ = EstadosEnCiclo(transiciones_, t.size());
    }

    // Appends every path that avoids the cycles to the output.
    void Recorrer() {
        if (inicial_ >= 0 && inicial_ < static_cast<int>(enCiclo_.size()) && !enCiclo_[inicial_])
            Caminar(inicial_);
    }

private:
    void Caminar(int estado) {
        if (finales_.count(estado)) salida_.push_back({DeUString(izquierda_), DeUString(derecha_)});
        auto it = transiciones_.find(estado);
        if (it == transiciones_.end()) return;
        for (const auto& [simbolo, destino] : it->second) {
            const int siguiente = destino.first;
            if (siguiente < 0 || siguiente >= static_cast<int>(enCiclo_.size()) || enCiclo_[siguiente])
                continue;
            const auto& [izq, der] = alfabeto_.decode(simbolo);
            const size_t li = izquierda_.size(), ld = derecha_.size();
            if (izq) alfabeto_.getSymbol(izquierda_, izq);
            if (der) alfabeto_.getSymbol(derecha_, der);
            Caminar(siguiente);
            izquierda_.resize(li);
            derecha_.resize(ld);
        }
    }

    Alphabet& alfabeto_;
    Transiciones& transiciones_;
    std::map<int, double> finales_;
    std::vector<Par>& salida_;
    int inicial_;
    std::vector<bool> enCiclo_;
    UString izquierda_, derecha_;
};

// Escapes the characters the stream format reserves, so a lemma like "AC/DC" can be looked up.
QString Escapar(const QString& analisis) {
    static const QString reservados = QStringLiteral("^$/\\@*[]{}");
    QString r;
    for (QChar c : analisis) {
        if (reservados.contains(c)) r += QLatin1Char('\\');
        r += c;
    }
    return r;
}

// Splits "casa<n><f>/cámara<n><f>" at the unescaped slashes, keeping the escapes.
QStringList PartirSalida(const QString& s) {
    QStringList partes{QString()};
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('\\') && i + 1 < s.size()) {
            partes.last() += s[i];
            partes.last() += s[++i];
        } else if (s[i] == QLatin1Char('/')) {
            partes << QString();
        } else {
            partes.last() += s[i];
        }
    }
    return partes;
}

// Canonical spelling for comparing the walk's paths with the lookup's answers.
QString Clave(const QString& analisis) {
    const Analisis a = LeerAnalisis(analisis);
    return a.lema + QLatin1Char('<') + a.etiquetas.join(QStringLiteral("><")) + QLatin1Char('>');
}

} // namespace

bool EsPatron(const QString& lema) {
    for (QChar c : lema)
        if (c.isDigit()) return true;
    if (lema.contains(QLatin1String("://")) || lema.startsWith(QLatin1String("www."), Qt::CaseInsensitive) ||
        lema.contains(QLatin1Char('@')))
        return true;
    return false;
}

std::vector<Par> LeerBilingue(const std::string& archivo) {
    std::vector<Par> caminos;
    {
        FILE* f = std::fopen(archivo.c_str(), "rb");
        if (!f) throw std::runtime_error("no se puede abrir " + archivo);
        std::set<UChar32> letras;
        Alphabet alfabeto;
        std::map<UString, Transducer> secciones;
        readTransducerSet(f, letras, alfabeto, secciones);
        std::fclose(f);
        for (auto& [nombre, t] : secciones)
            Recorrido(alfabeto, t, caminos).Recorrer();
    }
    // A pattern shows on either side: "siglo I" is only caught by its translation "1st century".
    std::erase_if(caminos, [](const Par& p) {
        return p.destino.isEmpty() || EsPatron(LeerAnalisis(p.origen).lema) ||
               EsPatron(LeerAnalisis(p.destino).lema);
    });

    // Group by source analysis, groups in walk order.
    std::vector<QString> orden;
    QHash<QString, std::vector<QString>> destinos;
    for (const Par& p : caminos) {
        auto it = destinos.find(p.origen);
        if (it == destinos.end()) {
            orden.push_back(p.origen);
            it = destinos.insert(p.origen, {});
        }
        if (std::find(it->begin(), it->end(), p.destino) == it->end()) it->push_back(p.destino);
    }

    // The walk meets translations in symbol order; the bilingual lookup gives Apertium's order.
    FSTProcessor fst;
    {
        FILE* f = std::fopen(archivo.c_str(), "rb");
        if (!f) throw std::runtime_error("no se puede abrir " + archivo);
        fst.load(f);
        std::fclose(f);
    }
    fst.initBiltrans();

    std::vector<Par> resultado;
    resultado.reserve(caminos.size());
    for (const QString& origen : orden) {
        std::vector<QString> lista = destinos.value(origen);
        if (lista.size() > 1) {
            QString salida =
                DeUString(fst.biltrans(AUString(QLatin1Char('^') + Escapar(origen) + QLatin1Char('$'))));
            if (salida.startsWith(QLatin1Char('^'))) salida.remove(0, 1);
            if (salida.endsWith(QLatin1Char('$'))) salida.chop(1);
            // The lookup answers with the translations only: "^casa<n><f>/cámara<n><f>$".
            const QStringList ofrecidas = PartirSalida(salida);
            QStringList claves;
            for (const QString& o : ofrecidas)
                claves << Clave(o);
            auto posicion = [&](const QString& d) {
                const qsizetype i = claves.indexOf(Clave(d));
                return i < 0 ? claves.size() : i;
            };
            std::stable_sort(lista.begin(), lista.end(),
                             [&](const QString& a, const QString& b) { return posicion(a) < posicion(b); });
        }
        for (const QString& d : lista)
            resultado.push_back({origen, d});
    }
    return resultado;
}

} // namespace generador
