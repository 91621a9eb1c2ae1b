#include "Filas.h"

#include "Etiquetas.h"
#include "platform/TextFold.h"

#include <algorithm>
#include <unordered_map>

namespace generador {

namespace {

QString ClavePar(const QString& origen, const QString& destino) {
    return origen + QChar(0x1F) + destino;
}

struct Candidata {
    Analisis origen, destino;
    QString clave;   // headword as lookups compare it
    bool propio = false;
    bool restringida = false;
    bool grupoLibre = false; // its source analysis has some unrestricted translation
    size_t grupo = 0;        // rank of its source analysis, as first met
    size_t orden = 0;
};

bool TieneLetra(const QString& s) {
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.isLetter(); });
}

bool EsSustantivo(const QStringList& etiquetas) {
    return !etiquetas.isEmpty() && etiquetas.first() == QLatin1String("n");
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

QStringList SustantivosAbiertos(const std::vector<Par>& pares, bool destino) {
    QSet<QString> vistos;
    QStringList lemas;
    for (const Par& p : pares) {
        const Analisis a = LeerAnalisis(destino ? p.destino : p.origen);
        if (!EsSustantivo(a.etiquetas) || a.lema.isEmpty()) continue;
        if (!GeneroAbierto(a.etiquetas) && !NumeroAbierto(a.etiquetas)) continue;
        if (vistos.contains(a.lema)) continue;
        vistos.insert(a.lema);
        lemas << a.lema;
    }
    return lemas;
}

std::vector<esquema::Fila> ConstruirFilas(const Insumos& in) {
    const Direccion& dir = kDirecciones.at(static_cast<size_t>(in.direccion));
    std::vector<Candidata> candidatas;
    candidatas.reserve(in.pares.size());
    std::unordered_map<QString, size_t> grupos;
    QSet<QString> libres;
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
        if (!c.restringida) libres.insert(p.origen);
        candidatas.push_back(std::move(c));
        origenes.push_back(&p.origen);
    }
    for (size_t i = 0; i < candidatas.size(); ++i) candidatas[i].grupoLibre = libres.contains(*origenes[i]);
    std::stable_sort(candidatas.begin(), candidatas.end(), [](const Candidata& a, const Candidata& b) {
        if (a.clave != b.clave) {
            const int r = textfold::Compare(a.clave, b.clave);
            return r != 0 ? r < 0 : a.clave < b.clave;
        }
        if (a.propio != b.propio) return !a.propio;
        if (a.grupoLibre != b.grupoLibre) return a.grupoLibre;
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
        f.tipo = CodigoTipo(c.origen.etiquetas);
        f.tipoT = CodigoTipo(c.destino.etiquetas);
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
