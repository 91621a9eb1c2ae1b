#include "Analizador.h"

#include "dictionary_data/Etiquetas.h"
#include "platform/Transducer.h"

#include <lttoolbox/fst_processor.h>
#include <lttoolbox/input_file.h>
#include <unicode/ustdio.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace generador {

using namespace etiquetas;

Analizador::Analizador(const std::string& automorf) : fst_(std::make_unique<FSTProcessor>()) {
    FILE* f = std::fopen(automorf.c_str(), "rb");
    if (!f) throw std::runtime_error("no se puede abrir " + automorf);
    fst_->load(f);
    std::fclose(f);
    fst_->initAnalysis();
}

Analizador::~Analizador() = default;

bool RasgosDeLecturas(const QString& lema, const QStringList& lecturas, Rasgos& rasgos) {
    bool hay = false, singular = false, plural = false, invariable = false;
    rasgos = Rasgos();
    for (const QString& l : lecturas) {
        const Analisis a = LeerAnalisis(l);
        if (a.etiquetas.isEmpty() || a.lema.compare(lema, Qt::CaseInsensitive) != 0) continue;
        hay = true;
        const QString& pos = a.etiquetas.first();
        if (!rasgos.tipos.contains(pos)) rasgos.tipos << pos;
        if (pos == QLatin1String("det") && CodigoTipo(a.etiquetas) == QLatin1String("ar"))
            rasgos.articulo = true;
        if (pos != QLatin1String("n")) continue;
        if (rasgos.genero.isEmpty() && !a.etiquetas.contains(QLatin1String("mf")))
            rasgos.genero = CodigoGenero(a.etiquetas);
        if (a.etiquetas.contains(QLatin1String("sg"))) singular = true;
        if (a.etiquetas.contains(QLatin1String("pl"))) plural = true;
        if (a.etiquetas.contains(QLatin1String("sp"))) invariable = true;
    }
    rasgos.numero = invariable ? QString()
                    : singular ? QStringLiteral("s")
                    : plural   ? QStringLiteral("p")
                               : QString();
    return hay;
}

QHash<QString, Rasgos> Analizador::Consultar(const QStringList& lemas) {
    QHash<QString, Rasgos> resultado;
    if (lemas.isEmpty()) return resultado;
    // Two lines per lemma: the lemma, then its head word, so one pass answers both questions.
    QByteArray entrada;
    for (const QString& l : lemas) {
        entrada += lt::Escape(l).toUtf8() + '\n';
        entrada += lt::Escape(l.section(QLatin1Char(' '), 0, 0)).toUtf8() + '\n';
    }
    FILE* in = fmemopen(entrada.data(), static_cast<size_t>(entrada.size()), "r");
    char* buffer = nullptr;
    size_t tam = 0;
    FILE* out = open_memstream(&buffer, &tam);
    if (!in || !out) throw std::runtime_error("sin memoria para el analizador");
    {
        InputFile input;
        input.wrap(in);
        UFILE* uout = u_finit(out, nullptr, "UTF-8");
        fst_->analysis(input, uout);
        u_fclose(uout);
    }
    std::fclose(out);
    const QStringList lineas =
        QString::fromUtf8(buffer, static_cast<qsizetype>(tam)).split(QLatin1Char('\n'));
    std::free(buffer);

    for (qsizetype i = 0; i < lemas.size(); ++i) {
        const QString& lema = lemas[i];
        Rasgos r;
        if (2 * i < lineas.size() && RasgosDeLecturas(lema, lt::Readings(lineas[2 * i]), r)) {
            resultado.insert(lema, r);
            continue;
        }
        const QString cabeza = lema.section(QLatin1Char(' '), 0, 0);
        if (cabeza != lema && 2 * i + 1 < lineas.size() &&
            RasgosDeLecturas(cabeza, lt::Readings(lineas[2 * i + 1]), r) &&
            r.tipos.contains(QLatin1String("n"))) {
            // The head's noun reading only: its other readings say nothing about the whole.
            r.tipos = QStringList{QStringLiteral("n")};
            r.articulo = false;
            resultado.insert(lema, r);
        }
    }
    return resultado;
}

} // namespace generador
