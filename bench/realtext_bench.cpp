// Real text: how much of ordinary running prose each direction translates, and how fast. The
// prose is build/yardstick/<language>.txt (paragraphs from Debian's documentation in Spanish,
// English, Portuguese and French, extracted at build time). The counter "traducidas_pct" is the
// share of word tokens (as the direction's analyser cuts the text) that come out translated, not
// bracketed.
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Consulta.h"
#include "dictionary_data/Formas.h"
#include "platform/Paths.h"
#include "support/Abrir.h"
#include "translator/Buscador.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {

QString muestra(const char* idioma) {
    QFile f(kCarpeta + QStringLiteral("/yardstick/%1.txt").arg(QLatin1String(idioma)));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

// One direction on its source language's prose: every iteration a whole translation, as
// "Traducir ahora" makes it.
void BM_RealText(benchmark::State& state, int direccion, const char* idioma) {
    if (!abrir(state)) return;
    const QString texto = muestra(idioma);
    if (texto.isEmpty()) {
        state.SkipWithError("no sample text: build the yardstick (scripts/yardstick-text)");
        return;
    }
    // The transducers and the tagger load once, not in the measure.
    formas::De(direccion)->Disponible();
    traduccion::TraducirTexto(*dbDiccionario, direccion, QStringLiteral("casa"));
    long palabras = 0, sinTraducir = 0;
    for (auto _ : state) {
        palabras = sinTraducir = 0;
        traduccion::Buscador b(*dbDiccionario, direccion);
        for (const auto& s : b.Segmentar(texto)) {
            if (!s.palabra) continue;
            ++palabras;
            if (s.traduccion.startsWith(QLatin1Char('<')) && s.traduccion.endsWith(QLatin1Char('>')))
                ++sinTraducir;
        }
    }
    state.counters["palabras"] = static_cast<double>(palabras);
    state.counters["traducidas_pct"] =
        palabras ? 100.0 * static_cast<double>(palabras - sinTraducir) / static_cast<double>(palabras) : 0.0;
    state.SetBytesProcessed(state.iterations() * texto.toUtf8().size());
}
BENCHMARK_CAPTURE(BM_RealText, EspIng, 0, "spa")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RealText, IngEsp, 1, "eng")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RealText, EspPor, 2, "spa")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RealText, PorEsp, 3, "por")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RealText, EspFra, 4, "spa")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RealText, FraEsp, 5, "fra")->Unit(benchmark::kMillisecond);

// The lookup of a form that is no headword, as the dictionary window makes it: the stored query
// finds nothing, the transducers analyse, translate and generate, the lemma's row is read.
void BM_LookupForm(benchmark::State& state, int direccion, const char* palabra) {
    if (!abrir(state)) return;
    const QString p = QString::fromUtf8(palabra);
    if (!consulta::Buscar(*dbDiccionario, direccion, p).encontrada) {
        state.SkipWithError("the form was not found");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(consulta::Buscar(*dbDiccionario, direccion, p));
}
BENCHMARK_CAPTURE(BM_LookupForm, libros, 0, "libros")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LookupForm, went, 1, "went")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LookupForm, sont, 5, "sont")->Unit(benchmark::kMicrosecond);

// Loading one direction's four transducers, which the first form of a run pays.
void BM_LoadTransducers(benchmark::State& state) {
    paths::SetAppPath(kCarpeta);
    for (auto _ : state) {
        formas::Morfologia m(kCarpeta + QStringLiteral("/Morfologia"), 0);
        if (!m.Disponible()) {
            state.SkipWithError("no transducers in build/Morfologia");
            break;
        }
    }
}
BENCHMARK(BM_LoadTransducers)->Unit(benchmark::kMillisecond);

} // namespace
