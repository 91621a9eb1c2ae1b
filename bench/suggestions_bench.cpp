// What a word not found costs: the lookup that misses and the suggestions under the word box
// ("libors" -> "libros"), once the direction's index is made; and making that index, which the
// first miss in a direction pays.
#include "dictionary_data/Consulta.h"
#include "dictionary_data/Formas.h"
#include "dictionary_data/Sugerencias.h"
#include "support/Abrir.h"

#include <benchmark/benchmark.h>

namespace {

// A miss as the window makes it: the lookup finds nothing, then the suggestions.
void BM_Suggest(benchmark::State& state, int direccion, const char* palabra) {
    if (!abrir(state)) return;
    const QString p = QString::fromUtf8(palabra);
    // The transducers and the index are made once, not in the measure.
    formas::De(direccion)->Disponible();
    if (consulta::Buscar(*dbDiccionario, direccion, p).encontrada) {
        state.SkipWithError("the misspelling is a word");
        return;
    }
    QStringList s = sugerencias::Sugerir(*dbDiccionario, direccion, p);
    for (auto _ : state) {
        benchmark::DoNotOptimize(consulta::Buscar(*dbDiccionario, direccion, p));
        s = sugerencias::Sugerir(*dbDiccionario, direccion, p);
    }
    state.counters["sugerencias"] = static_cast<double>(s.size());
}
BENCHMARK_CAPTURE(BM_Suggest, libors, 0, "libors")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Suggest, ninitas, 0, "niñitas")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Suggest, becuase, 1, "becuase")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Suggest, obrigdo, 3, "obrigdo")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Suggest, maisonn, 5, "maisonn")->Unit(benchmark::kMillisecond);
// Nothing close: the whole scan, no lookup of a candidate.
BENCHMARK_CAPTURE(BM_Suggest, xqzwv, 0, "xqzwv")->Unit(benchmark::kMillisecond);

// The first miss in a direction: the headwords read and the common words' list.
void BM_SuggestIndex(benchmark::State& state) {
    if (!abrir(state)) return;
    formas::De(0)->Disponible();
    for (auto _ : state) {
        sugerencias::Olvidar();
        benchmark::DoNotOptimize(sugerencias::Sugerir(*dbDiccionario, 0, QStringLiteral("xqzwv")));
    }
}
BENCHMARK(BM_SuggestIndex)->Unit(benchmark::kMillisecond);

} // namespace
