#include "Filas.h"

#include "dictionary_data/Etiquetas.h"
#include "platform/TextFold.h"

#include <algorithm>
#include <unordered_map>

namespace generador {

using namespace etiquetas;

namespace {

QString ClavePar(const QString& origen, const QString& destino) {
    return origen + QChar(0x1F) + destino;
}

struct Candidata {
    Analisis origen, destino;
    QString clave;   // headword as lookups compare it
    bool propio = false;
    bool restringida = false;
    // Properties of its source analysis (its group), which rank the groups of one headword.
    bool confirmada = true;  // the analyser knows the headword in this part of speech
    bool grupoMutuo = false; // some translation gives the headword back as its own first choice
    bool grupoLibre = false; // some translation is unrestricted
    int rango = 0;           // part of speech preference
    size_t grupo = 0;        // as first met
    size_t orden = 0;
};

// Between parts of speech that tie on everything else: adjectives before nouns ("rojo" is first
// "red" the colour), nouns before verbs ("water"), then adverbs, then the rest; comparative and
// superlative readings ("good" -> "mejor") last.
int RangoTipo(const QStringList& etiquetas) {
    if (etiquetas.contains(QLatin1String("comp")) || etiquetas.contains(QLatin1String("sup"))) return 9;
    const QString t = CodigoTipo(etiquetas);
    if (t == QLatin1String("aj")) return 0;
    if (t == QLatin1String("n")) return 1;
    if (t == QLatin1String("v")) return 2;
    if (t == QLatin1String("av")) return 3;
    return 4;
}

bool TieneLetra(const QString& s) {
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.isLetter(); });
}

bool EsSustantivo(const QStringList& etiquetas) {
    return !etiquetas.isEmpty() && etiquetas.first() == QLatin1String("n");
}

// A bare <det> is an article when the analyser reads the word as one ("el" -> el<det><def>).
QString Tipo(const Analisis& a, const QHash<QString, Rasgos>& rasgos) {
    const QString t = CodigoTipo(a.etiquetas);
    if (t.isEmpty() && !a.etiquetas.isEmpty() && a.etiquetas.first() == QLatin1String("det") &&
        rasgos.value(a.lema).articulo)
        return QStringLiteral("ar");
    return t;
}

void Rasgar(const Analisis& a, const QHash<QString, Rasgos>& rasgos, QString& genero, QString& numero) {
    genero = CodigoGenero(a.etiquetas);
    numero = CodigoNumero(a.etiquetas);
    if (!EsSustantivo(a.etiquetas)) return;
    auto it = rasgos.constFind(a.lema);
    if (it == rasgos.constEnd()) return;
    // <mf> stays common whatever the analyser says about one of its readings.
    if (GeneroAbierto(a.etiquetas) && !a.etiquetas.contains(QLatin1String("mf"))) genero = it->genero;
    if (NumeroAbierto(a.etiquetas)) numero = it->numero;
}

} // namespace

QSet<QString> ClavesInversas(const std::vector<Par>& paresOpuestos) {
    QSet<QString> claves;
    for (const Par& p : paresOpuestos) claves.insert(ClavePar(LeerAnalisis(p.destino).lema, LeerAnalisis(p.origen).lema));
    return claves;
}

QSet<QString> ClavesPredilectas(const std::vector<Par>& paresOpuestos) {
    // LeerBilingue keeps each source analysis's translations together, its first choice first.
    QSet<QString> claves;
    const QString* anterior = nullptr;
    for (const Par& p : paresOpuestos) {
        if (!anterior || *anterior != p.origen)
            claves.insert(ClavePar(LeerAnalisis(p.destino).lema, LeerAnalisis(p.origen).lema));
        anterior = &p.origen;
    }
    return claves;
}

QStringList Lemas(const std::vector<Par>& pares, bool destino) {
    QSet<QString> vistos;
    QStringList lemas;
    for (const Par& p : pares) {
        const QString lema = LeerAnalisis(destino ? p.destino : p.origen).lema;
        if (lema.isEmpty() || vistos.contains(lema)) continue;
        vistos.insert(lema);
        lemas << lema;
    }
    return lemas;
}

std::vector<esquema::Fila> ConstruirFilas(const Insumos& in) {
    const Direccion& dir = kDirecciones.at(static_cast<size_t>(in.direccion));
    std::vector<Candidata> candidatas;
    candidatas.reserve(in.pares.size());
    std::unordered_map<QString, size_t> grupos;
    QSet<QString> libres, mutuos;
    std::vector<const QString*> origenes;
    for (const Par& p : in.pares) {
        Candidata c;
        c.origen = LeerAnalisis(p.origen);
        c.destino = LeerAnalisis(p.destino);
        // Punctuation has entries too ("(" -> "("): not words anyone looks up.
        if (!TieneLetra(c.origen.lema) || !TieneLetra(c.destino.lema)) continue;
        c.propio = EsNombrePropio(c.origen.etiquetas);
        // A name that stays the same in the other language teaches nothing.
        if (c.propio && textfold::FoldCase(c.origen.lema) == textfold::FoldCase(c.destino.lema)) continue;
        c.clave = textfold::FoldCase(c.origen.lema);
        c.restringida = !in.inversos.contains(ClavePar(c.origen.lema, c.destino.lema));
        c.orden = candidatas.size();
        c.grupo = grupos.try_emplace(p.origen, grupos.size()).first->second;
        c.rango = RangoTipo(c.origen.etiquetas);
        // A headword the analyser does not know at all is not held against any of its readings.
        const auto r = in.rasgosOrigen.constFind(c.origen.lema);
        if (r != in.rasgosOrigen.constEnd() && !c.origen.etiquetas.isEmpty())
            c.confirmada = r->tipos.contains(c.origen.etiquetas.first());
        if (!c.restringida) libres.insert(p.origen);
        if (in.predilectos.contains(ClavePar(c.origen.lema, c.destino.lema))) mutuos.insert(p.origen);
        candidatas.push_back(std::move(c));
        origenes.push_back(&p.origen);
    }
    for (size_t i = 0; i < candidatas.size(); ++i) {
        candidatas[i].grupoLibre = libres.contains(*origenes[i]);
        candidatas[i].grupoMutuo = mutuos.contains(*origenes[i]);
    }
    std::stable_sort(candidatas.begin(), candidatas.end(), [](const Candidata& a, const Candidata& b) {
        if (a.clave != b.clave) {
            const int r = textfold::Compare(a.clave, b.clave);
            return r != 0 ? r < 0 : a.clave < b.clave;
        }
        if (a.propio != b.propio) return !a.propio;
        if (a.confirmada != b.confirmada) return a.confirmada;
        if (a.grupoMutuo != b.grupoMutuo) return a.grupoMutuo;
        if (a.grupoLibre != b.grupoLibre) return a.grupoLibre;
        if (a.rango != b.rango) return a.rango < b.rango;
        if (a.grupo != b.grupo) return a.grupo < b.grupo;
        if (a.restringida != b.restringida) return !a.restringida;
        return a.orden < b.orden;
    });

    std::vector<esquema::Fila> filas;
    filas.reserve(candidatas.size());
    size_t inicioGrupo = 0;
    QSet<QString> vistos;
    QStringList traducciones; // distinct translations of the current headword, in row order
    auto cerrarGrupo = [&]() {
        if (dir.acepciones) {
            QVariant a1, a2;
            if (traducciones.size() >= 2) {
                a1 = traducciones[1];
                a2 = traducciones.size() >= 3 ? traducciones[2] : QString(QLatin1String(""));
            }
            for (size_t i = inicioGrupo; i < filas.size(); ++i) {
                filas[i].acepcion1 = a1;
                filas[i].acepcion2 = a2;
            }
        }
        inicioGrupo = filas.size();
        vistos.clear();
        traducciones.clear();
    };
    QString claveActual;
    for (const Candidata& c : candidatas) {
        if (c.clave != claveActual) {
            cerrarGrupo();
            claveActual = c.clave;
        }
        const QString par = ClavePar(c.origen.lema, c.destino.lema);
        if (vistos.contains(par)) continue;
        vistos.insert(par);
        if (!traducciones.contains(c.destino.lema)) traducciones << c.destino.lema;

        esquema::Fila f;
        f.palabra = c.origen.lema;
        f.traduccion = c.destino.lema;
        f.tipo = Tipo(c.origen, in.rasgosOrigen);
        f.tipoT = Tipo(c.destino, in.rasgosDestino);
        Rasgar(c.origen, in.rasgosOrigen, f.genero, f.numero);
        Rasgar(c.destino, in.rasgosDestino, f.generoT, f.numeroT);
        filas.push_back(std::move(f));
    }
    cerrarGrupo();
    return filas;
}

void MarcarGrabaciones(std::vector<esquema::Fila>& filas, const std::function<bool(const QString&)>& hayGrabacion) {
    for (esquema::Fila& f : filas) f.pronunciacion = hayGrabacion(f.traduccion);
}

Resumen Resumir(const std::vector<esquema::Fila>& filas) {
    Resumen r;
    QSet<QString> palabras;
    for (const esquema::Fila& f : filas) {
        palabras.insert(textfold::FoldCase(f.palabra));
        ++r.filas;
        if (!f.tipo.isEmpty()) ++r.conTipo;
        if (f.tipo == QLatin1String("n")) {
            ++r.sustantivos;
            if (!f.genero.isEmpty()) ++r.sustantivosConGenero;
        }
        if (!f.acepcion1.isNull() && !f.acepcion1.toString().isEmpty()) ++r.conAcepciones;
        if (f.pronunciacion) ++r.conPronunciacion;
    }
    r.palabras = static_cast<int>(palabras.size());
    return r;
}

} // namespace generador
