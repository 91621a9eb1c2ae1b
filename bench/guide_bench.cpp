// The guide's costs on the user-interface thread: queueing a whole script (which must return at
// once whatever the character is doing) and reading the character file at startup.
#include "guide/Explicaciones.h"
#include "guide/MSAgent.h"
#include "platform/AgentEngine.h"
#include "platform/CharacterFile.h"
#include "platform/Form.h"
#include "platform/Paths.h"

#include <benchmark/benchmark.h>

namespace {

const QString kGenie = QStringLiteral(PALAVRIX_BUILD_DIR "/Genie.ACS");

// Queues the ten requests of the dictionary explanation on the real engine, behind everything
// queued by the iterations before (the character never gets to play them here).
void BM_QueueDictionaryExplanation(benchmark::State& state) {
    paths::SetAppPath(QStringLiteral(PALAVRIX_BUILD_DIR));
    CargarAgente(QStringLiteral("Genie"));
    if (!AgenteActivo) {
        state.SkipWithError("Genie.ACS did not load");
        return;
    }
    Form principal;
    principal.setObjectName(QStringLiteral("frmPrincipal"));
    principal.Load();
    principal.Move(1500, 1200);
    for (auto _ : state)
        ExplicarDiccionario();
    state.SetItemsProcessed(state.iterations() * 10);
    DescargarAgente();
    Forms::FlushUnloaded();
    AgenteActivo = false;
}
BENCHMARK(BM_QueueDictionaryExplanation)->Iterations(20000)->Unit(benchmark::kMicrosecond);

void BM_QueueOneRequest(benchmark::State& state) {
    agent::EngineControl control;
    control.CharactersLoad(QStringLiteral("Genie"), kGenie);
    agent::Character* c = control.CharactersItem(QStringLiteral("Genie"));
    for (auto _ : state)
        c->Play(QStringLiteral("Wave"));
}
BENCHMARK(BM_QueueOneRequest)->Iterations(200000);

void BM_ReadCharacterFile(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(agent::characterfile::Read(kGenie));
}
BENCHMARK(BM_ReadCharacterFile)->Unit(benchmark::kMillisecond);

} // namespace
