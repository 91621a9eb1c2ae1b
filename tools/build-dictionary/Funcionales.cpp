#include "Funcionales.h"

#include "dictionary_data/Etiquetas.h"
#include "dictionary_data/Formas.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <array>
#include <stdexcept>

namespace generador {

namespace {

constexpr std::array<std::pair<const char*, const char*>, 6> kIdiomas{{
    {"spa", "eng"},
    {"eng", "spa"},
    {"spa", "por"},
    {"por", "spa"},
    {"spa", "fra"},
    {"fra", "spa"},
}};

// The first word of a reading that analyses as several ("de<pr>+el<det>...").
etiquetas::Analisis PrimeraParte(const QString& lectura) {
    return etiquetas::LeerAnalisis(lectura.section(QLatin1Char('+'), 0, 0));
}

bool ConGeneroYNumero(const QString& tipo) {
    return tipo == QLatin1String("n") || tipo == QLatin1String("ar") || tipo == QLatin1String("pro");
}

struct Codigos {
    QString tipo, genero, numero;
};

// Codes of one reading: an article only when the language calls it one, gender and number only
// where they mean something to the reader.
Codigos CodigosDe(const etiquetas::Analisis& a, const QString& idioma) {
    Codigos c;
    c.tipo = etiquetas::CodigoTipo(a.etiquetas);
    if (c.tipo == QLatin1String("ar") && !EsArticulo(a.lema, idioma)) c.tipo.clear();
    if (ConGeneroYNumero(c.tipo)) {
        c.genero = etiquetas::CodigoGenero(a.etiquetas);
        c.numero = etiquetas::CodigoNumero(a.etiquetas);
    }
    return c;
}

} // namespace

bool LeerLineaFuncional(const QString& linea, Funcional& funcional) {
    funcional = Funcional();
    const QString limpia = linea.trimmed();
    if (limpia.isEmpty() || limpia.startsWith(QLatin1Char('#'))) return false;
    const QStringList campos = limpia.split(QLatin1Char('|'));
    funcional.forma = campos.first().simplified();
    static const QRegularExpression propia(QStringLiteral("^([a-z]{3})\\s*=\\s*(.+)$"));
    for (qsizetype i = 1; i < campos.size(); ++i) {
        const QString campo = campos[i].simplified();
        const QRegularExpressionMatch m = propia.match(campo);
        if (m.hasMatch())
            funcional.propias.insert(m.captured(1), m.captured(2).simplified());
        else if (!campo.isEmpty())
            funcional.categoria = campo;
    }
    return !funcional.forma.isEmpty();
}

std::vector<Funcional> LeerFuncionales(const QString& archivo) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("no se puede leer " + QFile::encodeName(archivo).toStdString());
    std::vector<Funcional> lista;
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    Funcional fn;
    while (!in.atEnd())
        if (LeerLineaFuncional(in.readLine(), fn)) lista.push_back(fn);
    return lista;
}

bool EsArticulo(const QString& lema, const QString& idioma) {
    static const QHash<QString, QStringList> articulos{
        {QStringLiteral("spa"), {QStringLiteral("el"), QStringLiteral("uno"), QStringLiteral("un")}},
        {QStringLiteral("eng"), {QStringLiteral("the"), QStringLiteral("a"), QStringLiteral("an")}},
        {QStringLiteral("por"), {QStringLiteral("o"), QStringLiteral("um")}},
        {QStringLiteral("fra"), {QStringLiteral("le"), QStringLiteral("un")}},
    };
    return articulos.value(idioma).contains(lema.toLower());
}

QString IdiomaOrigen(int direccion) {
    return direccion >= 0 && direccion < 6 ? QLatin1String(kIdiomas[static_cast<size_t>(direccion)].first)
                                           : QString();
}

QString IdiomaDestino(int direccion) {
    return direccion >= 0 && direccion < 6 ? QLatin1String(kIdiomas[static_cast<size_t>(direccion)].second)
                                           : QString();
}

std::vector<esquema::Fila> FilasFuncionales(const std::vector<Funcional>& lista, int direccion,
                                            formas::Morfologia& directa,
                                            const std::function<QStringList(const QString&)>& lecturasDestino,
                                            QStringList* sinFila) {
    const QString origen = IdiomaOrigen(direccion), destino = IdiomaDestino(direccion);
    std::vector<esquema::Fila> filas;
    for (const Funcional& fn : lista) {
        // An elided form ("l'", "qu'") is analysed with its apostrophe and filed without it, as
        // the translator and the lookup meet it: "l'eau" is "l" and "eau".
        const bool elidida = fn.forma.size() > 1 && fn.forma.endsWith(QLatin1Char('\''));
        QStringList lecturas = directa.Lecturas(fn.forma);
        // "vblex pri": a verb in the present indicative, not the imperative of the same spelling.
        const QStringList pedidas = fn.categoria.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        auto pedida = [&](const QString& l) {
            const etiquetas::Analisis a = PrimeraParte(l);
            return !a.etiquetas.isEmpty() && a.etiquetas.first() == pedidas.first() &&
                   std::all_of(pedidas.begin() + 1, pedidas.end(),
                               [&](const QString& e) { return a.etiquetas.contains(e); });
        };
        if (!pedidas.isEmpty()) std::stable_partition(lecturas.begin(), lecturas.end(), pedida);
        const QString propia = fn.propias.value(destino);
        esquema::Fila fila;
        fila.palabra = elidida ? fn.forma.chopped(1) : fn.forma;
        if (!propia.isEmpty()) {
            // Our own translation; the codes of each side from its own analysis.
            if (!lecturas.isEmpty() && !lecturas.first().contains(QLatin1Char('+')) &&
                (pedidas.isEmpty() || pedida(lecturas.first()))) {
                const Codigos c = CodigosDe(PrimeraParte(lecturas.first()), origen);
                fila.tipo = c.tipo;
                fila.genero = c.genero;
                fila.numero = c.numero;
            } else if (!fn.categoria.isEmpty()) {
                // Words joined in one form ("conmigo" = con + mí), or a form the analyser reads
                // otherwise ("consigo", I get), are what the list says they are.
                fila.tipo = etiquetas::CodigoTipo({pedidas.first()});
            }
            fila.traduccion = propia;
            for (const QString& l : lecturasDestino ? lecturasDestino(propia) : QStringList()) {
                if (l.contains(QLatin1Char('+'))) continue;
                const Codigos c = CodigosDe(etiquetas::LeerAnalisis(l), destino);
                if (c.tipo != fila.tipo) continue;
                fila.tipoT = c.tipo;
                fila.generoT = c.genero;
                fila.numeroT = c.numero;
                break;
            }
            filas.push_back(std::move(fila));
            continue;
        }
        const std::optional<formas::Forma> f =
            lecturas.isEmpty() ? std::nullopt : directa.TraducirLecturas(lecturas);
        const bool limpia = f && !f->traduccion.trimmed().isEmpty() &&
                            std::none_of(f->traduccion.begin(), f->traduccion.end(), [](QChar c) {
                                return c == QLatin1Char('<') || c == QLatin1Char('#') ||
                                       c == QLatin1Char('@') || c == QLatin1Char('_');
                            });
        if (!limpia) {
            if (sinFila) *sinFila << fn.forma;
            continue;
        }
        fila.traduccion = f->traduccion;
        // A present form that fixes no person ("can", can<vaux><pres>) has no finite translation
        // of its own: the generator would pick one ("pueden"). The infinitive says what it says.
        const etiquetas::Analisis leida = PrimeraParte(lecturas.first());
        const QStringList& t = leida.etiquetas;
        if (!t.isEmpty() && t.first().startsWith(QLatin1Char('v')) && t.contains(QLatin1String("pres")) &&
            !t.contains(QLatin1String("p1")) && !t.contains(QLatin1String("p2")) &&
            !t.contains(QLatin1String("p3")) && !f->lemaTraduccion.isEmpty())
            fila.traduccion = f->lemaTraduccion;
        fila.tipo = f->tipo;
        fila.genero = f->genero;
        fila.numero = f->numero;
        if (fila.tipo == QLatin1String("ar") && !EsArticulo(f->lema, origen)) {
            fila.tipo.clear();
            fila.genero.clear();
            fila.numero.clear();
        }
        fila.tipoT = f->tipoT;
        fila.generoT = f->generoT;
        fila.numeroT = f->numeroT;
        if (fila.tipoT == QLatin1String("ar") && !EsArticulo(f->lemaTraduccion, destino)) {
            fila.tipoT.clear();
            fila.generoT.clear();
            fila.numeroT.clear();
        }
        filas.push_back(std::move(fila));
    }
    return filas;
}

} // namespace generador
