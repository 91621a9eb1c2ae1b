// The notes box's costs: reading a real notes document (what a flag click waits for, before
// layout), and reading growing documents of prose, tables and deep nesting, whose time per byte
// must stay flat: the reader promises work linear in its input.
#include "platform/RichText.h"

#include <QFile>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

void Leer(benchmark::State& state, const QByteArray& rtf) {
    for (auto _ : state) {
        QTextDocument doc;
        benchmark::DoNotOptimize(richtext::LeerRtf(rtf, doc));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * rtf.size());
}

// Prop7.RTF as pandoc wrote it at build time: about 35 KB, a dozen tables.
void BM_ReadEnglishNotes(benchmark::State& state) {
    QFile f(QStringLiteral(PALAVRIX_BUILD_DIR "/Palavrix/PROPIEDADES/Prop7.RTF"));
    if (!f.open(QIODevice::ReadOnly)) {
        state.SkipWithError("Prop7.RTF has not been generated");
        return;
    }
    Leer(state, f.readAll());
}
BENCHMARK(BM_ReadEnglishNotes)->Unit(benchmark::kMillisecond);

// Paragraphs of formatted prose with accents and \u escapes.
void BM_ReadProse(benchmark::State& state) {
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}";
    for (int k = 0; k < state.range(0); ++k)
        rtf +=
            "{\\pard\\qj\\sa120 Ma\\'f1ana {\\b negrita} y {\\i cursiva}, T\\u237?tulo \\u8212- fin.\\par}\n";
    rtf += "}";
    Leer(state, rtf);
}
BENCHMARK(BM_ReadProse)->Range(100, 10000)->Unit(benchmark::kMillisecond);

// One long table, two cells a row (long tables are split every few hundred rows).
void BM_ReadTableRows(benchmark::State& state) {
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (int k = 0; k < state.range(0); ++k)
        rtf += "\\trowd\\cellx2000\\cellx6000\\pard\\intbl uno\\cell dos\\cell\\row\n";
    rtf += "}";
    Leer(state, rtf);
}
BENCHMARK(BM_ReadTableRows)->Range(100, 10000)->Unit(benchmark::kMillisecond);

// Many small tables, each between two paragraphs (past kMaxTablas they become paragraphs).
void BM_ReadManyTables(benchmark::State& state) {
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (int k = 0; k < state.range(0); ++k)
        rtf += "\\intbl uno\\cell dos\\cell\\row\\pard texto\\par\n";
    rtf += "}";
    Leer(state, rtf);
}
BENCHMARK(BM_ReadManyTables)->Range(10, 5000)->Unit(benchmark::kMillisecond);

// Braces nested far deeper than the reader keeps state for.
void BM_ReadDeepNesting(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const QByteArray rtf = "{\\rtf1 " + QByteArray(n, '{') + "x" + QByteArray(n, '}') + "}";
    Leer(state, rtf);
}
BENCHMARK(BM_ReadDeepNesting)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);

} // namespace
